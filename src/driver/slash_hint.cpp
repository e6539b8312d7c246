// Rewriting a command line into its lone-"/" form. Options keep their place
// and meaning: those before the source argument are left as they were, and
// an argument after it that was cut into several options is given as those
// options one by one, since after a lone "/" it would stay whole.
#include "driver/slash_hint.h"

#include "driver/command_line.h"
#include "output/cat.h"

namespace zek {

namespace {

// Where the source name came from, as the command line was read.
struct SourceArgument {
  size_t index = 0;  // 0 when no argument held a file name
  bool was_cut = false;
};

SourceArgument find_source_argument(const std::vector<std::string>& arguments) {
  bool splitting = true;
  for (size_t i = 1; i < arguments.size(); ++i) {
    if (arguments[i] == "/") {
      splitting = false;
      continue;
    }
    std::vector<std::string> pieces;
    if (splitting) {
      cut_at_slashes(arguments[i], pieces);
    } else {
      pieces.push_back(arguments[i]);
    }
    for (const std::string& piece : pieces) {
      if (!is_option_piece(piece)) return {i, pieces.size() > 1};
    }
  }
  return {};
}

// An argument as a shell reads it back: quoted when it is empty or holds blanks.
std::string quoted(const std::string& argument) {
  if (!argument.empty() && argument.find_first_of(" \t") == std::string::npos) return argument;
  return cat('"', argument, '"');
}

// The words that stand for `argument` after the lone "/".
void append_after_slash(const std::string& argument, bool was_splitting,
                        std::vector<std::string>& words) {
  std::vector<std::string> pieces;
  if (was_splitting) cut_at_slashes(argument, pieces);
  if (pieces.size() < 2) {
    words.push_back(argument);
    return;
  }
  for (const std::string& piece : pieces) {
    if (!is_option_piece(piece)) {
      words.push_back(argument);  // holds a file name: kept whole
      return;
    }
  }
  words.insert(words.end(), pieces.begin(), pieces.end());
}

}  // namespace

std::optional<std::string> lone_slash_command(const std::vector<std::string>& arguments) {
  const SourceArgument source = find_source_argument(arguments);
  if (source.index == 0 || !source.was_cut) return std::nullopt;
  std::vector<std::string> words(arguments.begin() + 1, arguments.begin() + source.index);
  words.push_back("/");
  bool splitting = true;
  for (size_t i = source.index; i < arguments.size(); ++i) {
    if (arguments[i] == "/") {
      splitting = false;  // the lone "/" given already stands earlier now
      continue;
    }
    if (i == source.index) {
      words.push_back(arguments[i]);
    } else {
      append_after_slash(arguments[i], splitting, words);
    }
  }
  std::string command = "zek2rtf";
  for (const std::string& word : words) append(command, ' ', quoted(word));
  return command;
}

std::string lone_slash_hint(const std::string& command) {
  return cat("to name a file in a folder, put a lone \"/\" first: ", command, '\n');
}

}  // namespace zek

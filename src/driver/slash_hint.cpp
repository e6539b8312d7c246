// Rewriting a command line into a form the "/" rule reads as meant. Options
// keep their place and meaning: for the lone "/", those before the named
// argument are left as they were, and an argument after it that was cut into
// several options is given as those options one by one, since after a lone
// "/" it would stay whole; for "--", the options keep their order and the
// file names follow the "--".
#include "driver/slash_hint.h"

#include <algorithm>
#include <cstddef>

#include "base/cat.h"

namespace zek {

namespace {

// An argument as a shell reads it back: quoted when it is empty or holds blanks.
std::string quoted(const std::string& argument) {
  if (!argument.empty() && argument.find_first_of(" \t") == std::string::npos) return argument;
  return cat('"', argument, '"');
}

std::string command_of(const std::vector<std::string>& words) {
  std::string command = "zek2rtf";
  for (const std::string& word : words) append(command, ' ', quoted(word));
  return command;
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

std::optional<std::string> lone_slash_command(const std::vector<std::string>& arguments,
                                              ArgumentOrigin named) {
  if (named.argument == 0 || !named.cut || named.argument >= arguments.size()) return std::nullopt;
  std::vector<std::string> words(arguments.begin() + 1,
                                 arguments.begin() + static_cast<std::ptrdiff_t>(named.argument));
  words.push_back("/");
  bool splitting = true;
  for (size_t i = named.argument; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "/" && splitting) {
      splitting = false;  // the lone "/" given already stands earlier now
      continue;
    }
    if (argument == "--") splitting = false;  // nothing after it is cut
    if (i == named.argument) {
      words.push_back(argument);
    } else {
      append_after_slash(argument, splitting, words);
    }
  }
  return command_of(words);
}

std::string lone_slash_hint(const std::string& command) {
  return cat("to name a file in a folder, put a lone \"/\" first: ", command, '\n');
}

std::string double_dash_command(const std::vector<std::string>& arguments,
                                const std::vector<size_t>& not_options) {
  std::vector<std::string> options;
  std::vector<std::string> files;
  bool options_ended = false;
  for (size_t i = 1; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (!options_ended && argument == "--") {
      options_ended = true;
      continue;
    }
    const bool refused = std::find(not_options.begin(), not_options.end(), i) != not_options.end();
    const bool is_option = !options_ended && !refused && is_option_piece(argument);
    (is_option ? options : files).push_back(argument);
  }
  options.push_back("--");
  options.insert(options.end(), files.begin(), files.end());
  return command_of(options);
}

std::string not_options_message(const std::vector<std::string>& arguments,
                                const std::vector<size_t>& not_options) {
  std::string message;
  for (const size_t index : not_options) append(message, "not an option: ", arguments[index], '\n');
  append(message, "to name a file that begins with \"/\", put \"--\" before the file names: ",
         double_dash_command(arguments, not_options), '\n');
  return message;
}

}  // namespace zek

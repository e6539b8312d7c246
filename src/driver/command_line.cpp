// Command-line splitting, option letters and the output name; and the
// hints, which rewrite a command line into a form the "/" rule reads as
// meant. Options keep their place and meaning: for the lone "/", those
// before the named argument are left as they were, and an argument after it
// that was cut into several options is given as those options one by one,
// since after a lone "/" it would stay whole; for "--", the options keep
// their order and the file names follow the "--".
#include "driver/command_line.h"

#include <algorithm>
#include <cstddef>

#include "base/cat.h"
#include "io/paths.h"

namespace zek {

namespace {

// The option letters that switch one flag on and take no value.
struct FlagLetter {
  char letter;
  bool Options::*flag;
};
constexpr FlagLetter kFlagLetters[] = {
    {'R', &Options::report},        {'D', &Options::ignore_directives},
    {'M', &Options::id_keyword},    {'W', &Options::workshop},
    {'K', &Options::link_brackets}, {'X', &Options::hex_kanji},
    {'3', &Options::mode32},        {'C', &Options::check},
    {'V', &Options::verbose},       {'U', &Options::utf8_sources},
};

char upper_letter(char letter) {
  if (letter >= 'a' && letter <= 'z') return static_cast<char>(letter - 'a' + 'A');
  return letter;
}

const FlagLetter* find_flag_letter(char letter) {
  for (const FlagLetter& entry : kFlagLetters) {
    if (entry.letter == letter) return &entry;
  }
  return nullptr;
}

// "$" and "@" make their byte a name character.
bool is_name_char_letter(char letter) {
  return letter == '$' || letter == '@';
}

void apply_option(Options& options, const std::string& text) {
  if (text.empty()) return;
  const char letter = upper_letter(text[0]);
  switch (letter) {
    case 'I':
      // The third character is looked at whatever the second is.
      options.id_mode = IdMode::names;
      if (text.size() > 1 && text[1] == '@') options.id_mode = IdMode::at_names;
      if (text.size() > 2 && text[2] == '@') options.id_mode = IdMode::at_names_and_topics;
      return;
    case 'J':
      options.id_input = text.substr(1);
      return;
    case 'F':
      options.hlp_file_name = text.substr(1);
      return;
    default:
      break;
  }
  if (is_name_char_letter(letter)) {
    options.is_name_char[static_cast<unsigned char>(letter)] = true;
  } else if (const FlagLetter* entry = find_flag_letter(letter)) {
    options.*(entry->flag) = true;
  }
  // other letters are ignored without notice
}

LongOption long_option_of(const std::string& argument) {
  if (argument == "--help") return LongOption::help;
  if (argument == "--version") return LongOption::version;
  return LongOption::unknown;
}

bool is_long_option(const std::string& argument) {
  return argument.size() > 2 && argument[0] == '-' && argument[1] == '-';
}

// Whether every piece of an argument that begins with "/" is an option.
bool all_well_formed(const std::vector<std::string>& pieces) {
  for (const std::string& piece : pieces) {
    if (!is_well_formed_option(piece)) return false;
  }
  return true;
}

// Sorts the pieces of one argument into options and files.
void sort_pieces(std::vector<std::string>& pieces, ArgumentOrigin origin, SplitArguments& result) {
  for (std::string& piece : pieces) {
    if (!is_option_piece(piece)) {
      result.files.push_back(std::move(piece));
      result.file_origins.push_back(origin);
      continue;
    }
    if (result.options.size() >= kMaxOptions) continue;
    if (piece.size() > 1 && upper_letter(piece[1]) == 'J') result.id_input_origin = origin;
    result.options.push_back(piece.substr(1));
  }
}

// The hints.

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

SlashRule host_slash_rule() {
  return slash_marks_options() ? SlashRule::options : SlashRule::refuse_paths;
}

void cut_at_slashes(const std::string& argument, std::vector<std::string>& pieces) {
  size_t start = 0;
  for (size_t pos = 1; pos < argument.size(); ++pos) {
    if (argument[pos] != '/') continue;
    pieces.push_back(argument.substr(start, pos - start));
    start = pos;
  }
  pieces.push_back(argument.substr(start));
}

bool is_option_piece(const std::string& piece) {
  return !piece.empty() && (piece[0] == '/' || piece[0] == '-');
}

bool is_well_formed_option(const std::string& piece) {
  if (piece.size() < 2 || !is_option_piece(piece)) return false;
  const char letter = upper_letter(piece[1]);
  const std::string_view value = std::string_view(piece).substr(2);
  if (letter == 'I') return value.empty() || value == "@" || value == "@@";
  if (letter == 'J' || letter == 'F') return true;
  if (is_name_char_letter(letter) || find_flag_letter(letter) != nullptr) return value.empty();
  return false;
}

SplitArguments split_arguments(const std::vector<std::string>& arguments, SlashRule rule) {
  SplitArguments result;
  bool splitting = true;
  bool options_ended = false;
  for (size_t i = 1; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (options_ended) {
      result.files.push_back(argument);
      result.file_origins.push_back({i, false});
      continue;
    }
    if (argument == "--") {
      options_ended = true;
      continue;
    }
    if (argument == "/") {
      splitting = false;
      continue;
    }
    if (is_long_option(argument)) {
      if (result.long_option == LongOption::none) {
        result.long_option = long_option_of(argument);
        result.long_option_argument = i;
      }
      continue;
    }
    std::vector<std::string> pieces;
    if (splitting) {
      cut_at_slashes(argument, pieces);
    } else {
      pieces.push_back(argument);
    }
    const bool begins_with_slash = !argument.empty() && argument[0] == '/';
    if (rule == SlashRule::refuse_paths && begins_with_slash && !all_well_formed(pieces)) {
      result.not_options.push_back(i);
      continue;
    }
    sort_pieces(pieces, {i, pieces.size() > 1}, result);
  }
  return result;
}

Options apply_options(const std::vector<std::string>& option_texts) {
  Options options;
  for (int c = 0; c < 255; ++c) {
    options.is_name_char[c] =
        (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
  }
  for (const std::string& text : option_texts) apply_option(options, text);
  return options;
}

OutputChoice choose_output(const std::vector<std::string>& files) {
  OutputChoice choice;
  if (files.size() < 2) {
    choice.output_name = replace_extension(files.at(0), ".RTF");
    return choice;
  }
  choice.output_name = files[1];
  const std::string_view extension = extension_of(choice.output_name);
  choice.refused = equals_ignoring_case(extension, ".ZEK");
  choice.trace_mode = equals_ignoring_case(extension, ".XTF");
  choice.text_mode = equals_ignoring_case(extension, ".TXT");
  if (equals_ignoring_case(extension, ".HTM") || equals_ignoring_case(extension, ".HTML")) {
    choice.publish = PublishForm::single_page;
  } else if (equals_ignoring_case(extension, ".HHP")) {
    choice.publish = PublishForm::project;
  }
  return choice;
}

std::string id_file_name(const std::string& output_name) {
  return replace_extension(output_name, ".ID");
}

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

// Command-line splitting, option letters and the output name.
#include "driver/command_line.h"

#include "driver/paths.h"

namespace zek {

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

namespace {

void apply_option(Options& options, const std::string& text) {
  if (text.empty()) return;
  char letter = text[0];
  if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
  switch (letter) {
    case 'I':
      options.id_mode = 1;
      if (text.size() > 1 && text[1] == '@') options.id_mode = 2;
      if (text.size() > 2 && text[2] == '@') options.id_mode = 3;
      break;
    case 'J':
      options.id_input = text.substr(1);
      break;
    case 'F':
      options.hlp_file_name = text.substr(1);
      break;
    case 'R':
      options.report = true;
      break;
    case 'D':
      options.ignore_directives = true;
      break;
    case 'M':
      options.id_keyword = true;
      break;
    case 'W':
      options.workshop = true;
      break;
    case 'K':
      options.link_brackets = true;
      break;
    case 'X':
      options.hex_kanji = true;
      break;
    case '3':
      options.mode32 = true;
      break;
    case 'C':
      options.check = true;
      break;
    case 'V':
      options.verbose = true;
      break;
    case 'U':
      options.utf8_sources = true;
      break;
    case '$':
      options.is_name_char['$'] = true;
      break;
    case '@':
      options.is_name_char['@'] = true;
      break;
    default:
      break;  // other letters are ignored without notice
  }
}

}  // namespace

SplitArguments split_arguments(const std::vector<std::string>& arguments) {
  SplitArguments result;
  std::vector<std::string> pieces;
  bool splitting = true;
  for (size_t i = 1; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "/") {
      splitting = false;
      continue;
    }
    if (!splitting) {
      pieces.push_back(argument);
      continue;
    }
    const size_t before = pieces.size();
    cut_at_slashes(argument, pieces);
    if (pieces.size() - before > 1) result.split_at_slash = true;
  }
  for (std::string& piece : pieces) {
    if (is_option_piece(piece)) {
      if (result.options.size() < kMaxOptions) result.options.push_back(piece.substr(1));
    } else {
      result.files.push_back(std::move(piece));
    }
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

}  // namespace zek

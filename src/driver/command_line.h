// The command line: splitting at "/", the option list, the options applied,
// and the output file name with the output mode it selects.
#pragma once

#include <string>
#include <vector>

#include "driver/options.h"
#include "driver/publication.h"

namespace zek {

inline constexpr size_t kMaxOptions = 50;

struct SplitArguments {
  std::vector<std::string> files;    // file arguments, in order
  std::vector<std::string> options;  // option texts without their "/" or "-"
  bool split_at_slash = false;       // some argument was cut at a "/"
};

// Appends the pieces of `argument` cut before every "/" that follows at least
// one character: "a/b/c" gives "a", "/b", "/c".
void cut_at_slashes(const std::string& argument, std::vector<std::string>& pieces);

// Whether a piece is an option (it begins with "/" or "-").
bool is_option_piece(const std::string& piece);

// Cuts arguments before every "/" that follows a character (until a lone
// "/" turns cutting off) and sorts the pieces into options and files.
SplitArguments split_arguments(const std::vector<std::string>& arguments);

// Builds the name-character table and applies the options in order.
Options apply_options(const std::vector<std::string>& option_texts);

struct OutputChoice {
  std::string output_name;
  bool refused = false;  // the output name has the extension .ZEK
  bool text_mode = false;
  bool trace_mode = false;
  PublishForm publish = PublishForm::none;  // .HTM, .HTML: one page; .HHP: a project
};

// The output name and mode for the given file arguments (at least one).
OutputChoice choose_output(const std::vector<std::string>& files);

// The ID file name: the output name with its extension replaced by ".ID".
std::string id_file_name(const std::string& output_name);

}  // namespace zek

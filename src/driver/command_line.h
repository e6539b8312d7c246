// The command line: splitting at "/", the end of the options ("--"), the long
// options, the option list, the options applied, and the output file name
// with the output mode it selects; and the hints for names that the "/" rule
// would misread. A name with a folder, "sub/in.zek", is the file "sub" and
// the option "/in.zek" unless a lone "/" stands before it; an absolute name,
// "/srv/in.zek", is refused on POSIX unless "--" stands before it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/options.h"
#include "driver/publication.h"

namespace zek {

inline constexpr size_t kMaxOptions = 50;

// How an argument that begins with "/" is read.
enum class SlashRule {
  // Always as options: on Windows "/" is the usual option mark and an
  // absolute name begins with a drive letter or "\".
  options,
  // As options only when every piece it is cut into is a well-formed option,
  // and refused otherwise: on POSIX such an argument is most likely an
  // absolute file name, and reading it as option letters would lose work.
  refuse_paths,
};

// The rule of the host the program runs on.
SlashRule host_slash_rule();

// An argument that begins with "--" (but is not "--" itself).
enum class LongOption { none, help, version, unknown };

// Where a name on the command line came from.
struct ArgumentOrigin {
  size_t argument = 0;  // index in the argument list; 0 when there is no such name
  bool cut = false;     // that argument was cut at a "/"
};

struct SplitArguments {
  std::vector<std::string> files;            // file arguments, in order
  std::vector<ArgumentOrigin> file_origins;  // where each file argument came from
  std::vector<std::string> options;          // option texts without their "/" or "-"
  ArgumentOrigin id_input_origin;            // where the last -J option came from

  LongOption long_option = LongOption::none;  // the first long option
  size_t long_option_argument = 0;            // its index
  // Arguments that begin with "/" but are no options (SlashRule::refuse_paths).
  std::vector<size_t> not_options;
};

// Appends the pieces of `argument` cut before every "/" that follows at least
// one character: "a/b/c" gives "a", "/b", "/c".
void cut_at_slashes(const std::string& argument, std::vector<std::string>& pieces);

// Whether a piece is an option (it begins with "/" or "-").
bool is_option_piece(const std::string& piece);

// Whether a piece is an option this program knows, in its full form: a letter
// that takes no value standing alone, -I with nothing, "@" or "@@" after it,
// or -J or -F with any value.
bool is_well_formed_option(const std::string& piece);

// Cuts arguments before every "/" that follows a character (until a lone "/"
// turns cutting off, or "--" ends the options) and sorts the pieces into
// options and files. After "--" every argument is a file name, taken whole.
SplitArguments split_arguments(const std::vector<std::string>& arguments,
                               SlashRule rule = SlashRule::options);

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

// Hints for names the "/" rule would misread.

// The same command (`arguments`, the program name first) in the form that
// keeps file names with folders whole: a lone "/" just before the argument
// that held the name. None when that argument was not cut at a "/".
std::optional<std::string> lone_slash_command(const std::vector<std::string>& arguments,
                                              ArgumentOrigin named);

// The line written after "cannot open" for such a name, ending in "\n".
std::string lone_slash_hint(const std::string& command);

// The same command with "--" before the file names, the arguments in
// `not_options` among them, so that a name beginning with "/" stays a name.
std::string double_dash_command(const std::vector<std::string>& arguments,
                                const std::vector<size_t>& not_options);

// The lines that refuse the arguments in `not_options` and show the command
// that names them as files.
std::string not_options_message(const std::vector<std::string>& arguments,
                                const std::vector<size_t>& not_options);

}  // namespace zek

// An environment held in memory: named input files, captured output files
// and console streams, so that whole conversions run inside a test.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "driver/environment.h"

namespace zek::testing {

// An output stream that collects its bytes; it can be made to fail.
class StringStream : public OutputStream {
 public:
  bool write(std::string_view bytes) override;
  std::string bytes;
  bool fail = false;
};

// Files by name. An output file replaces its entry only when it is
// committed, as on disk, so a failed run leaves the former bytes.
class MemoryEnvironment : public Environment {
 public:
  std::unique_ptr<InputStream> open_input(const std::string& name) override;
  std::unique_ptr<OutputFile> create_output(const std::string& name) override;
  std::optional<FileIdentity> identify(const std::string& name) override;
  // A project's files appear in `files` under the folder's name + their own.
  std::unique_ptr<OutputFolder> create_output_folder(const std::string& folder) override;

  // Files by name (inputs, and outputs once committed).
  std::map<std::string, std::string> files;
  // Second names of files: links[alias] is the name of the file it denotes.
  std::map<std::string, std::string> links;
  // Names whose creation fails.
  std::vector<std::string> unwritable;
  // Names whose writes fail.
  std::vector<std::string> full;
  // Names whose commit fails (as a rename can).
  std::vector<std::string> uncommittable;

 private:
  const std::string& resolve(const std::string& name) const;
};

struct RunResult {
  int status = 0;
  std::string out;  // standard output
  std::string err;  // standard error
};

// Runs the converter on `env` with the arguments (without the program name).
RunResult run(MemoryEnvironment& env, const std::vector<std::string>& arguments);

// Converts `source` (as the file "in.zek") with the options, returning the
// output file's bytes ("in.RTF", or the named output).
std::string convert(const std::string& source, const std::vector<std::string>& options = {},
                    const std::string& output_name = "out.rtf");

}  // namespace zek::testing

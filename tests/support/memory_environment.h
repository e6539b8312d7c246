// An environment held in memory: named input files, captured output files
// and console streams, and the converter run in-process on them.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "io/console.h"
#include "io/environment.h"

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

  // Every name asked for reading, in order, and those that opened.
  std::vector<std::string> asked;
  std::set<std::string> opened;

 private:
  const std::string& resolve(const std::string& name) const;
};

struct RunResult {
  int status = 0;
  std::string out;  // standard output
  std::string err;  // standard error
};

// Runs the converter in-process on `env` with the arguments (without the
// program name), its console showing `console_charset`.
RunResult run(MemoryEnvironment& env, const std::vector<std::string>& arguments,
              ConsoleCharset console_charset = ConsoleCharset::cp932);

}  // namespace zek::testing

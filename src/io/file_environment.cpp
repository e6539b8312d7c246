// Files on disk through the platform's file functions.
#include "io/file_environment.h"

#include "io/background_output.h"
#include "io/file_system.h"
#include "io/project_folder.h"

namespace zek {

std::unique_ptr<InputStream> FileEnvironment::open_input(const std::string& name) {
  return open_regular_file(name);
}

// A file of its own is written by a thread while the conversion goes on; a
// device or a pipe (perhaps the console, which the conversion also writes
// to) is written in order with everything else.
std::unique_ptr<OutputFile> FileEnvironment::create_output(const std::string& name) {
  std::unique_ptr<OutputFile> file = create_replacement(name, temporaries_);
  if (!file || !file->replaces_target()) return file;
  return std::make_unique<BackgroundOutput>(std::move(file));
}

std::optional<FileIdentity> FileEnvironment::identify(const std::string& name) {
  return file_identity(name);
}

std::unique_ptr<OutputFolder> FileEnvironment::create_output_folder(const std::string& folder) {
  return create_project_folder(folder);
}

bool ConsoleStream::write(std::string_view bytes) {
  return std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size();
}

bool ConsoleStream::flush() {
  return std::fflush(file_) == 0;
}

}  // namespace zek

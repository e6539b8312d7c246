// The few platform calls of a run, behind small functions: opening a regular
// file for reading, telling which file a name denotes, and writing a file
// safely (under a temporary name beside it, renamed into place at the end).
// POSIX and Windows each have their own implementation file.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "io/stream.h"
#include "io/temporary_registry.h"

namespace zek {

// A regular file opened for reading; null when `name` cannot be opened or is
// no regular file.
std::unique_ptr<InputStream> open_regular_file(const std::string& name);

// The identity of the file `name` denotes (links followed); none when no
// file is there.
std::optional<FileIdentity> file_identity(const std::string& name);

// A file to be written. A regular or missing target is written under a new,
// exclusively created temporary name in the same folder and renamed over the
// target by commit(); a device or a pipe is written in place. Null when the
// target is a folder or the file cannot be created. With `temporaries`, the
// temporary is registered there from its creation until it is renamed or
// deleted.
std::unique_ptr<OutputFile> create_replacement(const std::string& name,
                                               TemporaryRegistry* temporaries = nullptr);

}  // namespace zek

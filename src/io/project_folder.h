// The temporary folder an HTML Help project is written into, beside its
// target folder, and moved into place only when the run succeeded.
#pragma once

#include <memory>
#include <string>

#include "io/stream.h"

namespace zek {

// A new temporary folder inside `folder` ("" for the current folder); null
// when it cannot be created.
std::unique_ptr<OutputFolder> create_project_folder(const std::string& folder);

}  // namespace zek

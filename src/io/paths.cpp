// Host file-name rules. On Windows a drive letter, "\" and "/" end a
// directory part, and a "\" that is the trail byte of a double-byte character
// does not; elsewhere only "/" does. A name that begins with a separator (or
// on Windows a drive) does not depend on the current folder.
#include "io/paths.h"

#include "base/sjis.h"

namespace zek {

namespace {
// The length of the file-name character at `pos`: Windows names are in the
// ANSI code page (932 for the authors this is for); elsewhere names are bytes.
size_t name_char_length(std::string_view name, size_t pos) {
#ifdef _WIN32
  return char_length(name, pos);
#else
  (void)name;
  (void)pos;
  return 1;
#endif
}

bool is_separator(char c) {
#ifdef _WIN32
  return c == '\\' || c == '/';
#else
  return c == '/';
#endif
}

// Whether `name` begins with a drive ("C:"); only Windows names have one.
bool has_drive(std::string_view name) {
#ifdef _WIN32
  return name.size() >= 2 && name[1] == ':' && !is_lead_byte(name[0]);
#else
  (void)name;
  return false;
#endif
}

// Position just after the directory (and drive) part of `name`.
size_t final_component_start(std::string_view name) {
  size_t start = has_drive(name) ? 2 : 0;
  for (size_t pos = start; pos < name.size(); pos += name_char_length(name, pos)) {
    if (is_separator(name[pos])) start = pos + 1;
  }
  return start;
}

// Whether `name` means the same file whatever the current folder is: it
// begins at a root ("/x"; on Windows also "\x" and "\\server\x") or names a
// drive ("C:\x", or "C:x" in that drive's own current folder, not ours).
bool is_anchored(std::string_view name) {
  return (!name.empty() && is_separator(name[0])) || has_drive(name);
}

// Whether a folder part (ending in a separator, or empty) is the current
// folder: made of "." components only.
bool is_current_folder(std::string_view folder) {
  if (is_anchored(folder)) return false;
  size_t component_start = 0;
  for (size_t pos = 0; pos < folder.size(); pos += name_char_length(folder, pos)) {
    if (!is_separator(folder[pos])) continue;
    const std::string_view component = folder.substr(component_start, pos - component_start);
    if (!component.empty() && component != ".") return false;
    component_start = pos + 1;
  }
  return true;
}
}  // namespace

size_t extension_position(std::string_view name) {
  const size_t start = final_component_start(name);
  size_t dot = std::string_view::npos;
  for (size_t pos = start; pos < name.size(); pos += name_char_length(name, pos)) {
    if (name[pos] == '.') dot = pos;
  }
  return dot;
}

std::string_view extension_of(std::string_view name) {
  const size_t dot = extension_position(name);
  return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

std::string replace_extension(std::string_view name, std::string_view extension) {
  const size_t dot = extension_position(name);
  std::string result(dot == std::string_view::npos ? name : name.substr(0, dot));
  result.append(extension);
  return result;
}

std::string_view folder_of(std::string_view name) {
  return name.substr(0, final_component_start(name));
}

std::string_view base_name_of(std::string_view name) {
  const size_t start = final_component_start(name);
  const size_t dot = extension_position(name);
  return name.substr(start, dot == std::string_view::npos ? std::string_view::npos : dot - start);
}

bool equals_ignoring_case(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
    if (x != y) return false;
  }
  return true;
}

bool same_spelling(std::string_view a, std::string_view b) {
#ifdef _WIN32
  return equals_ignoring_case(a, b);
#else
  return a == b;
#endif
}

bool slash_marks_options() {
#ifdef _WIN32
  return true;
#else
  return false;
#endif
}

std::optional<std::string> name_beside(std::string_view includer, std::string_view name) {
  if (name.empty() || is_anchored(name)) return std::nullopt;
  const std::string_view folder = includer.substr(0, final_component_start(includer));
  if (is_current_folder(folder)) return std::nullopt;
  std::string beside(folder);
  beside.append(name);
  return beside;
}

}  // namespace zek

// Host file-name rules. On Windows a drive letter, "\" and "/" end a
// directory part, and a "\" that is the trail byte of a double-byte character
// does not; elsewhere only "/" does.
#include "driver/paths.h"

#include "output/sjis.h"

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

// Position just after the directory (and drive) part of `name`.
size_t final_component_start(std::string_view name) {
#ifdef _WIN32
  size_t start = 0;
  if (name.size() >= 2 && name[1] == ':' && !is_lead_byte(name[0])) start = 2;
  for (size_t pos = start; pos < name.size(); pos += name_char_length(name, pos)) {
    if (name[pos] == '\\' || name[pos] == '/') start = pos + 1;
  }
  return start;
#else
  const size_t slash = name.rfind('/');
  return slash == std::string_view::npos ? 0 : slash + 1;
#endif
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

}  // namespace zek

// Copying the help's bitmaps beside its pages.
#include "driver/bitmap_copier.h"

#include "io/paths.h"

namespace zek {

namespace {

constexpr size_t kMaxBitmap = size_t{64} << 20;

// Whether the bytes begin as a BMP or a PNG file does.
bool looks_like_bitmap(const std::string& bytes) {
  return bytes.compare(0, 2, "BM") == 0 || bytes.compare(0, 8, "\x89PNG\r\n\x1A\n") == 0;
}

}  // namespace

bool is_showable_bitmap_name(std::string_view name) {
  if (name.empty() || name.size() > 128 || name.front() == '.') return false;
  for (const char c : name) {
    const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                    c == '_' || c == '-' || c == '.';
    if (!ok) return false;
  }
  const std::string_view extension = extension_of(name);
  return equals_ignoring_case(extension, ".bmp") || equals_ignoring_case(extension, ".png");
}

std::optional<std::string> BitmapCopier::place(std::string_view name) {
  const std::string key(name);
  const auto known = done_.find(key);
  if (known != done_.end()) return known->second;
  std::optional<std::string> result = copy(key);
  if (!result) missing_.push_back(key);
  done_.emplace(key, result);
  return result;
}

std::optional<std::string> BitmapCopier::copy(const std::string& name) {
  if (!is_showable_bitmap_name(name)) return std::nullopt;
  std::unique_ptr<InputStream> input = env_.open_input(source_folder_ + name);
  if (!input) return std::nullopt;
  std::string bytes;
  char buffer[1 << 14];
  while (bytes.size() <= kMaxBitmap) {
    const size_t got = input->read(buffer, sizeof buffer);
    if (got == 0) break;
    bytes.append(buffer, got);
  }
  if (bytes.size() > kMaxBitmap || !looks_like_bitmap(bytes)) return std::nullopt;
  if (!write_(name, bytes, input->identity())) return std::nullopt;
  return name;
}

}  // namespace zek

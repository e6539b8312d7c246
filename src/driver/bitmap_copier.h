// Bitmaps of the help beside its pages: a BMP or PNG file named by the help
// and found beside the source is copied next to the pages; anything else
// (another kind of picture, a missing file, a name with a folder in it) is
// shown as a placeholder and remembered for the -C warnings.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "io/environment.h"
#include "publish/topic_html.h"

namespace zek {

class BitmapCopier : public BitmapPlacer {
 public:
  // Writes one copy (`name` is a checked plain file name); false on failure.
  using WriteCopy = std::function<bool(const std::string& name, const std::string& bytes,
                                       const std::optional<FileIdentity>& source)>;

  BitmapCopier(Environment& env, std::string source_folder, WriteCopy write)
      : env_(env), source_folder_(std::move(source_folder)), write_(std::move(write)) {}

  std::optional<std::string> place(std::string_view name) override;

  // The names that could not be shown, in the order first met.
  const std::vector<std::string>& missing() const { return missing_; }

 private:
  std::optional<std::string> copy(const std::string& name);

  Environment& env_;
  std::string source_folder_;
  WriteCopy write_;
  std::map<std::string, std::optional<std::string>> done_;
  std::vector<std::string> missing_;
};

// Whether `name` is a plain file name a page may refer to: letters, digits,
// "_", "-" and ".", not beginning with ".", ending in ".bmp" or ".png".
bool is_showable_bitmap_name(std::string_view name);

}  // namespace zek

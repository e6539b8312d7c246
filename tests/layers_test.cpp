// The folders under src/ are layers, lowest first as the build lists them: a
// file may include headers of its own layer and of the layers below it, and
// none of a layer above it. Every #include line of every source file is read.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The layer names in order, from the build's comma-separated list.
std::map<std::string, size_t> layer_ranks() {
  std::map<std::string, size_t> ranks;
  std::istringstream list(ZEK2RTF_LAYERS);
  std::string name;
  while (std::getline(list, name, ',')) ranks.emplace(name, ranks.size());
  return ranks;
}

// The folder part of every `#include "folder/file"` line of a file.
std::vector<std::string> included_folders(const fs::path& file) {
  std::vector<std::string> folders;
  std::ifstream in(file);
  std::string line;
  const std::string prefix = "#include \"";
  while (std::getline(in, line)) {
    if (line.compare(0, prefix.size(), prefix) != 0) continue;
    const size_t slash = line.find('/', prefix.size());
    if (slash == std::string::npos) {
      folders.push_back("");  // a header outside every layer
    } else {
      folders.push_back(line.substr(prefix.size(), slash - prefix.size()));
    }
  }
  return folders;
}

TEST(LayersTest, NoFileIncludesALayerAboveItsOwn) {
  const std::map<std::string, size_t> ranks = layer_ranks();
  ASSERT_GE(ranks.size(), 2u);
  const fs::path src = fs::path(ZEK2RTF_SOURCE_DIR) / "src";
  size_t files = 0;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(src)) {
    const std::string extension = entry.path().extension().string();
    if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp")) continue;
    const std::string folder = entry.path().parent_path().filename().string();
    const auto own = ranks.find(folder);
    ASSERT_NE(own, ranks.end()) << entry.path() << " lies in no layer";
    ++files;
    for (const std::string& included : included_folders(entry.path())) {
      const auto target = ranks.find(included);
      ASSERT_NE(target, ranks.end()) << entry.path() << " includes a header outside the layers";
      EXPECT_LE(target->second, own->second)
          << entry.path() << " (" << folder << ") includes " << included << ", a layer above it";
    }
  }
  EXPECT_GT(files, 100u);
}

}  // namespace

// libFuzzer target: arbitrary bytes read as the help compiler's RTF and
// written as the single page and as a project. Every page must be well
// formed, with no script, event handler or address of its own, and the
// pages written in two parts at once (where the help is long enough) must
// be the bytes one reader writes; anything else traps.
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "publish/publish.h"
#include "support/strict_html.h"

namespace {

class PageStream : public zek::OutputStream {
 public:
  bool write(std::string_view bytes) override {
    page.append(bytes);
    return true;
  }
  std::string page;
};

class Folder : public zek::OutputFolder {
 public:
  std::unique_ptr<zek::OutputStream> create(const std::string& relative) override {
    auto stream = std::make_unique<PageStream>();
    streams[relative] = stream.get();
    owned.push_back(std::move(stream));
    return std::make_unique<Forward>(*streams[relative]);
  }
  bool commit(const std::string&) override { return true; }
  void discard() override {}

  class Forward : public zek::OutputStream {
   public:
    explicit Forward(PageStream& to) : to_(to) {}
    bool write(std::string_view bytes) override { return to_.write(bytes); }

   private:
    PageStream& to_;
  };
  std::map<std::string, PageStream*> streams;
  std::vector<std::unique_ptr<PageStream>> owned;
};

void require_safe(const std::string& page) {
  if (!zek::testing::check_page(page).empty()) __builtin_trap();
}

// The files of a project, by name.
std::map<std::string, std::string> contents(const Folder& folder) {
  std::map<std::string, std::string> files;
  for (const auto& [name, stream] : folder.streams) files[name] = stream->page;
  return files;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string rtf(reinterpret_cast<const char*>(data), size);
  zek::PublishJob job;
  job.open_rtf = [&rtf] { return std::make_unique<zek::RtfStringSource>(rtf); };
  PageStream page;
  zek::write_single_page(job, page);
  require_safe(page.page);
  Folder folder;
  zek::write_project(job, "help", folder);
  for (const auto& [name, stream] : folder.streams) {
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".htm") == 0)
      require_safe(stream->page);
  }

  job.open_rtf_at = [&rtf](uint64_t offset) {
    return std::make_unique<zek::RtfStringSource>(
        std::string_view(rtf).substr(offset < rtf.size() ? offset : rtf.size()));
  };
  PageStream in_parts;
  zek::write_single_page(job, in_parts);
  if (in_parts.page != page.page) __builtin_trap();
  Folder folder_in_parts;
  zek::write_project(job, "help", folder_in_parts);
  if (contents(folder_in_parts) != contents(folder)) __builtin_trap();
  return 0;
}

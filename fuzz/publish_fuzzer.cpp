// libFuzzer target: arbitrary bytes read as the help compiler's RTF and
// written as the single page and as a project. Every page must be well
// formed, with no script, event handler or address of its own; anything
// else traps.
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
  return 0;
}

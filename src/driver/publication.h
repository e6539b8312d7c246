// The HTML modes of a run (.HTM/.HTML: one page; .HHP: an HTML Help
// project). Pass 2 writes its RTF into a spool instead of the output file;
// afterwards the pages are made from the spool and written to the target,
// which is put into place like any output file.
//
// Bitmaps of the help go beside its pages: a BMP or PNG file named by the
// help and found beside the source is copied next to the pages; anything
// else (another kind of picture, a missing file, a name with a folder in it)
// is shown as a placeholder and remembered for the -C warnings.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "commands/context.h"
#include "io/code_page.h"
#include "io/environment.h"
#include "publish/spool.h"
#include "publish/topic_html.h"

namespace zek {

enum class PublishForm { none, single_page, project };

class Publication {
 public:
  // Starts reading what pass 2 will write: for the single page its draft,
  // for a project the help-wide index. `link_brackets`: -K.
  Publication(PublishForm form, bool link_brackets);
  // Waits until what was set aside is freed.
  ~Publication();
  Publication(const Publication&) = delete;
  Publication& operator=(const Publication&) = delete;

  // Where pass 2's RTF goes.
  OutputStream& spool() { return spool_; }

  // Starts the target: the page, written under a temporary name, or the
  // project's temporary folder; null when it cannot be created.
  std::unique_ptr<OutputFile> open(Environment& env, const std::string& output_name);

  // After pass 2 (with the output sink detached from the spool): writes
  // the pages into `target`. A project is made only after a pass 2 that
  // `passed`, so that a failed run leaves the previous project as it was; a
  // single page is complete either way, as an RTF file is. False, after
  // "cannot write", when writing failed.
  bool publish(Context& ctx, const std::string& source, const std::string& output_name,
               OutputFile& target, bool passed);

 private:
  PublishForm form_;
  CodePageConverter converter_;  // used by the draft's thread until it is joined
  Spool spool_;
  // What the pages were made from: taking milliseconds to free, it is freed
  // while the run goes on.
  struct Leftovers {
    std::unique_ptr<TemporaryBytes> rtf;
    std::optional<PageDraft> draft;
  };
  void free_leftovers();

  OutputFolder* folder_ = nullptr;  // the project's, owned by the target
  std::optional<PageDraft> draft_;  // the single page's, once it is written
  std::thread freeing_;             // frees the leftovers
};

class BitmapCopier : public BitmapPlacer {
 public:
  // Writes one copy (`name` is a checked plain file name); false on failure.
  using WriteCopy = std::function<bool(const std::string& name, const std::string& bytes,
                                       const std::optional<FileIdentity>& source)>;

  BitmapCopier(Environment& env, std::string source_folder, WriteCopy write)
      : env_(env), source_folder_(std::move(source_folder)), write_(std::move(write)) {}

  std::optional<std::string> place(std::string_view name) override;
  void met_in_order(const std::vector<std::string>& names) override;

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

// The HTML modes: the spool, the target and the pages made from the spool;
// copying the help's bitmaps beside its pages.
#include "driver/publication.h"

#include <algorithm>
#include <memory>
#include <system_error>
#include <unordered_set>
#include <vector>

#include "base/cat.h"
#include "io/code_page.h"
#include "io/environment.h"
#include "io/paths.h"
#include "publish/page_names.h"
#include "publish/publish.h"

namespace zek {

namespace {

constexpr size_t kMaxBitmap = size_t{64} << 20;

// Whether the bytes begin as a BMP or a PNG file does.
bool looks_like_bitmap(const std::string& bytes) {
  return bytes.compare(0, 2, "BM") == 0 || bytes.compare(0, 8, "\x89PNG\r\n\x1A\n") == 0;
}

// A project's folder as the run's output file: committed or discarded with
// the ID file, and moved into place only once its pages are complete.
class FolderTarget : public OutputFile {
 public:
  FolderTarget(std::unique_ptr<OutputFolder> folder, std::string last)
      : folder_(std::move(folder)), last_(std::move(last)) {}
  bool write(std::string_view) override { return false; }
  bool finish() override { return true; }
  bool commit() override {
    if (!complete_) {  // the run failed before the pages were written: nothing replaces the old
      folder_->discard();
      return true;
    }
    return folder_->commit(last_);
  }
  void discard() override { folder_->discard(); }
  bool replaces_target() const override { return true; }

  OutputFolder& folder() { return *folder_; }
  void set_complete() { complete_ = true; }

 private:
  std::unique_ptr<OutputFolder> folder_;
  std::string last_;
  bool complete_ = false;
};

std::unordered_set<std::string> popup_contexts(const NameTable& names) {
  std::unordered_set<std::string> keys;
  for (const NameEntry& entry : names.entries()) {
    if (entry.kind == NameKind::popup) keys.insert(lookup_key(cat("XX", entry.number)));
  }
  return keys;
}

// The pictures the pages show as their names: warned at the lines that name
// them with the other -C warnings; one no line could be found for (a form
// the line record does not know) is warned here, against the source.
void report_missing_bitmaps(Context& ctx, const std::string& source, const BitmapCopier& copier) {
  if (!ctx.options.check) return;
  ctx.checks.note_bitmaps_not_shown(copier.missing());
  const std::vector<BitmapRecord>& placed = ctx.checks.log().bitmaps;
  for (const std::string& name : copier.missing()) {
    const bool has_place =
        std::any_of(placed.begin(), placed.end(),
                    [&](const BitmapRecord& record) { return record.name == name; });
    if (has_place) continue;
    ctx.console.write_err_name(source);
    ctx.console.write_err(cat(": warning bitmap ", name, " is shown as its name\n"));
  }
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

void BitmapCopier::met_in_order(const std::vector<std::string>& names) {
  const std::unordered_set<std::string> missing(missing_.begin(), missing_.end());
  std::vector<std::string> ordered;
  for (const std::string& name : names) {
    if (missing.contains(name)) ordered.push_back(name);
  }
  missing_ = std::move(ordered);
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

Publication::Publication(PublishForm form, bool link_brackets) : form_(form) {
  if (form == PublishForm::project) {
    spool_.read_index_early();
  } else {
    spool_.draft_page_early([this](std::string_view text) { return converter_.to_utf8(text); },
                            link_brackets);
  }
}

Publication::~Publication() {
  if (freeing_.joinable()) freeing_.join();
}

std::unique_ptr<OutputFile> Publication::open(Environment& env, const std::string& output_name) {
  if (form_ != PublishForm::project) return env.create_output(output_name);
  std::unique_ptr<OutputFolder> folder =
      env.create_output_folder(std::string(folder_of(output_name)));
  if (!folder) return nullptr;
  folder_ = folder.get();
  const std::string last = cat(base_name_of(output_name), ".hhp");
  return std::make_unique<FolderTarget>(std::move(folder), last);
}

bool Publication::publish(Context& ctx, const std::string& source, const std::string& output_name,
                          OutputFile& target, bool passed) {
  if (form_ == PublishForm::project && !passed) return true;  // the old project stays
  if (spool_.failed()) {
    ctx.console.write_err_name(cat("cannot write ", output_name, '\n'));
    return false;
  }
  PublishJob job;
  job.open_rtf = [this] { return spool_.read(); };
  job.open_rtf_at = [this](uint64_t offset) { return spool_.read(offset); };
  job.early_index = [this] { return spool_.take_early_index(); };
  job.early_draft = [this] { return spool_.take_early_draft(); };
  job.popup_contexts = popup_contexts(ctx.names);
  job.link_brackets = ctx.options.link_brackets;
  job.to_utf8 = [this](std::string_view text) { return converter_.to_utf8(text); };
  job.set_aside = [this](PageDraft draft) { draft_.emplace(std::move(draft)); };
  const std::string name(base_name_of(output_name));
  Environment& env = *ctx.env;
  bool ok = false;
  if (form_ == PublishForm::project) {
    BitmapCopier copier(env, std::string(folder_of(source)),
                        [&](const std::string& bitmap, const std::string& bytes,
                            const std::optional<FileIdentity>&) {
                          return folder_->put(cat(name, '/', bitmap), bytes);
                        });
    job.bitmaps = &copier;
    ok = write_project(job, name, *folder_);
    if (ok) static_cast<FolderTarget&>(target).set_complete();
    report_missing_bitmaps(ctx, source, copier);
  } else {
    // The copies are put into place only once the page is written, so that a
    // run that fails leaves no bitmaps of a page that never came.
    const std::string folder(folder_of(output_name));
    std::vector<std::unique_ptr<OutputFile>> copies;
    BitmapCopier copier(env, std::string(folder_of(source)),
                        [&](const std::string& bitmap, const std::string& bytes,
                            const std::optional<FileIdentity>& identity) {
                          const std::string copy_name = folder + bitmap;
                          if (identity && env.identify(copy_name) == identity) return true;
                          std::unique_ptr<OutputFile> file = env.create_output(copy_name);
                          if (!file || !file->write(bytes) || !file->finish()) return false;
                          copies.push_back(std::move(file));
                          return true;
                        });
    job.bitmaps = &copier;
    ok = write_single_page(job, target) && !spool_.failed();
    for (const std::unique_ptr<OutputFile>& copy : copies) {
      if (ok) {
        ok = copy->commit();
      } else {
        copy->discard();
      }
    }
    report_missing_bitmaps(ctx, source, copier);
  }
  if (!ok) ctx.console.write_err_name(cat("cannot write ", output_name, '\n'));
  free_leftovers();
  return ok;
}

// The spool's RTF and the page's draft are freed on a thread of their own
// while the output is put into place; without a thread, at once.
void Publication::free_leftovers() {
  Leftovers leftovers{spool_.release(), std::move(draft_)};
  draft_.reset();
  if (freeing_.joinable()) return;
  try {
    freeing_ = std::thread(
        [gone = std::move(leftovers)]() mutable { const Leftovers freed = std::move(gone); });
  } catch (const std::system_error&) {
  }
}

}  // namespace zek

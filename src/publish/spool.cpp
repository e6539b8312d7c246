// The spool: the run's RTF, read while it is written.
#include "publish/spool.h"

#include <utility>

namespace zek {

Spool::Spool() : bytes_(std::make_unique<TemporaryBytes>()) {}

Spool::~Spool() {
  // A draft still being made stops at the end of what was written.
  if (bytes_) bytes_->close();
}

void Spool::read_index_early() {
  early_index_ = std::make_unique<EarlyIndex>();
}

void Spool::draft_page_early(Utf8Converter to_utf8, bool link_brackets) {
  early_pages_ = std::make_unique<EarlyPages>(*bytes_, std::move(to_utf8), link_brackets);
}

bool Spool::write(std::string_view bytes) {
  if (early_index_) early_index_->write(bytes);
  return bytes_->append(bytes);
}

std::unique_ptr<RtfSource> Spool::read(uint64_t offset) {
  return std::make_unique<TemporaryBytesSource>(*bytes_, offset, TemporaryBytesSource::Waiting::no);
}

std::optional<HelpIndex> Spool::take_early_index() {
  if (!early_index_) return std::nullopt;
  return early_index_->finish();
}

std::optional<PageDraft> Spool::take_early_draft() {
  bytes_->close();
  if (!early_pages_) return std::nullopt;
  return early_pages_->finish();
}

std::unique_ptr<TemporaryBytes> Spool::release() {
  bytes_->close();
  early_pages_.reset();  // its threads read the bytes
  early_index_.reset();
  return std::move(bytes_);
}

}  // namespace zek

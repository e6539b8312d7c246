// The two parts of the pages: where they split, what they share, the thread.
#include "publish/page_parts.h"

#include <system_error>

namespace zek {

const ReaderPlace* second_part_place(const PublishJob& job, const HelpIndex& help) {
  if (!job.open_rtf_at) return nullptr;
  const uint64_t middle = help.document_size() / 2;
  const ReaderPlace* best = nullptr;
  uint64_t best_distance = 0;
  for (const ReaderPlace& place : help.resume_places()) {
    if (place.topic == 0 || place.topic >= help.size()) continue;
    const uint64_t distance = place.offset > middle ? place.offset - middle : middle - place.offset;
    if (best == nullptr || distance < best_distance) {
      best = &place;
      best_distance = distance;
    }
  }
  return best;
}

SharedPageTools::SharedPageTools(const PublishJob& job, OutputFolder* folder)
    : job_(job), folder_(folder, mutex_) {
  if (job.to_utf8) {
    to_utf8_ = [this](std::string_view text) {
      const std::lock_guard<std::mutex> lock(mutex_);
      return job_.to_utf8(text);
    };
  }
  for (std::unique_ptr<Placer>& placer : placers_) {
    placer = std::make_unique<Placer>(job.bitmaps, mutex_);
  }
}

PublishJob SharedPageTools::job_for(size_t part) const {
  PublishJob job = job_;
  job.to_utf8 = to_utf8_;
  if (job_.bitmaps != nullptr) job.bitmaps = placers_[part].get();
  return job;
}

void SharedPageTools::finish() {
  if (job_.bitmaps == nullptr) return;
  std::vector<std::string> order;
  std::unordered_set<std::string> seen;
  for (const std::unique_ptr<Placer>& placer : placers_) {
    for (const std::string& name : placer->met) {
      if (seen.insert(name).second) order.push_back(name);
    }
  }
  job_.bitmaps->met_in_order(order);
}

std::optional<std::string> SharedPageTools::Placer::place(std::string_view name) {
  if (known_.emplace(name).second) met.emplace_back(name);
  const std::lock_guard<std::mutex> lock(mutex_);
  return inner_->place(name);
}

std::unique_ptr<OutputStream> SharedPageTools::Folder::create(const std::string& relative) {
  const std::lock_guard<std::mutex> lock(mutex_);
  return inner_->create(relative);
}

// A project's folder links or writes the pages of both parts at once.
bool SharedPageTools::Folder::put(const std::string& relative, std::string_view bytes) {
  if (inner_->takes_files_at_once()) return inner_->put(relative, bytes);
  const std::lock_guard<std::mutex> lock(mutex_);
  return inner_->put(relative, bytes);
}

bool SharedPageTools::Folder::commit(const std::string& last) {
  const std::lock_guard<std::mutex> lock(mutex_);
  return inner_->commit(last);
}

void SharedPageTools::Folder::discard() {
  const std::lock_guard<std::mutex> lock(mutex_);
  inner_->discard();
}

bool PartThread::start(std::function<void()> work) {
  try {
    thread_ = std::thread(std::move(work));
  } catch (const std::system_error&) {
    return false;
  }
  return true;
}

void PartThread::join() {
  if (thread_.joinable()) thread_.join();
}

}  // namespace zek

// The early draft of the single page: a reading thread and a drafting thread.
#include "publish/early_pages.h"

#include <system_error>
#include <utility>

#include "publish/help_reader.h"

namespace zek {

EarlyPages::EarlyPages(TemporaryBytes& rtf, Utf8Converter to_utf8, bool link_brackets)
    : rtf_(rtf), drafter_(std::make_unique<PageDrafter>(std::move(to_utf8), link_brackets)) {
  try {
    drafting_ = std::thread([this] { draft_topics(); });
    reader_ = std::thread([this] { read_topics(); });
  } catch (const std::system_error&) {
    // No thread: the page is drafted from the spool once it is complete.
    end_of_topics();
    join();
    draft_.reset();
  }
}

EarlyPages::~EarlyPages() {
  join();
}

void EarlyPages::join() {
  if (reader_.joinable()) reader_.join();
  if (drafting_.joinable()) drafting_.join();
}

std::optional<PageDraft> EarlyPages::finish() {
  join();
  // The topics read into go before the page is assembled.
  spares_ = std::vector<Topic>();
  queue_ = std::deque<Passed>();
  return std::exchange(draft_, std::nullopt);
}

void EarlyPages::read_topics() {
  TemporaryBytesSource source(rtf_, 0, TemporaryBytesSource::Waiting::until_closed);
  HelpReader reader(source);
  uint64_t tables_passed = 0;
  for (;;) {
    Passed passed{spare_topic(), std::nullopt};
    if (!reader.next_topic(passed.topic)) break;
    if (reader.tables().changes != tables_passed) {
      passed.tables = reader.tables();
      tables_passed = reader.tables().changes;
    }
    pass(std::move(passed));
  }
  end_of_topics();
}

void EarlyPages::draft_topics() {
  std::deque<Passed> taken;
  while (take_topics(taken)) {
    for (const Passed& passed : taken) {
      if (passed.tables) drafter_->set_tables(*passed.tables);
      drafter_->topic(passed.topic);
    }
    give_back(taken);
  }
  draft_ = drafter_->finish();
  drafter_.reset();
}

Topic EarlyPages::spare_topic() {
  const std::lock_guard<std::mutex> lock(mutex_);
  if (spares_.empty()) return Topic();
  Topic topic = std::move(spares_.back());
  spares_.pop_back();
  return topic;
}

void EarlyPages::pass(Passed passed) {
  std::unique_lock<std::mutex> lock(mutex_);
  while (queue_.size() >= kMaxPassed) {
    reader_waits_ = true;
    returned_.wait(lock);
  }
  queue_.push_back(std::move(passed));
  if (drafter_waits_ && queue_.size() >= kWakeDrafterAt) {
    drafter_waits_ = false;
    lock.unlock();
    passed_.notify_one();
  }
}

void EarlyPages::end_of_topics() {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    ended_ = true;
  }
  passed_.notify_one();
}

bool EarlyPages::take_topics(std::deque<Passed>& taken) {
  std::unique_lock<std::mutex> lock(mutex_);
  while (queue_.empty() && !ended_) {
    drafter_waits_ = true;
    passed_.wait(lock);
  }
  if (queue_.empty()) return false;
  taken.swap(queue_);
  if (reader_waits_) {
    reader_waits_ = false;
    lock.unlock();
    returned_.notify_one();
  }
  return true;
}

void EarlyPages::give_back(std::deque<Passed>& taken) {
  const std::lock_guard<std::mutex> lock(mutex_);
  for (Passed& passed : taken) spares_.push_back(std::move(passed.topic));
  taken.clear();
}

}  // namespace zek

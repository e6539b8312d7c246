// Writing the pages in two parts at once: the topics before a place near
// the middle of the document on the calling thread, those from it on a
// thread of their own, each part read by a reader of its own. The second
// reader resumes where the first read of the document kept a place
// (HelpIndex::resume_places()), so it starts with the tables, groups and
// formatting that stand there, and both parts make the bytes one reader
// would have made.
//
// What both parts use besides the help-wide index (the bitmaps copied
// beside the pages, the files of a project, the code page converter) is
// taken through one lock, except the pages of a project folder that takes
// files from both at once. The second part's bitmaps are handed back in the
// order of the document.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <unordered_set>
#include <vector>

#include "publish/help_index.h"
#include "publish/help_reader.h"
#include "publish/publish.h"
#include "publish/topic_html.h"

namespace zek {

// Of the first read's places, the one nearest the middle of the document's
// bytes; null when there is none (a short help) or the job cannot read the
// document from an offset.
const ReaderPlace* second_part_place(const PublishJob& job, const HelpIndex& help);

// Reads the topics numbered `first` up to `end` from `reader` and hands
// each to `write(topic, index)`; stops early when the reader has no more.
template <typename Write>
void read_topics(HelpReader& reader, size_t first, size_t end, Write&& write) {
  Topic topic;
  for (size_t index = first; index < end && reader.next_topic(topic); ++index) {
    write(topic, index);
  }
}

class SharedPageTools;

// Writes the topics `reader` reads with `first`, and where the help splits
// in two, those of the second part with the writer `make_second(tables,
// first_topic)` makes, on a thread of its own. A writer has topic(topic,
// index), end_part() (its last topic is written), follow(part) (puts what
// the second part writes after its own, as it comes, until the part ends;
// false when that failed) and continue_after(part) (goes on from where the
// finished part ended). False when following failed.
template <typename Writer, typename MakeSecond>
bool write_in_parts(const PublishJob& job, const HelpIndex& help, SharedPageTools& shared,
                    HelpReader& reader, Writer& first, MakeSecond&& make_second);

// What the two parts share, behind one lock. Each part places its bitmaps
// through a placer of its own, which remembers the names in its order.
class SharedPageTools {
 public:
  SharedPageTools(const PublishJob& job, OutputFolder* folder);

  // The job with its converter and bitmaps behind the lock; `part` 0 or 1.
  PublishJob job_for(size_t part) const;
  // The project's folder behind the lock.
  OutputFolder& folder() { return folder_; }
  // Tells the job's placer the order the document named the bitmaps in:
  // the first part's, then the second's.
  void finish();

 private:
  class Placer : public BitmapPlacer {
   public:
    Placer(BitmapPlacer* inner, std::mutex& mutex) : inner_(inner), mutex_(mutex) {}
    std::optional<std::string> place(std::string_view name) override;
    std::vector<std::string> met;  // each name once, in the order of this part

   private:
    std::unordered_set<std::string> known_;
    BitmapPlacer* inner_;
    std::mutex& mutex_;
  };

  class Folder : public OutputFolder {
   public:
    Folder(OutputFolder* inner, std::mutex& mutex) : inner_(inner), mutex_(mutex) {}
    std::unique_ptr<OutputStream> create(const std::string& relative) override;
    bool put(const std::string& relative, std::string_view bytes) override;
    bool commit(const std::string& last) override;
    void discard() override;

   private:
    OutputFolder* inner_;
    std::mutex& mutex_;
  };

  const PublishJob& job_;
  mutable std::mutex mutex_;
  Utf8Converter to_utf8_;
  std::array<std::unique_ptr<Placer>, 2> placers_;
  Folder folder_;
};

// The thread of the second part.
class PartThread {
 public:
  PartThread() = default;
  ~PartThread() { join(); }
  PartThread(const PartThread&) = delete;
  PartThread& operator=(const PartThread&) = delete;

  // Starts `work`; false when no thread can start (nothing runs then).
  bool start(std::function<void()> work);
  // Waits until the work has ended.
  void join();

 private:
  std::thread thread_;
};

template <typename Writer, typename MakeSecond>
bool write_in_parts(const PublishJob& job, const HelpIndex& help, SharedPageTools& shared,
                    HelpReader& reader, Writer& first, MakeSecond&& make_second) {
  size_t end = help.size();
  const ReaderPlace* middle = second_part_place(job, help);
  const std::unique_ptr<RtfSource> source =
      middle != nullptr ? job.open_rtf_at(middle->offset) : nullptr;
  std::optional<HelpReader> second_reader;
  std::unique_ptr<Writer> second;
  PartThread thread;
  if (source) {
    second_reader.emplace(*source, *middle);
    second = make_second(second_reader->tables(), middle->topic);
    const bool started = thread.start([&] {
      read_topics(*second_reader, middle->topic, help.size(),
                  [&](const Topic& topic, size_t index) { second->topic(topic, index); });
      second->end_part();
    });
    if (started) end = middle->topic;
  }
  read_topics(reader, 0, end, [&](const Topic& topic, size_t index) { first.topic(topic, index); });
  if (end == help.size()) return true;
  first.end_part();
  const bool followed = first.follow(*second);
  thread.join();
  shared.finish();
  first.continue_after(*second);
  return followed;
}

}  // namespace zek

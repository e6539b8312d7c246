// The HTML modes of a run (.HTM/.HTML: one page; .HHP: an HTML Help
// project). Pass 2 writes its RTF into a spool instead of the output file;
// afterwards the pages are made from the spool and written to the target,
// which is put into place like any output file.
#pragma once

#include <memory>
#include <string>

#include "commands/context.h"
#include "io/stream.h"
#include "publish/spool.h"

namespace zek {

enum class PublishForm { none, single_page, project };

class Publication {
 public:
  explicit Publication(PublishForm form) : form_(form) {}

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
  Spool spool_;
  OutputFolder* folder_ = nullptr;  // the project's, owned by the target
};

}  // namespace zek

// The HTML Help project: NAME.hhp (options and files), NAME.hhc (contents:
// topics in source order, browse sequences as books), NAME.hhk (the keyword
// index) and a page per topic and popup in NAME/, in code page 932 as the
// HTML Help compiler reads Japanese best. A context string that is not a
// page's own name gets a small page that forwards to its topic, so any
// context string's page name leads to its topic, as a sibling help expects.
#include <set>

#include "base/cat.h"
#include "publish/help_index.h"
#include "publish/help_reader.h"
#include "publish/page_names.h"
#include "publish/page_parts.h"
#include "publish/publish.h"
#include "publish/topic_html.h"

namespace zek {

namespace {

const char kStyleFile[] = "zek2rtf.css";

const char kPageHead[] =
    "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n"
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=shift_jis\">\n"
    "<meta http-equiv=\"X-UA-Compatible\" content=\"IE=edge\">\n";

const char kSitemapHead[] =
    "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\">\n<html>\n<head>\n"
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=shift_jis\">\n"
    "</head>\n<body>\n";

// Remembers which bitmaps went into the project, for its list of files.
class ListingPlacer : public BitmapPlacer {
 public:
  explicit ListingPlacer(BitmapPlacer* inner) : inner_(inner) {}
  std::optional<std::string> place(std::string_view name) override {
    if (inner_ == nullptr) return std::nullopt;
    std::optional<std::string> src = inner_->place(name);
    if (src) placed.insert(*src);
    return src;
  }
  std::set<std::string> placed;

 private:
  BitmapPlacer* inner_;
};

// A value of the project file: control bytes dropped.
std::string option_value(std::string_view text) {
  std::string value;
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x20) value.push_back(c);
  }
  return value;
}

class Project {
 public:
  Project(const PublishJob& job, const HelpIndex& help, const DocumentTables& tables,
          const std::string& name, OutputFolder& folder)
      : help_(help),
        placer_(job.bitmaps),
        html_(help, tables, PageMode::project, &placer_),
        name_(name),
        folder_(folder) {
    html_.set_link_brackets(job.link_brackets);
  }

  void topic(const Topic& topic, size_t index);
  void end_part() {}
  // The part's pages are files of their own: nothing to put in place.
  static bool follow(const Project& /*part*/) { return true; }
  // Lists the pages `part` wrote after this writer's and goes on from there.
  void continue_after(const Project& part);
  bool finish();

 private:
  void write(const std::string& relative, const std::string& bytes);
  void forwarding_page(const std::string& context, size_t index);
  std::string sitemap_object(std::string_view title, size_t topic) const;
  void contents();
  void keyword_index();
  void project_file();

  const HelpIndex& help_;
  ListingPlacer placer_;
  TopicHtml html_;
  std::string name_;
  OutputFolder& folder_;
  std::vector<std::string> pages_;
  bool failed_ = false;
};

void Project::write(const std::string& relative, const std::string& bytes) {
  if (!folder_.put(relative, bytes)) failed_ = true;
  pages_.push_back(relative);
}

void Project::topic(const Topic& topic, size_t index) {
  const TopicEntry& entry = help_.topic(index);
  std::string out = kPageHead;
  out += "<title>";
  append_escaped(out, listed_title(help_, index));
  append(out, "</title>\n<link rel=\"stylesheet\" href=\"", kStyleFile,
         "\">\n</head>\n<body class=\"", entry.popup ? "popup" : "topic", "\">\n");
  append_topic_parts(out, topic, index, help_, html_);
  out += "</body>\n</html>\n";
  write(cat(name_, '/', entry.page, ".htm"), out);
  for (size_t k = 1; k < entry.contexts.size(); ++k) forwarding_page(entry.contexts[k], index);
}

void Project::continue_after(const Project& part) {
  pages_.insert(pages_.end(), part.pages_.begin(), part.pages_.end());
  placer_.placed.insert(part.placer_.placed.begin(), part.placer_.placed.end());
  failed_ = failed_ || part.failed_;
}

void Project::forwarding_page(const std::string& context, size_t index) {
  const std::optional<std::string> href = html_.context_href(context, nullptr);
  if (!href) return;
  std::string out = kPageHead;
  append(out, "<meta http-equiv=\"refresh\" content=\"0; url=", *href, "\">\n<title>");
  append_escaped(out, listed_title(help_, index));
  append(out, "</title>\n</head>\n<body>\n<p><a href=\"", *href, "\">");
  append_escaped(out, listed_title(help_, index));
  out += "</a></p>\n</body>\n</html>\n";
  write(cat(name_, '/', page_name(context), ".htm"), out);
}

std::string Project::sitemap_object(std::string_view title, size_t topic) const {
  std::string out = "<object type=\"text/sitemap\">\n<param name=\"Name\" value=\"";
  append_escaped(out, title);
  out += "\">\n<param name=\"Local\" value=\"";
  append_escaped(out, name_);
  append(out, '/', help_.topic(topic).page, ".htm\">\n</object>\n");
  return out;
}

void Project::contents() {
  std::string out = kSitemapHead;
  out +=
      "<object type=\"text/site properties\">\n<param name=\"ImageType\" value=\"Folder\">\n"
      "</object>\n<ul>\n";
  for (const ContentsEntry& entry : help_.contents()) {
    if (!entry.book.empty()) {
      out += "<li><object type=\"text/sitemap\">\n<param name=\"Name\" value=\"";
      append_escaped(out, entry.book);
      out += "\">\n</object>\n<ul>\n";
    }
    for (const size_t topic : entry.topics) {
      append(out, "<li>", sitemap_object(listed_title(help_, topic), topic));
    }
    if (!entry.book.empty()) out += "</ul>\n";
  }
  out += "</ul>\n</body>\n</html>\n";
  write(cat(name_, ".hhc"), out);
}

void Project::keyword_index() {
  std::string out = kSitemapHead;
  out += "<ul>\n";
  for (const KeywordEntry& keyword : help_.keywords()) {
    out += "<li><object type=\"text/sitemap\">\n<param name=\"Name\" value=\"";
    append_escaped(out, keyword.keyword);
    out += "\">\n";
    for (const size_t topic : keyword.topics) {
      out += "<param name=\"Name\" value=\"";
      append_escaped(out, listed_title(help_, topic));
      out += "\">\n<param name=\"Local\" value=\"";
      append_escaped(out, name_);
      append(out, '/', help_.topic(topic).page, ".htm\">\n");
    }
    out += "</object>\n";
  }
  out += "</ul>\n</body>\n</html>\n";
  write(cat(name_, ".hhk"), out);
}

void Project::project_file() {
  std::string out = "[OPTIONS]\r\nCompatibility=1.1 or later\r\n";
  append(out, "Compiled file=", name_, ".chm\r\nContents file=", name_,
         ".hhc\r\nIndex file=", name_, ".hhk\r\n");
  if (help_.size() != 0) {
    append(out, "Default topic=", name_, '/', help_.topic(help_.first_topic()).page, ".htm\r\n");
    append(out, "Title=", option_value(listed_title(help_, help_.first_topic())), "\r\n");
  }
  out +=
      "Display compile progress=No\r\nLanguage=0x411 Japanese (Japan)\r\nBinary Index=No\r\n"
      "\r\n[FILES]\r\n";
  for (const std::string& page : pages_) {
    if (page.find('/') != std::string::npos) append(out, page, "\r\n");
  }
  for (const std::string& bitmap : placer_.placed) append(out, name_, '/', bitmap, "\r\n");
  write(cat(name_, ".hhp"), out);
}

bool Project::finish() {
  write(cat(name_, '/', kStyleFile),
        cat(kCommonStyle, "body.popup .caption{display:none}\n", ".nsr{position:sticky;top:0}\n"));
  contents();
  keyword_index();
  project_file();
  return !failed_;
}

}  // namespace

bool write_project(const PublishJob& job, const std::string& name, OutputFolder& folder) {
  const HelpIndex help = index_help(job);
  SharedPageTools shared(job, &folder);
  const PublishJob first_job = shared.job_for(0);
  const PublishJob second_job = shared.job_for(1);
  const std::unique_ptr<RtfSource> source = job.open_rtf();
  HelpReader reader(*source);
  Project project(first_job, help, reader.tables(), name, shared.folder());
  const bool parts_written =
      write_in_parts(job, help, shared, reader, project, [&](const DocumentTables& tables, size_t) {
        return std::make_unique<Project>(second_job, help, tables, name, shared.folder());
      });
  return parts_written && project.finish();
}

}  // namespace zek

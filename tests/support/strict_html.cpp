// The strict page reader.
#include "support/strict_html.h"

#include <set>
#include <vector>

namespace zek::testing {

namespace {

bool is_name_char(char c) {
  return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
}

bool is_void(std::string_view tag) {
  return tag == "meta" || tag == "link" || tag == "br" || tag == "img" || tag == "param" ||
         tag == "hr" || tag == "input";
}

bool is_block(std::string_view tag) {
  return tag == "p" || tag == "div" || tag == "section" || tag == "table" || tag == "ul" ||
         tag == "h1" || tag == "h2" || tag == "nav" || tag == "main";
}

class Checker {
 public:
  explicit Checker(std::string_view page) : page_(page) {}

  std::string run() {
    if (page_.substr(0, 9) == "<!DOCTYPE") {
      pos_ = page_.find('>');
      if (pos_ == std::string_view::npos) return fail("unclosed doctype");
      ++pos_;
    }
    while (pos_ < page_.size() && error_.empty()) {
      const char c = page_[pos_];
      if (c == '<') {
        tag();
      } else if (c == '&') {
        reference();
      } else {
        ++pos_;
      }
    }
    if (error_.empty() && !open_.empty()) fail("unclosed <" + open_.back() + ">");
    return error_;
  }

 private:
  std::string fail(const std::string& what) {
    if (error_.empty()) error_ = what + " at byte " + std::to_string(pos_);
    return error_;
  }

  void reference() {
    size_t end = pos_ + 1;
    if (end < page_.size() && page_[end] == '#') {
      ++end;
      const bool hex = end < page_.size() && page_[end] == 'x';
      if (hex) ++end;
      const size_t digits = end;
      while (end < page_.size() && (isdigit(static_cast<unsigned char>(page_[end])) ||
                                    (hex && isxdigit(static_cast<unsigned char>(page_[end]))))) {
        ++end;
      }
      if (end == digits) fail("bad character reference");
    } else {
      const size_t letters = end;
      while (end < page_.size() && isalpha(static_cast<unsigned char>(page_[end]))) ++end;
      if (end == letters) fail("bare &");
    }
    if (end >= page_.size() || page_[end] != ';') fail("unterminated reference");
    pos_ = end + 1;
  }

  void tag() {
    ++pos_;
    const bool closing = pos_ < page_.size() && page_[pos_] == '/';
    if (closing) ++pos_;
    const size_t start = pos_;
    while (pos_ < page_.size() && is_name_char(page_[pos_])) ++pos_;
    const std::string name(page_.substr(start, pos_ - start));
    if (name.empty()) {
      fail("a \"<\" that starts no tag");
      return;
    }
    if (name == "script") {
      fail("script");
      return;
    }
    if (closing) {
      if (pos_ >= page_.size() || page_[pos_] != '>') fail("bad end tag");
      ++pos_;
      if (open_.empty() || open_.back() != name) {
        fail("</" + name + "> closes " + (open_.empty() ? std::string("nothing") : open_.back()));
        return;
      }
      open_.pop_back();
      return;
    }
    if (is_block(name)) {
      for (const std::string& outer : open_) {
        if (outer == "p") fail("<" + name + "> inside <p>");
      }
    }
    attributes();
    if (pos_ >= page_.size() || page_[pos_] != '>') {
      fail("unterminated tag <" + name + ">");
      return;
    }
    ++pos_;
    if (name == "style") {
      const size_t end = page_.find("</style>", pos_);
      if (end == std::string_view::npos) {
        fail("unclosed style");
        return;
      }
      pos_ = end + 8;
      return;
    }
    if (!is_void(name)) open_.push_back(name);
  }

  void attributes() {
    for (;;) {
      while (pos_ < page_.size() && page_[pos_] == ' ') ++pos_;
      if (pos_ >= page_.size() || page_[pos_] == '>') return;
      const size_t start = pos_;
      while (pos_ < page_.size() && (is_name_char(page_[pos_]) || page_[pos_] == '_')) ++pos_;
      const std::string name(page_.substr(start, pos_ - start));
      if (name.empty()) {
        fail("bad attribute");
        return;
      }
      if (name.substr(0, 2) == "on") fail("event handler " + name);
      if (pos_ >= page_.size() || page_[pos_] != '=') continue;  // a bare attribute
      ++pos_;
      if (pos_ >= page_.size() || page_[pos_] != '"') {
        fail("unquoted attribute " + name);
        return;
      }
      const size_t end = page_.find('"', pos_ + 1);
      if (end == std::string_view::npos) {
        fail("unterminated attribute");
        return;
      }
      const std::string_view value = page_.substr(pos_ + 1, end - pos_ - 1);
      if (value.find('<') != std::string_view::npos) fail("\"<\" in attribute " + name);
      if ((name == "href" || name == "src") && value.find(':') != std::string_view::npos) {
        fail("address with a scheme: " + std::string(value));
      }
      if (name == "id" && !ids_.insert(std::string(value)).second) {
        fail("duplicate id " + std::string(value));
      }
      pos_ = end + 1;
    }
  }

  std::string_view page_;
  size_t pos_ = 0;
  std::vector<std::string> open_;
  std::set<std::string> ids_;
  std::string error_;
};

}  // namespace

std::string check_page(std::string_view page) {
  return Checker(page).run();
}

}  // namespace zek::testing

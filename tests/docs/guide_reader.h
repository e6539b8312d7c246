// Reads the checked examples out of the author's guide (a Markdown file).
//
// An example is a fenced block ```zek (the source "in.zek"), optionally
// preceded by attribute comments and followed by further fenced blocks:
//   <!-- options: -I@ -M -->   options put before "in.zek" and the output name
//   <!-- args: / sub/in.zek -->  the whole command line instead
//   <!-- source: sub/in.zek -->  the name of the ```zek block's file
//   <!-- status: 1 -->          the expected exit status (0 when not given)
//   <!-- unchecked -->          shown in the guide but not run
//   ```zek NAME, ```id NAME     a further input file
//   ```rtf, ```text, ```xtf     the expected output file (RTF, .TXT, .XTF)
//   ```id                       the expected ID file
//   ```stderr, ```stdout        the expected console texts (empty when absent)
// An example ends at the next heading, attribute comment or ```zek block.
#pragma once

#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace zek::testing {

struct GuideExample {
  std::string heading;  // the nearest heading above the example
  int line = 0;         // line of the ```zek fence in the guide
  std::vector<std::string> options;
  std::vector<std::string> args;  // empty: options, "in.zek", output name
  std::string source = "in.zek";
  int status = 0;
  bool unchecked = false;
  std::map<std::string, std::string> inputs;        // file name -> text
  std::map<std::string, std::string> expectations;  // block kind -> text
};

struct GuideContents {
  std::vector<GuideExample> examples;
  std::vector<std::string> problems;  // "line N: what is wrong"
};

namespace guide_detail {

inline std::vector<std::string> split_words(const std::string& text) {
  std::vector<std::string> words;
  std::istringstream in(text);
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

inline bool is_output_kind(const std::string& kind) {
  return kind == "rtf" || kind == "text" || kind == "xtf" || kind == "id" || kind == "stderr" ||
         kind == "stdout";
}

// "## Topics and popups" -> "Topics and popups".
inline std::string heading_text(const std::string& line) {
  const size_t start = line.find_first_not_of("# ");
  return start == std::string::npos ? std::string() : line.substr(start);
}

inline bool is_number(const std::string& text) {
  return !text.empty() && text.size() < 4 &&
         text.find_first_not_of("0123456789") == std::string::npos;
}

// The attributes gathered from comments, waiting for their ```zek block.
struct PendingAttributes {
  std::vector<std::string> options, args;
  std::string source = "in.zek";
  int status = 0;
  bool unchecked = false;
  bool any = false;
};

class Reader {
 public:
  GuideContents read(const std::string& markdown) {
    std::istringstream in(markdown);
    std::string line;
    while (std::getline(in, line)) {
      ++line_number_;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (fence_open_) {
        read_fenced_line(line);
      } else if (line.rfind("```", 0) == 0) {
        open_fence(line.substr(3));
      } else if (line.rfind("#", 0) == 0) {
        heading_ = heading_text(line);
        close_example();
      } else if (line.rfind("<!--", 0) == 0) {
        read_comment(line);
      }
    }
    if (fence_open_) problem(fence_line_, "fenced block not closed");
    close_example();
    if (pending_.any) problem(line_number_, "attribute comment without a ```zek block");
    return std::move(contents_);
  }

 private:
  void problem(int line, const std::string& what) {
    contents_.problems.push_back("line " + std::to_string(line) + ": " + what);
  }

  void read_comment(const std::string& line) {
    const size_t end = line.find("-->");
    if (end == std::string::npos) return;
    const std::string body = line.substr(4, end - 4);
    const std::vector<std::string> words = split_words(body);
    if (words.empty()) return;
    const std::string& key = words[0];
    if (key == "unchecked") {
      close_example();
      pending_.unchecked = pending_.any = true;
      return;
    }
    if (key.back() != ':') return;  // a remark for the reader of the Markdown
    close_example();
    const std::vector<std::string> values(words.begin() + 1, words.end());
    pending_.any = true;
    if (key == "options:") {
      pending_.options = values;
    } else if (key == "args:") {
      pending_.args = values;
    } else if (key == "source:" && values.size() == 1) {
      pending_.source = values[0];
    } else if (key == "status:" && values.size() == 1 && is_number(values[0])) {
      pending_.status = std::stoi(values[0]);
    } else {
      problem(line_number_, "unknown example attribute: " + body);
    }
  }

  void open_fence(const std::string& info) {
    fence_open_ = true;
    fence_line_ = line_number_;
    fence_text_.clear();
    const std::vector<std::string> words = split_words(info);
    fence_kind_ = words.empty() ? "" : words[0];
    fence_name_ = words.size() > 1 ? words[1] : "";
    if (words.size() > 2) problem(line_number_, "fence info has more than a kind and a name");
  }

  void read_fenced_line(const std::string& line) {
    if (line == "```") {
      fence_open_ = false;
      close_fence();
      return;
    }
    fence_text_ += line;
    fence_text_ += '\n';
  }

  void close_fence() {
    if (fence_kind_ == "zek" && fence_name_.empty()) {
      close_example();
      start_example();
      return;
    }
    const bool input = (fence_kind_ == "zek" || fence_kind_ == "id") && !fence_name_.empty();
    if (!input && !is_output_kind(fence_kind_)) return;  // an illustration, not checked
    if (!open_) {
      problem(fence_line_, "```" + fence_kind_ + " block outside an example");
      return;
    }
    if (input) {
      if (!current_.inputs.emplace(fence_name_, fence_text_).second)
        problem(fence_line_, "input file given twice: " + fence_name_);
    } else if (!current_.expectations.emplace(fence_kind_, fence_text_).second) {
      problem(fence_line_, "expected " + fence_kind_ + " given twice");
    }
  }

  void start_example() {
    current_ = GuideExample{};
    current_.heading = heading_;
    current_.line = fence_line_;
    current_.options = pending_.options;
    current_.args = pending_.args;
    current_.status = pending_.status;
    current_.unchecked = pending_.unchecked;
    current_.source = pending_.source;
    current_.inputs[current_.source] = fence_text_;
    pending_ = PendingAttributes{};
    open_ = true;
  }

  void close_example() {
    if (!open_) return;
    open_ = false;
    if (current_.expectations.empty())
      problem(current_.line, "example without an expected output block");
    contents_.examples.push_back(std::move(current_));
  }

  GuideContents contents_;
  PendingAttributes pending_;
  GuideExample current_;
  bool open_ = false;
  std::string heading_;
  int line_number_ = 0;
  bool fence_open_ = false;
  int fence_line_ = 0;
  std::string fence_kind_, fence_name_, fence_text_;
};

}  // namespace guide_detail

inline GuideContents read_guide(const std::string& markdown) {
  return guide_detail::Reader().read(markdown);
}

// The command line of an example (without the program name): its own, or its
// options, the source and an output name of the kind its blocks show.
inline std::vector<std::string> example_arguments(const GuideExample& example) {
  if (!example.args.empty()) return example.args;
  std::vector<std::string> arguments = example.options;
  arguments.push_back(example.source);
  const auto& expected = example.expectations;
  arguments.push_back(expected.count("text")  ? "out.txt"
                      : expected.count("xtf") ? "out.xtf"
                                              : "out.rtf");
  return arguments;
}

}  // namespace zek::testing

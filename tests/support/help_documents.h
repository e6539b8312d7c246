// Help documents in the help compiler's RTF dialect for the tests of the
// HTML modes: a topic with its footnotes, and a long document of jumps and
// popups.
#pragma once

#include <string>

namespace zek::testing {

// A topic titled `title` with the context string `context`, in the browse
// sequence "main" and with the keywords `title` and "Shared", whose text is
// `body`.
inline std::string topic_rtf(const std::string& title, const std::string& context,
                             const std::string& body) {
  return "\\pard ${\\footnote $" + title + "}\r\n+{\\footnote main:" + context +
         "}\r\n#{\\footnote #" + context + "}\r\nK{\\footnote K" + title + ";Shared;}\r\n" + body +
         "{\\par }\r\n{\\page }\r\n";
}

// 3,000 topics, each with a jump to the next and a popup hot spot to a popup
// of its own: 6,000 topics, the last one untitled.
inline std::string documents_long() {
  std::string rtf = "{\\rtf1 \\ansi \\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\r\n";
  for (int i = 0; i < 3000; ++i) {
    const std::string n = std::to_string(i);
    rtf += topic_rtf("Topic " + n, "T" + n,
                     "Body {\\uldb next}{\\v T" + std::to_string((i + 1) % 3000) +
                         "} and {\\ul note}{\\v P" + n + "}\\fs20 more text");
    rtf += "#{\\footnote #P" + n + "}Popup " + n + "{\\par }{\\page }\r\n";
  }
  return rtf + "}\r\n";
}

}  // namespace zek::testing

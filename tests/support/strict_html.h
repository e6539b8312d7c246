// A small strict reader of the pages the converter writes, for tests: every
// element closed in order (but the void ones), attributes quoted, character
// references well formed, ids unique, no script, no event handler, no
// address with a scheme, and no block inside a paragraph.
#pragma once

#include <string>
#include <string_view>

namespace zek::testing {

// An empty text when `page` passes; otherwise what is wrong and where.
std::string check_page(std::string_view page);

}  // namespace zek::testing

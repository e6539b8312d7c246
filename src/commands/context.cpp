// The out-of-line members of the run-wide state: the Context's construction
// and the pending attributes' reset and border test.
#include "commands/context.h"

#include "links/link_matcher.h"

namespace zek {

Context::Context() = default;
Context::~Context() = default;

void FormatState::unset_pending() {
  bold = italic = size = font = space_after = space_before = kUnset;
  box = border_bottom = border_left = border_top = border_right = kUnset;
}

bool FormatState::any_border() const {
  return box != kUnset || border_bottom != kUnset || border_left != kUnset ||
         border_top != kUnset || border_right != kUnset;
}

}  // namespace zek

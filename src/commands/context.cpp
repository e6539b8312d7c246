// Context construction and the console writes.
#include "commands/context.h"

#include "links/link_matcher.h"

namespace zek {

Context::Context() = default;
Context::~Context() = default;

}  // namespace zek

// Hot-spot targets: the forms the help compiler reads from hidden text.
#include "publish/link_target.h"

#include <string>

#include "base/sjis.h"

namespace zek {

namespace {

bool equals_ignoring_case(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i];
    char y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

// One macro argument without its quotes ("x", `x' or 'x').
std::string_view unquote(std::string_view argument) {
  argument = trim_blanks(argument);
  if (argument.size() >= 2) {
    const char open = argument.front();
    const char close = argument.back();
    if ((open == '"' && close == '"') || (open == '`' && close == '\'') ||
        (open == '\'' && close == '\'')) {
      return argument.substr(1, argument.size() - 2);
    }
  }
  return argument;
}

}  // namespace

std::string_view trim_blanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t' || text.front() == '\r' ||
                           text.front() == '\n')) {
    text.remove_prefix(1);
  }
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r' ||
                           text.back() == '\n')) {
    text.remove_suffix(1);
  }
  return text;
}

void read_jump_macro(LinkTarget& target) {
  const std::string_view macro = trim_blanks(target.macro);
  const size_t open = mbs_strchr(macro, '(');
  if (open == std::string_view::npos || macro.back() != ')') return;
  const std::string_view name = trim_blanks(macro.substr(0, open));
  if (!equals_ignoring_case(name, "JI") && !equals_ignoring_case(name, "JumpId")) return;
  const std::string_view arguments = macro.substr(open + 1, macro.size() - open - 2);
  const size_t comma = mbs_strchr(arguments, ',');
  if (comma == std::string_view::npos) return;
  const std::string_view file = unquote(arguments.substr(0, comma));
  std::string_view context = unquote(arguments.substr(comma + 1));
  const size_t window = mbs_strchr(context, '>');
  if (window != std::string_view::npos) {
    target.window = std::string(context.substr(window + 1));
    context = context.substr(0, window);
  }
  if (context.empty()) return;
  target.kind = LinkKind::jump;
  target.file = std::string(file);
  target.context = std::string(context);
}

LinkTarget read_link_target(std::string_view hidden, LinkKind kind) {
  LinkTarget target;
  target.kind = kind;
  hidden = trim_blanks(hidden);
  if (!hidden.empty() && hidden.front() == '%') {
    target.look = LinkLook::plain;
    hidden.remove_prefix(1);
  } else if (!hidden.empty() && hidden.front() == '*') {
    target.look = LinkLook::no_underline;
    hidden.remove_prefix(1);
  }
  if (!hidden.empty() && hidden.front() == '!') {
    target.kind = LinkKind::macro;
    target.macro = std::string(hidden.substr(1));
    read_jump_macro(target);
    return target;
  }
  const size_t window = mbs_strchr(hidden, '>');
  if (window != std::string_view::npos) {
    target.window = std::string(trim_blanks(hidden.substr(window + 1)));
    hidden = hidden.substr(0, window);
  }
  const size_t at = mbs_strchr(hidden, '@');
  if (at != std::string_view::npos) {
    target.file = std::string(trim_blanks(hidden.substr(at + 1)));
    hidden = hidden.substr(0, at);
  }
  target.context = std::string(trim_blanks(hidden));
  return target;
}

}  // namespace zek

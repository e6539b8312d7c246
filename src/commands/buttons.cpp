// Shortcut buttons: an authored button for Help Workshop (-W), or a
// double-underlined hot spot with the macro as hidden text; in text mode the
// label in angle brackets. Label and target are written as the author gave them.
#include "commands/buttons.h"

#include "base/cat.h"

namespace zek {

namespace {

// `macro_prefix` goes before the target inside the HelpProc argument.
void put_button(Context& ctx, std::string_view macro_prefix, std::string_view target,
                const std::optional<std::string>& label) {
  if (target.empty()) return;
  // A label never set, or released with "0", shows as an empty label.
  const std::string_view text = label ? std::string_view(*label) : std::string_view();
  if (ctx.options.workshop) {
    ctx.writer.button(cat("  \\{button ", text, ",HelpProc(\"", macro_prefix, target, "\")\\}"),
                      text);
  } else {
    ctx.writer.button(cat("  {\\uldb ", text, "}{\\v !HelpProc(\"", macro_prefix, target, "\")}"),
                      text);
  }
}

}  // namespace

void put_shortcut_button(Context& ctx, std::string_view target,
                         const std::optional<std::string>& label) {
  put_button(ctx, "", target, label);
}

void put_shortcut2_button(Context& ctx, std::string_view target,
                          const std::optional<std::string>& label) {
  put_button(ctx, "#", target, label);
}

}  // namespace zek

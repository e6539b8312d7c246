// The calls through which pass 2 tells the -C record what it writes. Each is
// one line at the place that writes, and does nothing unless -C is given and
// the output file is open (that is, in pass 2).
#pragma once

#include <cstdint>
#include <string_view>

#include "commands/context.h"

namespace zek {

// A header's "$" title: a new topic (or popup) begins.
void note_topic(Context& ctx, std::string_view title, bool popup);

// A "$", "K", "+" or "!" footnote with its text as the author wrote it.
void note_footnote(Context& ctx, char mark, std::string_view text);

// "#{\footnote #XX<n>}" of a header or alias name (n may be -1).
void note_context_number(Context& ctx, int32_t number);

// A "#" footnote the author named (.idx, .id, an "@" name under -I@@), as the
// source wrote it; it is recorded sanitized, as the help compiler reads it.
void note_context_string(Context& ctx, std::string_view text);

// A hot spot written for NameTable entry `entry`.
void note_hot_spot(Context& ctx, size_t entry);

// A group button that jumps to `context_string` in this help file.
void note_group_jump(Context& ctx, std::string_view context_string);

// A raw RTF line, or a body-text line whose raw regions may hold jump codes.
void note_raw_rtf(Context& ctx, std::string_view rtf);
void note_raw_regions(Context& ctx, std::string_view body);

}  // namespace zek

// What headers, aliases and the ID commands write in common: the -V trace
// lines, the numbered context string of a name, the keyword footnote and the
// extra context string of an "@" name under -I@@.
#pragma once

#include <cstdint>
#include <string_view>

#include "commands/context.h"
#include "source/cursor.h"

namespace zek {

// Prints a -V trace line on standard output (in both passes).
void trace(Context& ctx, std::string_view line);

// "#{\footnote #XX<n>}\r\n": the context string every hot spot for the name
// jumps to. A name without an entry (an empty alias) has the number -1,
// written as an unsigned number.
void put_context_number(Context& ctx, int32_t number);

// "K{\footnote K<keyword>}\r\n" and the trace line "search\t[<keyword>]".
void put_keyword(Context& ctx, std::string_view keyword,
                 KeywordSource source = KeywordSource::given);

// Under -I@@, in pass 2: a name beginning with "@" gets the ID-file line
// "<name>:<sanitized name>" and a "#" footnote with the sanitized name, a
// context string that does not depend on the name's number.
void put_at_name_context(Context& ctx, const FileState& file, std::string_view name);

}  // namespace zek

// Automatic link insertion: writes one body line with a hot spot for every
// name of the NameTable that occurs in it.
#pragma once

#include <string>
#include <string_view>

#include "commands/context.h"
#include "links/link_matcher.h"

namespace zek {

// Writes `line` (a body line without its line end) with its hot spots.
// `header_kind` is the kind of the latest header of the current file.
void link_text_line(Context& ctx, std::string& line, std::optional<NameKind> header_kind);

// Prepares link insertion for pass 2, once the NameTable is complete.
void prepare_links(Context& ctx);

// Writes `line` with a hot spot at each claim that does not start inside an
// earlier hot spot, and sets the link marks of the names linked.
void write_linked_line(Context& ctx, std::string_view line, const LinkClaims& claims,
                       std::optional<NameKind> header_kind);

}  // namespace zek

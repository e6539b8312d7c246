// Plain-text writer. (Markup rules to come; for now the text goes out as it is.)
#include "output/plain.h"

namespace zek {

void write_plain(Sink& out, std::string_view text) { out.put(text); }

}  // namespace zek

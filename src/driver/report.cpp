// Reference report on standard output.
#include "driver/report.h"

#include "base/cat.h"

namespace zek {

void write_reference_report(Context& ctx) {
  // "popup or topic : 参照回数 : 名前\n"
  std::string report = "popup or topic : \x8EQ\x8F\xC6\x89\xF1\x90\x94 : \x96\xBC\x91O\n";
  for (const NameEntry& entry : ctx.names.entries()) {
    append(report, entry.kind == NameKind::popup ? "popup" : "topic", ':',
           space_padded(entry.ref_count, 2), ":[", entry.name, "]\n");
  }
  ctx.console.write_out(report);
}

}  // namespace zek

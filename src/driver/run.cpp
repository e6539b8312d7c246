// The run sequence: pass 1 collects the names, pass 2 writes the output.
#include "driver/run.h"

#include "context.h"
#include "driver/command_line.h"
#include "driver/report.h"
#include "driver/usage.h"
#include "names/id_file.h"
#include "output/cat.h"
#include "source/diagnostics.h"
#include "source/line_loop.h"
#include "text/link_text.h"

namespace zek {

namespace {

void write_usage(Context& ctx) {
  ctx.console.write_err(cat(usage_title(), kVersionNotice, '\n'));
  ctx.console.write_err(usage_synopsis());
  ctx.console.write_err(usage_options());
}

// Opens an output file; reports "cannot open" when it cannot be created.
std::unique_ptr<OutputFile> open_output(Context& ctx, const std::string& name) {
  std::unique_ptr<OutputFile> file = ctx.env->create_output(name);
  if (!file) report_cannot_open(ctx, name);
  return file;
}

// Flushes and puts a written file into place; reports a write failure.
bool finish_output(Context& ctx, Sink& sink, OutputFile& file, const std::string& name) {
  const bool written = sink.flush();
  sink.attach(nullptr);
  const bool committed = file.commit();
  if (written && committed) return true;
  ctx.console.write_err(cat("cannot write ", name, '\n'));
  return false;
}

int convert(Context& ctx, const SplitArguments& split) {
  const OutputChoice choice = choose_output(split.files);
  if (choice.refused) {
    ctx.console.write_err(cat(kBadFileName, choice.output_name, " \n"));
    return 1;
  }
  ctx.options.text_mode = choice.text_mode;
  ctx.options.trace_mode = choice.trace_mode;
  ctx.writer.text_mode = choice.text_mode;
  ctx.writer.hex_kanji = ctx.options.hex_kanji;
  const std::string& source = split.files[0];

  if (!include_file(ctx, source, 0)) return 1;

  std::unique_ptr<OutputFile> output = open_output(ctx, choice.output_name);
  if (!output) return 1;
  std::unique_ptr<OutputFile> id_output;
  std::string id_name;
  if (ctx.options.id_mode != 0) {
    id_name = id_file_name(choice.output_name);
    id_output = open_output(ctx, id_name);
    if (!id_output) {
      output->commit();  // the output file stays, empty
      return 1;
    }
  }
  ctx.writer.out.attach(output.get());
  if (id_output) ctx.id_file.attach(id_output.get());

  reset_for_pass(ctx);
  if (ctx.options.id_input && ctx.options.hlp_file_name) {
    read_id_file(ctx, *ctx.options.id_input);
  }
  prepare_links(ctx);
  ctx.writer.column = 0;

  int status = include_file(ctx, source, 1) ? 0 : 1;
  if (!finish_output(ctx, ctx.writer.out, *output, choice.output_name)) status = 1;
  if (id_output && !finish_output(ctx, ctx.id_file, *id_output, id_name)) status = 1;
  if (ctx.diag.failure_flag) status = 1;
  if (ctx.options.report) write_reference_report(ctx);
  return status;
}

}  // namespace

int run_converter(const std::vector<std::string>& arguments, Environment& env,
                  OutputStream& standard_output, OutputStream& standard_error) {
  Context ctx;
  ctx.env = &env;
  ctx.console.out = &standard_output;
  ctx.console.err = &standard_error;
  const SplitArguments split = split_arguments(arguments);
  ctx.options = apply_options(split.options);
  int status = 0;
  if (split.files.empty()) {
    write_usage(ctx);
  } else {
    status = convert(ctx, split);
  }
  standard_output.flush();
  standard_error.flush();
  return status;
}

}  // namespace zek

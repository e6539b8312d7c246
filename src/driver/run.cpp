// The run sequence: pass 1 collects the names, pass 2 writes the output.
#include "driver/run.h"

#include "context.h"
#include "driver/code_page.h"
#include "driver/command_line.h"
#include "driver/paths.h"
#include "driver/recording_environment.h"
#include "driver/report.h"
#include "driver/slash_hint.h"
#include "driver/usage.h"
#include "names/checks.h"
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

void refuse_name(Context& ctx, const std::string& name) {
  ctx.console.write_err(kBadFileName);
  ctx.console.write_err_name(name);
  ctx.console.write_err(" \n");
}

// A file the run writes: its name and, once opened, the file being written.
struct Target {
  std::string name;
  std::unique_ptr<OutputFile> file;
};

// Whether writing `name` would destroy a file the source was read from.
bool overwrites_source(Environment& env, const RecordingEnvironment& sources,
                       const std::string& name) {
  const std::optional<FileIdentity> identity = env.identify(name);
  return identity && sources.was_read(*identity);
}

// Whether the output and the ID file would be one and the same file.
bool same_target(Environment& env, const std::string& a, const std::string& b) {
  if (same_spelling(a, b)) return true;
  const std::optional<FileIdentity> first = env.identify(a);
  return first && first == env.identify(b);
}

// The name of the first target that denotes a file read in pass 1, or the
// ID file when it is the output file itself; none when all may be written.
const std::string* find_clash(Environment& env, const RecordingEnvironment& sources,
                              const Target& output, const Target* id) {
  if (overwrites_source(env, sources, output.name)) return &output.name;
  if (id == nullptr) return nullptr;
  if (overwrites_source(env, sources, id->name)) return &id->name;
  if (same_target(env, output.name, id->name)) return &id->name;
  return nullptr;
}

bool open_target(Context& ctx, Target& target, Publication* publication = nullptr) {
  target.file = publication != nullptr ? publication->open(*ctx.env, target.name)
                                       : ctx.env->create_output(target.name);
  if (!target.file) report_cannot_open(ctx, target.name);
  return target.file != nullptr;
}

void report_cannot_write(Context& ctx, const std::string& name) {
  ctx.console.write_err_name(cat("cannot write ", name, '\n'));
}

// Flushes a sink's buffered bytes, detaches it and finishes its file; false
// (after "cannot write") when any write or the close failed.
bool finish_target(Context& ctx, Sink& sink, Target& target) {
  bool written = sink.flush();
  sink.attach(nullptr);
  written = target.file->finish() && written;
  if (!written) report_cannot_write(ctx, target.name);
  return written;
}

// Puts the written files into place. When any of them could not be written,
// none replaces what was there before, so the output and the ID file stay a
// matching pair.
bool finish_targets(Context& ctx, Target& output, Target* id) {
  bool written = finish_target(ctx, ctx.writer.out, output);
  if (id != nullptr) written = finish_target(ctx, ctx.id_file, *id) && written;
  if (!written) {
    output.file->discard();
    if (id != nullptr) id->file->discard();
    return false;
  }
  if (!output.file->commit()) {
    report_cannot_write(ctx, output.name);
    if (id != nullptr) id->file->discard();
    return false;
  }
  if (id != nullptr && !id->file->commit()) {
    report_cannot_write(ctx, id->name);
    return false;
  }
  return true;
}

// The ID file could not be opened: the output file is left empty, unless a
// file of that name exists already, which is then kept as it was.
void abandon_output(Context& ctx, Target& output) {
  if (ctx.env->identify(output.name)) {
    output.file->discard();
  } else if (!output.file->commit()) {
    report_cannot_write(ctx, output.name);
  }
}

// Pass 1 over the source, remembering every file it reads.
bool collect_names(Context& ctx, RecordingEnvironment& recorder, const std::string& source) {
  Environment* outer = ctx.env;
  ctx.env = &recorder;
  const bool ok = include_file(ctx, source, 0);
  ctx.env = outer;
  return ok;
}

// Opens the targets, runs pass 2 and puts the files into place.
int write_output(Context& ctx, const std::string& source, Target& output, Target* id,
                 Publication* publication) {
  if (!open_target(ctx, output, publication)) return 1;
  if (id != nullptr && !open_target(ctx, *id)) {
    abandon_output(ctx, output);
    return 1;
  }
  ctx.writer.out.attach(publication != nullptr ? &publication->spool() : output.file.get());
  if (id != nullptr) ctx.id_file.attach(id->file.get());

  reset_for_pass(ctx);
  if (ctx.options.id_input && ctx.options.hlp_file_name) {
    read_id_file(ctx, *ctx.options.id_input);
  }
  prepare_links(ctx);
  ctx.writer.column = 0;

  int status = include_file(ctx, source, 1) ? 0 : 1;
  if (publication != nullptr) {  // the pages, from the RTF spooled by pass 2
    ctx.writer.out.attach(nullptr);
    const bool passed = status == 0 && !ctx.diag.failure_flag;
    if (!publication->publish(ctx, source, output.name, *output.file, passed)) status = 1;
  }
  if (!finish_targets(ctx, output, id)) status = 1;
  return status;
}

// After "cannot open" for a source name the "/" rule cut short, the command
// that keeps the name whole.
void hint_lone_slash(Context& ctx, const std::vector<std::string>& arguments) {
  if (std::optional<std::string> command = lone_slash_command(arguments)) {
    ctx.console.write_err_name(lone_slash_hint(*command));
  }
}

int convert(Context& ctx, const std::vector<std::string>& arguments, const SplitArguments& split) {
  const OutputChoice choice = choose_output(split.files);
  if (choice.refused) {
    refuse_name(ctx, choice.output_name);
    return 1;
  }
  ctx.options.text_mode = choice.text_mode;
  ctx.options.trace_mode = choice.trace_mode;
  ctx.writer.text_mode = choice.text_mode;
  ctx.writer.hex_kanji = ctx.options.hex_kanji;
  const std::string& source = split.files[0];
  Target output{choice.output_name, nullptr};
  Target id{ctx.options.id_mode != 0 ? id_file_name(choice.output_name) : std::string(), nullptr};
  Target* id_target = ctx.options.id_mode != 0 ? &id : nullptr;

  RecordingEnvironment recorder(*ctx.env);
  if (!collect_names(ctx, recorder, source)) {
    if (recorder.opened() == 0) hint_lone_slash(ctx, arguments);
    return 1;
  }
  if (const std::string* clash = find_clash(*ctx.env, recorder, output, id_target)) {
    refuse_name(ctx, *clash);
    return 1;
  }
  std::unique_ptr<Publication> publication;
  if (choice.publish != PublishForm::none)
    publication = std::make_unique<Publication>(choice.publish);
  int status = write_output(ctx, source, output, id_target, publication.get());
  if (ctx.diag.failure_flag) status = 1;
  if (status == 0) report_checks(ctx);
  if (ctx.options.report) write_reference_report(ctx);
  return status;
}

}  // namespace

int run_converter(const std::vector<std::string>& arguments, Environment& env,
                  OutputStream& standard_output, OutputStream& standard_error,
                  ConsoleCharset console_charset) {
  Context ctx;
  ctx.env = &env;
  ctx.console.out = &standard_output;
  ctx.console.err = &standard_error;
  if (console_charset == ConsoleCharset::utf8) {
    ctx.console.utf8_converter = std::make_unique<CodePageConverter>();
  }
  const SplitArguments split = split_arguments(arguments);
  ctx.options = apply_options(split.options);
  int status = 0;
  if (split.files.empty()) {
    write_usage(ctx);
  } else {
    status = convert(ctx, arguments, split);
  }
  standard_output.flush();
  standard_error.flush();
  return status;
}

}  // namespace zek

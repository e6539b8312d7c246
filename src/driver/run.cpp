// The run sequence: pass 1 collects the names, pass 2 writes the output; the
// usage screen, the refusals and hints on the console, and the -R report.
#include "driver/run.h"

#include <optional>
#include <string>

#include "base/cat.h"
#include "checks/checks.h"
#include "commands/context.h"
#include "commands/link_text.h"
#include "convert/line_loop.h"
#include "driver/command_line.h"
#include "driver/usage.h"
#include "io/code_page.h"
#include "io/console.h"
#include "io/environment.h"
#include "io/paths.h"
#include "names/name_table.h"

namespace zek {

namespace {

void write_usage(Context& ctx) {
  ctx.console.write_err(cat(usage_title(), kVersionNotice, '\n'));
  ctx.console.write_err(usage_synopsis());
  ctx.console.write_err(usage_options());
}

// The reference report of -R on standard output: how often each name was
// linked.
void write_reference_report(Context& ctx) {
  // "popup or topic : 参照回数 : 名前\n"
  std::string report = "popup or topic : \x8EQ\x8F\xC6\x89\xF1\x90\x94 : \x96\xBC\x91O\n";
  for (const NameEntry& entry : ctx.names.entries()) {
    append(report, entry.kind == NameKind::popup ? "popup" : "topic", ':',
           space_padded(entry.ref_count, 2), ":[", entry.name, "]\n");
  }
  ctx.console.write_out(report);
}

void refuse_name(Context& ctx, const std::string& name) {
  ctx.console.write_err(kBadFileName);
  ctx.console.write_err_name(name);
  ctx.console.write_err(" \n");
}

// The command line as given and as read, for the hints after "cannot open".
struct CommandLine {
  const std::vector<std::string>& arguments;
  const SplitArguments& split;
};

// After "cannot open" for a name the "/" rule cut short, the command that
// keeps the name whole.
void hint_lone_slash(Context& ctx, const CommandLine& command_line, ArgumentOrigin named) {
  if (std::optional<std::string> command = lone_slash_command(command_line.arguments, named)) {
    ctx.console.write_err_name(lone_slash_hint(*command));
  }
}

// A file the run writes: its name and, once opened, the file being written.
struct Target {
  std::string name;
  ArgumentOrigin origin;  // the argument its name comes from
  std::unique_ptr<OutputFile> file;
};

// Whether writing `name` would destroy a file the source was read from.
bool overwrites_source(Environment& env, const RecordingEnvironment& sources,
                       const std::string& name) {
  const std::optional<FileIdentity> identity = env.identify(name);
  return identity && sources.was_read(*identity);
}

// Whether the folder `folder` holds the file `name`, at any depth: the
// folders that hold `name` are reached by "../" steps from its own, so links
// and relative names are followed as the file system resolves them.
bool folder_holds(Environment& env, const std::optional<FileIdentity>& folder,
                  const std::string& name) {
  constexpr int kMostLevels = 256;
  std::string holder(folder_of(name));
  if (holder.empty()) holder = "./";
  std::optional<FileIdentity> previous;
  for (int level = 0; level < kMostLevels; ++level) {
    const std::optional<FileIdentity> identity = env.identify(holder);
    if (!identity || identity == previous) return false;  // past the root
    if (identity == folder) return true;
    previous = identity;
    holder += "../";
  }
  return false;
}

// An HTML Help project replaces its folder and writes its contents and index
// beside it: the name of the first of them that would destroy a file read in
// pass 1 (a source inside the folder goes with the folder); none when all
// may be written.
std::optional<std::string> project_clash(Environment& env, const RecordingEnvironment& sources,
                                         const std::string& output_name) {
  const std::string base = cat(folder_of(output_name), base_name_of(output_name));
  for (const char* extension : {".hhc", ".hhk"}) {
    const std::string part = cat(base, extension);
    if (overwrites_source(env, sources, part)) return part;
  }
  const std::optional<FileIdentity> folder = env.identify(base);
  if (!folder) return std::nullopt;
  for (const std::string& name : sources.names()) {
    if (folder_holds(env, folder, name)) return base;
  }
  return std::nullopt;
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

bool open_target(Context& ctx, const CommandLine& command_line, Target& target,
                 Publication* publication = nullptr) {
  target.file = publication != nullptr ? publication->open(*ctx.env, target.name)
                                       : ctx.env->create_output(target.name);
  if (target.file) return true;
  ctx.diag.report_cannot_open(target.name);
  hint_lone_slash(ctx, command_line, target.origin);
  return false;
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
  const bool ok = include_file(ctx, source, Pass::collect_names);
  ctx.env = outer;
  return ok;
}

// Opens the targets, runs pass 2 and puts the files into place.
int write_output(Context& ctx, const CommandLine& command_line, const std::string& source,
                 Target& output, Target* id, Publication* publication) {
  if (!open_target(ctx, command_line, output, publication)) return 1;
  if (id != nullptr && !open_target(ctx, command_line, *id)) {
    abandon_output(ctx, output);
    return 1;
  }
  ctx.writer.out.attach(publication != nullptr ? &publication->spool() : output.file.get());
  if (id != nullptr) ctx.id_file.attach(id->file.get());

  reset_for_pass(ctx);
  if (ctx.options.id_input && ctx.options.hlp_file_name &&
      !read_id_file(*ctx.env, ctx.diag, ctx.names, *ctx.options.id_input)) {
    hint_lone_slash(ctx, command_line, command_line.split.id_input_origin);
  }
  prepare_links(ctx);
  ctx.writer.column = 0;

  ctx.checks.set_recording(ctx.options.check, !ctx.options.text_mode);
  int status = include_file(ctx, source, Pass::write_output) ? 0 : 1;
  ctx.checks.set_recording(false);
  if (publication != nullptr) {  // the pages, from the RTF spooled by pass 2
    ctx.writer.out.attach(nullptr);
    const bool passed = status == 0 && !ctx.diag.failure_flag;
    if (!publication->publish(ctx, source, output.name, *output.file, passed)) status = 1;
  }
  if (!finish_targets(ctx, output, id)) status = 1;
  return status;
}

int convert(Context& ctx, const CommandLine& command_line) {
  const SplitArguments& split = command_line.split;
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
  // An output name given as a file argument comes from there; a derived one
  // from the source argument.
  const ArgumentOrigin output_origin = split.file_origins.at(split.files.size() > 1 ? 1 : 0);
  Target output{choice.output_name, output_origin, nullptr};
  Target id{ctx.options.id_mode != IdMode::none ? id_file_name(choice.output_name) : std::string(),
            output_origin, nullptr};
  Target* id_target = ctx.options.id_mode != IdMode::none ? &id : nullptr;

  RecordingEnvironment recorder(*ctx.env);
  if (!collect_names(ctx, recorder, source)) {
    if (recorder.opened() == 0) hint_lone_slash(ctx, command_line, split.file_origins.at(0));
    return 1;
  }
  if (const std::string* clash = find_clash(*ctx.env, recorder, output, id_target)) {
    refuse_name(ctx, *clash);
    return 1;
  }
  if (choice.publish == PublishForm::project) {
    if (const std::optional<std::string> clash =
            project_clash(*ctx.env, recorder, choice.output_name)) {
      refuse_name(ctx, *clash);
      return 1;
    }
  }
  std::unique_ptr<Publication> publication;
  if (choice.publish != PublishForm::none) {
    publication = std::make_unique<Publication>(choice.publish, ctx.options.link_brackets);
  }
  int status = write_output(ctx, command_line, source, output, id_target, publication.get());
  if (ctx.diag.failure_flag) status = 1;
  if (status == 0 && ctx.options.check) report_checks(ctx.checks.log(), ctx.console);
  if (ctx.options.report) write_reference_report(ctx);
  return status;
}

// A long option or an argument that is no option ends the run before any
// file is looked at; the first of them in the command decides.
std::optional<int> stop_early(Context& ctx, const std::vector<std::string>& arguments,
                              const SplitArguments& split) {
  const bool long_first =
      split.long_option != LongOption::none &&
      (split.not_options.empty() || split.long_option_argument < split.not_options.front());
  if (long_first) {
    switch (split.long_option) {
      case LongOption::help:
        ctx.console.write_out(help_text());
        return 0;
      case LongOption::version:
        ctx.console.write_out(cat(kVersionNotice, '\n'));
        return 0;
      case LongOption::unknown:
      case LongOption::none:
        ctx.console.write_err_name(cat("unknown option ", arguments[split.long_option_argument],
                                       "; \"zek2rtf --help\" lists the options\n"));
        return 1;
    }
  }
  if (split.not_options.empty()) return std::nullopt;
  ctx.console.write_err_name(not_options_message(arguments, split.not_options));
  return 1;
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
  const SplitArguments split = split_arguments(arguments, host_slash_rule());
  ctx.options = apply_options(split.options);
  int status = 0;
  if (const std::optional<int> stop = stop_early(ctx, arguments, split)) {
    status = *stop;
  } else if (split.files.empty()) {
    write_usage(ctx);
  } else {
    status = convert(ctx, CommandLine{arguments, split});
  }
  standard_output.flush();
  standard_error.flush();
  return status;
}

}  // namespace zek

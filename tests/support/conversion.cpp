// The whole-conversion runner and the check of a Conversion row.
#include "support/conversion.h"

#include <utility>

namespace zek::testing {

namespace {

Conversion to_file(std::string name, std::string source, std::string bytes,
                   std::vector<std::string> options, const std::string& output) {
  Conversion c;
  c.name = std::move(name);
  c.sources = {{"in.zek", std::move(source)}};
  c.arguments = std::move(options);
  c.arguments.push_back("in.zek");
  c.arguments.push_back(output);
  c.files = {{output, std::move(bytes)}};
  return c;
}

// Every file afterwards is either one the case names, with its bytes, or
// one that was there before, unchanged; every file the case names exists.
void check_files(const Conversion& c, const Files& before, const Files& after) {
  for (const auto& [name, bytes] : after) {
    auto written = c.files.find(name);
    auto earlier = before.find(name);
    if (written != c.files.end()) {
      EXPECT_EQ(bytes, written->second) << name;
    } else if (earlier != before.end()) {
      EXPECT_EQ(bytes, earlier->second) << name << " was changed";
    } else {
      ADD_FAILURE() << "unexpected file " << name;
    }
  }
  for (const auto& [name, bytes] : c.files) {
    EXPECT_EQ(after.count(name), 1u) << name << " was not written";
  }
}

}  // namespace

Conversion to_rtf(std::string name, std::string source, std::string rtf,
                  std::vector<std::string> options) {
  return to_file(std::move(name), std::move(source), std::move(rtf), std::move(options), "out.rtf");
}

Conversion to_text(std::string name, std::string source, std::string text,
                   std::vector<std::string> options) {
  return to_file(std::move(name), std::move(source), std::move(text), std::move(options),
                 "out.txt");
}

Conversion failing(std::string name, std::string source, std::string err,
                   std::vector<std::string> options) {
  Conversion c = to_rtf(std::move(name), std::move(source), "", std::move(options));
  c.status = 1;
  c.err = std::move(err);
  c.files.clear();
  return c;
}

Outcome convert(const Conversion& c, MemoryEnvironment& env) {
  for (const auto& [name, bytes] : c.sources) env.files[name] = bytes;
  RunResult result = run(env, c.arguments);
  return Outcome{result.status, std::move(result.out), std::move(result.err), env.files};
}

Outcome convert(const Conversion& c) {
  MemoryEnvironment env;
  return convert(c, env);
}

void check(const Conversion& c, MemoryEnvironment& env) {
  Files before = env.files;
  for (const auto& [name, bytes] : c.sources) before[name] = bytes;
  const Outcome outcome = convert(c, env);
  EXPECT_EQ(outcome.status, c.status);
  EXPECT_EQ(outcome.out, c.out);
  EXPECT_EQ(outcome.err, c.err);
  check_files(c, before, outcome.files);
}

void check(const Conversion& c) {
  MemoryEnvironment env;
  check(c, env);
}

std::string output_of(const std::string& source, const std::vector<std::string>& options,
                      const std::string& output) {
  Conversion c;
  c.sources = {{"in.zek", source}};
  c.arguments = options;
  c.arguments.push_back("in.zek");
  c.arguments.push_back(output);
  Files files = convert(c).files;
  return files[output];
}

void PrintTo(const Conversion& c, std::ostream* os) {
  *os << c.name;
}

}  // namespace zek::testing

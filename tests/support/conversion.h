// One whole conversion as a test case: the files there before the run, the
// command line, and everything the run must give back (exit status, both
// console streams, the files it writes). Tables of these rows run through
// one runner, in-process on a MemoryEnvironment.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "support/memory_environment.h"
#include "support/row_name.h"

namespace zek::testing {

// Files by name, with their bytes.
using Files = std::map<std::string, std::string>;

struct Conversion {
  std::string name = {};                    // the test name: letters, digits and '_'
  Files sources = {};                       // the files there before the run
  std::vector<std::string> arguments = {};  // the command line after the program name
  int status = 0;
  std::string out = {};  // standard output
  std::string err = {};  // standard error
  // Every file the run creates or changes; any other file must stay as it was.
  Files files = {};
};

// What a run gave: the status, both console streams and every file afterwards.
struct Outcome {
  int status = 0;
  std::string out;
  std::string err;
  Files files;
};

// A source converted from "in.zek" to "out.rtf" with the options, with
// status 0 and nothing on either console stream.
Conversion to_rtf(std::string name, std::string source, std::string rtf,
                  std::vector<std::string> options = {});
// The same into "out.txt", the plain-text rendering.
Conversion to_text(std::string name, std::string source, std::string text,
                   std::vector<std::string> options = {});

// A source that ends the run with status 1 and the messages `err` before
// anything is written: "in.zek" to "out.rtf", which is never created.
Conversion failing(std::string name, std::string source, std::string err,
                   std::vector<std::string> options = {});

// Runs the case on `env`, which may hold files, links and failures of its
// own; the case's sources are added to its files first.
Outcome convert(const Conversion& c, MemoryEnvironment& env);
// Runs the case on a fresh environment that holds only its sources.
Outcome convert(const Conversion& c);

// Runs the case and checks all of it: status, both streams, the files it
// wrote, and that every other file is as it was before the run.
void check(const Conversion& c, MemoryEnvironment& env);
void check(const Conversion& c);

// The bytes of `output` after converting `source` as "in.zek" with the
// options; for tests that look for parts of a long output.
std::string output_of(const std::string& source, const std::vector<std::string>& options = {},
                      const std::string& output = "out.rtf");

// The fixture of every table of Conversion rows: a file instantiates it with
// its rows under a prefix of its own, and the one test, in
// conversion_test.cpp, runs and checks each row in full.
class ConversionTest : public ::testing::TestWithParam<Conversion> {};

// Names a failing row by its name alone, as GoogleTest prints it.
void PrintTo(const Conversion& c, std::ostream* os);

}  // namespace zek::testing

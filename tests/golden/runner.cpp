// Runs one golden case: copies the case's input files into a fresh folder,
// runs the converter there with the case's arguments under LC_ALL=C, and
// compares the exit status, standard output, standard error and every file in
// the folder with the expected bytes.
//
//   golden_runner [--wrapper PROGRAM] [--console-crlf] BINARY CASE_DIR
//
// --wrapper runs BINARY through PROGRAM (for example wine); --console-crlf
// accepts CR LF for LF on the console streams, which a Windows console makes.
// A run that Wine could not start at all (it says so on standard output,
// naming ShellExecuteEx) is made again, at most twice, in a fresh folder.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string read_bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::vector<std::string> read_arguments(const fs::path& path) {
  std::vector<std::string> arguments;
  std::string text = read_bytes(path);
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    arguments.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return arguments;
}

// A short printable view of bytes around the first difference.
std::string show(const std::string& bytes, size_t from) {
  std::string out;
  const size_t begin = from > 20 ? from - 20 : 0;
  for (size_t i = begin; i < bytes.size() && i < from + 40; ++i) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c < 0x20 || c >= 0x7F) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

bool same_bytes(const std::string& what, const std::string& expected, const std::string& actual) {
  if (expected == actual) return true;
  size_t at = 0;
  while (at < expected.size() && at < actual.size() && expected[at] == actual[at]) ++at;
  std::cerr << what << " differs at byte " << at << " (expected " << expected.size()
            << " bytes, got " << actual.size() << ")\n  expected: " << show(expected, at)
            << "\n  actual:   " << show(actual, at) << "\n";
  return false;
}

std::string without_cr_before_lf(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
  }
  return out;
}

std::map<std::string, std::string> files_below(const fs::path& root) {
  std::map<std::string, std::string> files;
  if (!fs::exists(root)) return files;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (entry.is_regular_file()) {
      files[fs::relative(entry.path(), root).generic_string()] = read_bytes(entry.path());
    }
  }
  return files;
}

int run_in(const fs::path& folder, const std::vector<std::string>& command,
           const fs::path& out_path, const fs::path& err_path) {
  const pid_t child = fork();
  if (child == 0) {
    if (chdir(folder.c_str()) != 0) _exit(127);
    if (!std::freopen(out_path.c_str(), "wb", stdout)) _exit(127);
    if (!std::freopen(err_path.c_str(), "wb", stderr)) _exit(127);
    if (!std::freopen("/dev/null", "rb", stdin)) _exit(127);
    setenv("LC_ALL", "C", 1);
    std::vector<char*> argv;
    for (const std::string& arg : command) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace

// Wine's own report that it could not start the program.
bool wrapper_could_not_start(const fs::path& stdout_path) {
  return read_bytes(stdout_path).find("ShellExecuteEx") != std::string::npos;
}

// A fresh copy of the case's input files in `work`.
void copy_inputs(const fs::path& case_dir, const fs::path& work) {
  fs::remove_all(work);
  fs::create_directory(work);
  if (fs::exists(case_dir / "in")) fs::copy(case_dir / "in", work, fs::copy_options::recursive);
}

int main(int argc, char** argv) {
  std::vector<std::string> command;
  bool wrapped = false;
  bool console_crlf = false;
  int i = 1;
  for (; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--wrapper" && i + 1 < argc) {
      command.push_back(argv[++i]);
      wrapped = true;
    } else if (arg == "--console-crlf") {
      console_crlf = true;
    } else {
      break;
    }
  }
  if (argc - i != 2) {
    std::cerr << "usage: golden_runner [--wrapper PROGRAM] [--console-crlf] BINARY CASE_DIR\n";
    return 2;
  }
  command.push_back(fs::absolute(argv[i]).string());
  const fs::path case_dir = fs::absolute(argv[i + 1]);
  const fs::path expected = case_dir / "expected";

  char pattern[] = "/tmp/zek2rtf-golden-XXXXXX";
  if (mkdtemp(pattern) == nullptr) return 2;
  const fs::path scratch = pattern;
  const fs::path work = scratch / "work";
  copy_inputs(case_dir, work);
  const auto inputs = files_below(work);

  for (const std::string& arg : read_arguments(case_dir / "args")) command.push_back(arg);
  int status = run_in(work, command, scratch / "stdout", scratch / "stderr");
  for (int again = 0; wrapped && again < 2 && wrapper_could_not_start(scratch / "stdout");
       ++again) {
    std::cerr << "the wrapper could not start the program; running it again\n";
    copy_inputs(case_dir, work);
    status = run_in(work, command, scratch / "stdout", scratch / "stderr");
  }

  bool ok =
      same_bytes("exit status", read_bytes(expected / "status"), std::to_string(status) + "\n");
  std::string out = read_bytes(scratch / "stdout");
  std::string err = read_bytes(scratch / "stderr");
  if (console_crlf) {
    out = without_cr_before_lf(out);
    err = without_cr_before_lf(err);
  }
  ok &= same_bytes("standard output", read_bytes(expected / "stdout"), out);
  ok &= same_bytes("standard error", read_bytes(expected / "stderr"), err);

  const auto wanted = files_below(expected / "files");
  const auto present = files_below(work);
  for (const auto& [name, bytes] : wanted) {
    auto it = present.find(name);
    if (it == present.end()) {
      std::cerr << "missing file " << name << "\n";
      ok = false;
    } else {
      ok &= same_bytes("file " + name, bytes, it->second);
    }
  }
  for (const auto& [name, bytes] : present) {
    if (wanted.count(name) != 0) continue;
    auto input = inputs.find(name);
    if (input == inputs.end()) {
      std::cerr << "unexpected file " << name << "\n";
      ok = false;
    } else if (input->second != bytes) {
      std::cerr << "input file " << name << " was changed\n";
      ok = false;
    }
  }
  if (ok) {
    fs::remove_all(scratch);
  } else {
    std::cerr << "case folder kept in " << scratch.string() << "\n";
  }
  return ok ? 0 : 1;
}

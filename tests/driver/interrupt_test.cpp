// Interrupting the real program while it writes: after SIGINT, SIGTERM or
// SIGHUP no temporary is left in the output folder, the previous output file
// keeps its bytes, and the program has died by that very signal (what the
// shell shows as 130, 143 or 129).
#ifndef _WIN32

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace zek {
namespace {

namespace fs = std::filesystem;

const char kPrevious[] = "previous output\r\n";

// A source with an ID-file line and enough body text that the output file is
// still being written by its thread when the ID file blocks.
std::string source() {
  std::string text = ".start\r\n.topic Setup\r\n.id IDM_SETUP\r\n";
  for (int i = 0; i < 3000; ++i) text += "Setup is the first step of every installation.\r\n";
  return text + ".end\r\n";
}

struct SignalCase {
  const char* label;
  int signal_number;
};

void PrintTo(const SignalCase& c, std::ostream* out) {
  *out << c.label;
}

class InterruptTest : public ::testing::TestWithParam<SignalCase> {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "zek2rtf-interrupt-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
  }
  void TearDown() override {
    if (pipe_fd_ >= 0) ::close(pipe_fd_);
    fs::remove_all(folder_);
  }

  std::string path(const std::string& name) const { return (folder_ / name).string(); }
  std::string get(const std::string& name) const {
    std::ifstream in(path(name), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }

  // The names of the program's temporaries in the folder.
  std::vector<std::string> temporaries() const {
    std::vector<std::string> found;
    for (const auto& entry : fs::directory_iterator(folder_)) {
      const std::string name = entry.path().filename().string();
      if (name.starts_with(".zek2rtf-") && name.ends_with(".tmp")) found.push_back(name);
    }
    return found;
  }

  // Makes `name` a pipe whose buffer this test fills up and keeps open at
  // both ends: the program opens it without waiting, and its first write
  // waits for room that never comes.
  void make_full_pipe(const std::string& name) {
    ASSERT_EQ(::mkfifo(path(name).c_str(), 0600), 0);
    pipe_fd_ = ::open(path(name).c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(pipe_fd_, 0);
    const std::string block(4096, 'x');
    while (::write(pipe_fd_, block.data(), block.size()) > 0) {
    }
    ASSERT_EQ(errno, EAGAIN);
  }

  // Starts zek2rtf in the folder with the handled signals in their default
  // state, whatever this test process inherited.
  pid_t start(const std::vector<std::string>& arguments) const {
    std::vector<char*> argv;
    std::string program = ZEK2RTF_BINARY;
    argv.push_back(program.data());
    std::vector<std::string> copies = arguments;
    for (std::string& argument : copies) argv.push_back(argument.data());
    argv.push_back(nullptr);
    const std::string folder = folder_.string();
    const pid_t pid = ::fork();
    if (pid != 0) return pid;
    // The child: only async-signal-safe calls until exec.
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    for (int signal_number : {SIGINT, SIGTERM, SIGHUP}) ::signal(signal_number, SIG_DFL);
    const int null_fd = ::open("/dev/null", O_WRONLY);
    if (::chdir(folder.c_str()) != 0 || null_fd < 0) ::_exit(126);
    ::dup2(null_fd, STDOUT_FILENO);
    ::dup2(null_fd, STDERR_FILENO);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }

  enum class Wait { appeared, ended, timed_out };

  // Waits until the program has created its temporary. It is registered in
  // the same step that creates it, so once it can be seen, a signal finds it
  // registered. `status` is set when the program ended first.
  Wait wait_for_temporary(pid_t pid, int& status) const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (std::chrono::steady_clock::now() < deadline) {
      if (!temporaries().empty()) return Wait::appeared;
      if (::waitpid(pid, &status, WNOHANG) == pid) return Wait::ended;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return Wait::timed_out;
  }

  fs::path folder_;
  int pipe_fd_ = -1;
};

TEST_P(InterruptTest, LeavesNoTemporaryAndThePreviousOutput) {
  const SignalCase& c = GetParam();
  std::ofstream(path("in.zek"), std::ios::binary) << source();
  std::ofstream(path("out.rtf"), std::ios::binary) << kPrevious;
  make_full_pipe("out.ID");
  ASSERT_FALSE(HasFatalFailure());

  const pid_t pid = start({"-I", "in.zek", "out.rtf"});
  ASSERT_GT(pid, 0);
  int status = 0;
  const Wait waited = wait_for_temporary(pid, status);
  ASSERT_NE(waited, Wait::ended) << "the program ended before it was interrupted, status "
                                 << status;
  ::kill(pid, waited == Wait::appeared ? c.signal_number : SIGKILL);
  ASSERT_EQ(::waitpid(pid, &status, 0), pid);
  ASSERT_EQ(waited, Wait::appeared) << "no temporary appeared";

  ASSERT_TRUE(WIFSIGNALED(status)) << "status " << status;
  EXPECT_EQ(WTERMSIG(status), c.signal_number);
  EXPECT_EQ(temporaries(), std::vector<std::string>{});
  EXPECT_EQ(get("out.rtf"), kPrevious);
}

INSTANTIATE_TEST_SUITE_P(Signals, InterruptTest,
                         ::testing::Values(SignalCase{"Interrupt", SIGINT},
                                           SignalCase{"Terminate", SIGTERM},
                                           SignalCase{"HangUp", SIGHUP}),
                         [](const ::testing::TestParamInfo<SignalCase>& row) {
                           return std::string(row.param.label);
                         });

}  // namespace
}  // namespace zek

#endif  // !_WIN32

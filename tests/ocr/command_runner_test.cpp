#include "platform/command_runner.hpp"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "fake_programs.hpp"

namespace {

using platform::CommandFailure;
using platform::CommandLimits;
using platform::OutputStream;
using platform::PreparedCommand;
using namespace std::chrono_literals;

const CommandLimits kLimits{1 << 20, 4096, 10s};

PreparedCommand shell(const std::string& script) { return {"sh", {"-c", script}, {}, {}}; }

std::size_t open_descriptors() {
  std::size_t count = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator("/proc/self/fd")) {
    ++count;
  }
  return count;
}

// A process that is gone or only waits to be reaped by its new parent.
bool is_dead(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  if (!stat) return true;
  std::string line;
  std::getline(stat, line);
  const auto close = line.rfind(')');
  return close == std::string::npos || line.size() < close + 3 || line[close + 2] == 'Z' ||
         line[close + 2] == 'X';
}

TEST(CommandRunner, CapturesBothStreamsAndTheExitStatus) {
  const auto result =
      platform::run_prepared_with_limits(shell("printf 'out\\n'; printf err >&2; exit 3"), kLimits);
  ASSERT_TRUE(result.ok()) << result.error().message;
  EXPECT_EQ(result->status, (platform::ExitStatus{true, 3, 0}));
  EXPECT_EQ(result->stdout_bytes, "out\n");
  EXPECT_EQ(result->stderr_bytes, "err");
}

TEST(CommandRunner, PassesArgumentsVerbatimWithoutAShell) {
  const PreparedCommand command{"printf", {"%s|", "a b", "$HOME", "*", "'q'"}, {}, {}};
  const auto result = platform::run_prepared_with_limits(command, kLimits);
  ASSERT_TRUE(result.ok());
  EXPECT_EQ(result->stdout_bytes, "a b|$HOME|*|'q'|");
}

TEST(CommandRunner, ChildReadsNoStandardInput) {
  const auto result = platform::run_prepared_with_limits(shell("cat; echo done"), kLimits);
  ASSERT_TRUE(result.ok());
  EXPECT_EQ(result->stdout_bytes, "done\n");
}

TEST(CommandRunner, ChildInheritsNoOtherDescriptor) {
  const int stray = ::open("/dev/null", O_RDONLY);  // deliberately without O_CLOEXEC
  ASSERT_GE(stray, 0);
  const auto result =
      platform::run_prepared_with_limits({"ls", {"-1", "/proc/self/fd"}, {}, {}}, kLimits);
  ::close(stray);
  ASSERT_TRUE(result.ok());
  EXPECT_EQ(result->stdout_bytes, "0\n1\n2\n3\n") << "3 is ls's own directory handle";
}

TEST(CommandRunner, UnknownProgramIsNotFound) {
  ocr_test::FakePrograms programs;
  programs.add("present", "exit 0");
  std::filesystem::permissions(programs.file("present"), std::filesystem::perms::owner_read);
  for (const char* name : {"orvane-no-such-program", "present"}) {
    PreparedCommand command{name, {}, {}, programs.search_path()};
    const auto result = platform::run_prepared_with_limits(command, kLimits);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error().kind, CommandFailure::Kind::StartFailed);
    EXPECT_EQ(result.error().error_number, ENOENT) << name;
  }
}

TEST(CommandRunner, SearchPathFindsTheFirstMatch) {
  ocr_test::FakePrograms first;
  ocr_test::FakePrograms second;
  first.add("tool", "echo first");
  second.add("tool", "echo second");
  const std::string path = "/nonexistent:" + second.search_path() + ":" + first.search_path();
  const auto result = platform::run_prepared_with_limits({"tool", {}, {}, path}, kLimits);
  ASSERT_TRUE(result.ok());
  EXPECT_EQ(result->stdout_bytes, "second\n");
}

TEST(CommandRunner, StopsAtEitherCap) {
  const auto at_cap =
      platform::run_prepared_with_limits(shell("head -c 1000 /dev/zero"), {1000, 10, 10s});
  ASSERT_TRUE(at_cap.ok());
  EXPECT_EQ(at_cap->stdout_bytes.size(), 1000u);

  const auto over_stdout = platform::run_prepared_with_limits(shell("head -c 20971520 /dev/zero"),
                                                              {16 << 20, 4096, 10s});
  ASSERT_FALSE(over_stdout.ok());
  EXPECT_EQ(over_stdout.error().kind, CommandFailure::Kind::CapExceeded);
  EXPECT_EQ(over_stdout.error().stream, OutputStream::Stdout);

  const auto over_stderr = platform::run_prepared_with_limits(shell("head -c 4097 /dev/zero >&2"),
                                                              {16 << 20, 4096, 10s});
  ASSERT_FALSE(over_stderr.ok());
  EXPECT_EQ(over_stderr.error().kind, CommandFailure::Kind::CapExceeded);
  EXPECT_EQ(over_stderr.error().stream, OutputStream::Stderr);
}

TEST(CommandRunner, TimeOutKillsTheChildAndWhatItStarted) {
  ocr_test::FakePrograms programs;
  const auto pid_file = programs.file("pid");
  const auto start = std::chrono::steady_clock::now();
  const auto result = platform::run_prepared_with_limits(
      shell("sleep 30 & echo $! > '" + pid_file.string() + "'; wait"), {1024, 1024, 300ms});
  const auto elapsed = std::chrono::steady_clock::now() - start;
  ASSERT_FALSE(result.ok());
  EXPECT_EQ(result.error().kind, CommandFailure::Kind::TimedOut);
  EXPECT_LT(elapsed, 20s) << "the runner waited for the sleeping program";
  const pid_t sleeper = std::atoi(ocr_test::read_file(pid_file).c_str());
  ASSERT_GT(sleeper, 0);
  for (int i = 0; i < 100 && !is_dead(sleeper); ++i) std::this_thread::sleep_for(10ms);
  EXPECT_TRUE(is_dead(sleeper));
}

TEST(CommandRunner, ChildThatClosesItsOutputButRunsOnStillTimesOut) {
  const auto result =
      platform::run_prepared_with_limits(shell("exec >&- 2>&-; sleep 30"), {1024, 1024, 300ms});
  ASSERT_FALSE(result.ok());
  EXPECT_EQ(result.error().kind, CommandFailure::Kind::TimedOut);
}

TEST(CommandRunner, ReportsTheSignalThatKilledTheChild) {
  const auto result = platform::run_prepared_with_limits(shell("kill -SEGV $$"), kLimits);
  ASSERT_TRUE(result.ok());
  EXPECT_FALSE(result->status.exited);
  EXPECT_EQ(result->status.signal, SIGSEGV);
  EXPECT_FALSE(result->status.success());
}

TEST(CommandRunner, EnvironmentDefaultsYieldToTheCallersEnvironment) {
  PreparedCommand command = shell("printf %s \"$OMP_THREAD_LIMIT\"");
  command.environment_defaults = {{"OMP_THREAD_LIMIT", "1"}};
  ::unsetenv("OMP_THREAD_LIMIT");
  const auto defaulted = platform::run_prepared_with_limits(command, kLimits);
  ::setenv("OMP_THREAD_LIMIT", "2", 1);
  const auto chosen = platform::run_prepared_with_limits(command, kLimits);
  ::unsetenv("OMP_THREAD_LIMIT");
  ASSERT_TRUE(defaulted.ok());
  ASSERT_TRUE(chosen.ok());
  EXPECT_EQ(defaulted->stdout_bytes, "1");
  EXPECT_EQ(chosen->stdout_bytes, "2");
}

TEST(CommandRunner, LeavesNoDescriptorAndNoChildBehind) {
  const std::size_t before = open_descriptors();
  platform::run_prepared_with_limits(shell("echo fine"), kLimits);
  platform::run_prepared_with_limits(shell("head -c 100000 /dev/zero"), {10, 10, 10s});
  platform::run_prepared_with_limits(shell("head -c 100000 /dev/zero >&2"), {10, 10, 10s});
  platform::run_prepared_with_limits(shell("sleep 30"), {10, 10, 100ms});
  platform::run_prepared_with_limits(shell("kill -KILL $$"), kLimits);
  platform::run_prepared_with_limits({"orvane-no-such-program", {}, {}, {}}, kLimits);
  EXPECT_EQ(open_descriptors(), before);
  errno = 0;
  EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1) << "a child was left to reap";
  EXPECT_EQ(errno, ECHILD);
}

TEST(CommandRunner, RunsFromSeveralThreadsAtOnce) {
  std::vector<std::thread> threads;
  std::vector<std::string> outputs(6);
  for (std::size_t i = 0; i < outputs.size(); ++i) {
    threads.emplace_back([i, &outputs] {
      const auto result = platform::run_prepared_with_limits(
          shell("sleep 0.1; echo " + std::to_string(i)), kLimits);
      outputs[i] = result.ok() ? result->stdout_bytes : "failed";
    });
  }
  for (auto& t : threads) t.join();
  for (std::size_t i = 0; i < outputs.size(); ++i) EXPECT_EQ(outputs[i], std::to_string(i) + "\n");
}

}  // namespace

#include "platform/command_runner.hpp"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string_view>

extern char** environ;

namespace platform {
namespace {

using Clock = std::chrono::steady_clock;

class Fd {
 public:
  Fd() = default;
  explicit Fd(int fd) : fd_(fd) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  Fd(Fd&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
  Fd& operator=(Fd&& other) noexcept {
    if (this != &other) {
      reset();
      fd_ = other.fd_;
      other.fd_ = -1;
    }
    return *this;
  }
  ~Fd() { reset(); }
  int get() const { return fd_; }
  bool open() const { return fd_ >= 0; }
  void reset() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

 private:
  int fd_ = -1;
};

struct Pipe {
  Fd read_end;
  Fd write_end;
};

int make_pipe(Pipe& pipe) {
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC) != 0) return errno;
  pipe.read_end = Fd(fds[0]);
  pipe.write_end = Fd(fds[1]);
  return 0;
}

CommandFailure failure(CommandFailure::Kind kind, int error_number, std::string message) {
  CommandFailure f;
  f.kind = kind;
  f.error_number = error_number;
  f.message = std::move(message);
  return f;
}

bool is_executable_file(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
         ::access(path.c_str(), X_OK) == 0;
}

// Finds the program the way execvp would: the first executable regular file
// on the search path; an empty entry means the current directory.
Result<std::string, int> resolve_program(const PreparedCommand& command) {
  const std::string& program = command.program;
  if (program.empty()) return err(ENOENT);
  if (program.find('/') != std::string::npos) return program;
  std::string search;
  if (command.search_path) {
    search = *command.search_path;
  } else if (const char* path = std::getenv("PATH")) {
    search = path;
  } else {
    search = "/usr/local/bin:/usr/bin:/bin";
  }
  std::string_view rest = search;
  while (true) {
    const auto colon = rest.find(':');
    std::string_view dir = rest.substr(0, colon);
    std::string candidate = dir.empty() ? std::string(".") : std::string(dir);
    candidate += '/';
    candidate += program;
    if (is_executable_file(candidate)) return candidate;
    if (colon == std::string_view::npos) break;
    rest.remove_prefix(colon + 1);
  }
  return err(ENOENT);
}

std::vector<std::string> child_environment(const PreparedCommand& command) {
  std::vector<std::string> env;
  for (char** entry = environ; entry && *entry; ++entry) env.emplace_back(*entry);
  for (const auto& [name, value] : command.environment_defaults) {
    const std::string prefix = name + "=";
    bool present = false;
    for (const auto& existing : env) {
      if (existing.compare(0, prefix.size(), prefix) == 0) {
        present = true;
        break;
      }
    }
    if (!present) env.push_back(prefix + value);
  }
  return env;
}

std::vector<char*> c_strings(std::vector<std::string>& strings) {
  std::vector<char*> pointers;
  pointers.reserve(strings.size() + 1);
  for (auto& s : strings) pointers.push_back(s.data());
  pointers.push_back(nullptr);
  return pointers;
}

ExitStatus exit_status_from(int raw) {
  ExitStatus status;
  if (WIFEXITED(raw)) {
    status.exited = true;
    status.code = WEXITSTATUS(raw);
  } else {
    status.exited = false;
    status.signal = WIFSIGNALED(raw) ? WTERMSIG(raw) : 0;
  }
  return status;
}

// Waits for the child without giving up; after SIGKILL this is prompt.
void reap(pid_t pid) {
  int raw = 0;
  while (::waitpid(pid, &raw, 0) < 0 && errno == EINTR) {
  }
}

// Kills the child's whole process group (a shell script's own children
// included) and then the child itself in case the group could not be set.
void kill_and_reap(pid_t pid, bool already_reaped) {
  ::kill(-pid, SIGKILL);
  if (!already_reaped) {
    ::kill(pid, SIGKILL);
    reap(pid);
  }
}

class SpawnSetup {
 public:
  SpawnSetup() {
    ::posix_spawn_file_actions_init(&actions_);
    ::posix_spawnattr_init(&attributes_);
  }
  SpawnSetup(const SpawnSetup&) = delete;
  SpawnSetup& operator=(const SpawnSetup&) = delete;
  ~SpawnSetup() {
    ::posix_spawn_file_actions_destroy(&actions_);
    ::posix_spawnattr_destroy(&attributes_);
  }

  int prepare(int stdout_fd, int stderr_fd) {
    int rc = ::posix_spawn_file_actions_addopen(&actions_, 0, "/dev/null", O_RDONLY, 0);
    if (rc == 0) rc = ::posix_spawn_file_actions_adddup2(&actions_, stdout_fd, 1);
    if (rc == 0) rc = ::posix_spawn_file_actions_adddup2(&actions_, stderr_fd, 2);
    if (rc == 0) rc = ::posix_spawn_file_actions_addclosefrom_np(&actions_, 3);
    if (rc != 0) return rc;
    sigset_t no_signals;
    sigemptyset(&no_signals);
    sigset_t defaults;
    sigemptyset(&defaults);
    for (int sig :
         {SIGPIPE, SIGINT, SIGQUIT, SIGTERM, SIGHUP, SIGCHLD, SIGALRM, SIGUSR1, SIGUSR2}) {
      sigaddset(&defaults, sig);
    }
    rc = ::posix_spawnattr_setflags(
        &attributes_, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    if (rc == 0) rc = ::posix_spawnattr_setpgroup(&attributes_, 0);
    if (rc == 0) rc = ::posix_spawnattr_setsigmask(&attributes_, &no_signals);
    if (rc == 0) rc = ::posix_spawnattr_setsigdefault(&attributes_, &defaults);
    return rc;
  }

  const posix_spawn_file_actions_t* actions() const { return &actions_; }
  const posix_spawnattr_t* attributes() const { return &attributes_; }

 private:
  posix_spawn_file_actions_t actions_;
  posix_spawnattr_t attributes_;
};

struct Capture {
  Fd fd;
  std::string bytes;
  std::size_t cap = 0;
  OutputStream stream = OutputStream::Stdout;
};

enum class ReadOutcome { Data, Closed, OverCap, Failed };

ReadOutcome read_some(Capture& capture) {
  char buffer[65536];
  const ssize_t n = ::read(capture.fd.get(), buffer, sizeof buffer);
  if (n < 0) return (errno == EINTR || errno == EAGAIN) ? ReadOutcome::Data : ReadOutcome::Failed;
  if (n == 0) return ReadOutcome::Closed;
  const auto count = static_cast<std::size_t>(n);
  if (capture.bytes.size() + count > capture.cap) return ReadOutcome::OverCap;
  capture.bytes.append(buffer, count);
  return ReadOutcome::Data;
}

}  // namespace

const char* stream_name(OutputStream stream) {
  return stream == OutputStream::Stdout ? "standard output" : "standard error";
}

Result<CommandOutput, CommandFailure> run_prepared_with_limits(const PreparedCommand& command,
                                                               const CommandLimits& limits) {
  using Kind = CommandFailure::Kind;
  auto resolved = resolve_program(command);
  if (!resolved) {
    return err(failure(Kind::StartFailed, resolved.error(),
                       command.program + ": " + std::strerror(resolved.error())));
  }

  Pipe out_pipe;
  Pipe err_pipe;
  if (int e = make_pipe(out_pipe); e != 0) {
    return err(failure(Kind::StartFailed, e, std::string("pipe: ") + std::strerror(e)));
  }
  if (int e = make_pipe(err_pipe); e != 0) {
    return err(failure(Kind::StartFailed, e, std::string("pipe: ") + std::strerror(e)));
  }

  SpawnSetup setup;
  if (int e = setup.prepare(out_pipe.write_end.get(), err_pipe.write_end.get()); e != 0) {
    return err(failure(Kind::StartFailed, e, std::string("spawn setup: ") + std::strerror(e)));
  }

  std::vector<std::string> argv_strings;
  argv_strings.reserve(command.arguments.size() + 1);
  argv_strings.push_back(command.program);
  argv_strings.insert(argv_strings.end(), command.arguments.begin(), command.arguments.end());
  auto argv = c_strings(argv_strings);
  auto env_strings = child_environment(command);
  auto envp = c_strings(env_strings);

  const auto deadline = Clock::now() + limits.timeout;
  pid_t pid = -1;
  if (int e = ::posix_spawn(&pid, resolved.value().c_str(), setup.actions(), setup.attributes(),
                            argv.data(), envp.data());
      e != 0) {
    return err(failure(Kind::StartFailed, e, command.program + ": " + std::strerror(e)));
  }
  out_pipe.write_end.reset();
  err_pipe.write_end.reset();

  // A process descriptor turns the child's exit into a poll event; without
  // one (old kernels) the loop falls back to short ticks once the pipes close.
  Fd pidfd(static_cast<int>(::syscall(SYS_pidfd_open, pid, 0)));

  Capture captures[2] = {
      {std::move(out_pipe.read_end), {}, limits.stdout_cap, OutputStream::Stdout},
      {std::move(err_pipe.read_end), {}, limits.stderr_cap, OutputStream::Stderr},
  };

  bool reaped = false;
  ExitStatus status;
  auto try_reap = [&]() -> int {
    int raw = 0;
    const pid_t r = ::waitpid(pid, &raw, WNOHANG);
    if (r == pid) {
      reaped = true;
      status = exit_status_from(raw);
    } else if (r < 0 && errno != EINTR) {
      return errno;
    }
    return 0;
  };

  while (captures[0].fd.open() || captures[1].fd.open() || !reaped) {
    const auto now = Clock::now();
    if (now >= deadline) {
      kill_and_reap(pid, reaped);
      return err(failure(Kind::TimedOut, 0, "timed out"));
    }
    pollfd fds[3];
    Capture* owners[3] = {};
    nfds_t count = 0;
    for (auto& capture : captures) {
      if (!capture.fd.open()) continue;
      fds[count] = {capture.fd.get(), POLLIN, 0};
      owners[count] = &capture;
      ++count;
    }
    const bool watch_exit = !reaped && pidfd.open();
    if (watch_exit) fds[count++] = {pidfd.get(), POLLIN, 0};
    auto wait = std::chrono::ceil<std::chrono::milliseconds>(deadline - now);
    if (!reaped && !pidfd.open() && count == 0) wait = std::min(wait, std::chrono::milliseconds(5));
    const int ready = ::poll(fds, count, static_cast<int>(wait.count()));
    if (ready < 0) {
      if (errno == EINTR) continue;
      const int e = errno;
      kill_and_reap(pid, reaped);
      return err(failure(Kind::Other, e, std::string("poll: ") + std::strerror(e)));
    }
    for (nfds_t i = 0; i < count; ++i) {
      if (fds[i].revents == 0) continue;
      if (owners[i] == nullptr) continue;
      Capture& capture = *owners[i];
      switch (read_some(capture)) {
        case ReadOutcome::Data:
          break;
        case ReadOutcome::Closed:
          capture.fd.reset();
          break;
        case ReadOutcome::OverCap: {
          kill_and_reap(pid, reaped);
          CommandFailure f = failure(Kind::CapExceeded, 0,
                                     std::string(stream_name(capture.stream)) + " over its cap");
          f.stream = capture.stream;
          return err(std::move(f));
        }
        case ReadOutcome::Failed: {
          const int e = errno;
          kill_and_reap(pid, reaped);
          return err(failure(Kind::Other, e, std::string("read: ") + std::strerror(e)));
        }
      }
    }
    if (!reaped && (!watch_exit || fds[count - 1].revents != 0)) {
      if (int e = try_reap(); e != 0) {
        kill_and_reap(pid, true);
        return err(failure(Kind::Other, e, std::string("waitpid: ") + std::strerror(e)));
      }
    }
  }

  CommandOutput output;
  output.status = status;
  output.stdout_bytes = std::move(captures[0].bytes);
  output.stderr_bytes = std::move(captures[1].bytes);
  return output;
}

}  // namespace platform

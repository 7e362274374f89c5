#pragma once
// A bounded command runner: starts a program directly (no shell), gives it no
// standard input, captures its standard output and standard error up to a cap
// each and abandons it after a time-out. On a cap or a time-out the child and
// everything it started in its process group are killed, and the child is
// reaped before the call returns; no descriptor outlives the call.

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/result.hpp"

namespace platform {

struct PreparedCommand {
  // A name without a slash is looked up on the search path.
  std::string program;
  std::vector<std::string> arguments;
  // Variables given to the child only when the caller's environment does not
  // already set them.
  std::vector<std::pair<std::string, std::string>> environment_defaults;
  // Replaces PATH for the program lookup; the child's own PATH is untouched.
  std::optional<std::string> search_path;
};

struct CommandLimits {
  std::size_t stdout_cap = 0;
  std::size_t stderr_cap = 0;
  std::chrono::milliseconds timeout{0};
};

enum class OutputStream { Stdout, Stderr };

const char* stream_name(OutputStream stream);

// How the child ended: an exit status, or the signal that killed it.
struct ExitStatus {
  bool exited = true;
  int code = 0;
  int signal = 0;
  bool success() const { return exited && code == 0; }
  friend bool operator==(const ExitStatus&, const ExitStatus&) = default;
};

struct CommandOutput {
  ExitStatus status;
  std::string stdout_bytes;
  std::string stderr_bytes;
};

struct CommandFailure {
  enum class Kind {
    StartFailed,  // `error_number` says why (ENOENT: the program is not found)
    CapExceeded,  // `stream` names the stream that went over its cap
    TimedOut,
    Other,  // the runner itself failed after the start (`error_number`)
  };
  Kind kind = Kind::Other;
  int error_number = 0;
  OutputStream stream = OutputStream::Stdout;
  std::string message;
};

Result<CommandOutput, CommandFailure> run_prepared_with_limits(const PreparedCommand& command,
                                                               const CommandLimits& limits);

}  // namespace platform

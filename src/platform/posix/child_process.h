// Other programs run by argv, never through a shell, each for a bounded time.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace sonaru::platform {

/// How a child program ended, and what it wrote.
struct ChildOutcome {
  enum class End { Exited, Signalled, TimedOut, NotStarted };
  End end = End::NotStarted;
  int code = 0;        // the exit status, the signal, or the errno of the failed start
  std::string output;  // its standard output, when asked for
  std::string errorOutput;

  bool Succeeded() const { return end == End::Exited && code == 0; }
};

struct ChildOptions {
  /// A child still running after this long is killed.
  std::chrono::milliseconds limit{10000};
  /// "NAME=value" entries added to, or replacing, this process's own environment.
  std::vector<std::string> environment{};
  /// Names removed from this process's own environment first.
  std::vector<std::string> unset{};
  /// Keeps the standard output in ChildOutcome::output instead of sending it to /dev/null.
  bool captureOutput = false;
};

/// Runs the program at the path `argv[0]` with the rest of `argv` as its arguments, its standard input on
/// /dev/null. Its standard error is always kept.
ChildOutcome RunChild(const std::vector<std::string>& argv, const ChildOptions& options = {});

/// The path of the executable file `name` in the first directory of PATH that holds one; nothing otherwise.
std::optional<std::string> FindOnPath(const std::string& name);

}  // namespace sonaru::platform

// Other programs run by argv, never through a shell, each for a bounded time.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace sonaru::platform {

/// How a child program ended, and what it wrote on its standard error stream.
struct ChildOutcome {
  enum class End { Exited, Signalled, TimedOut, NotStarted };
  End end = End::NotStarted;
  int code = 0;  // the exit status, the signal, or the errno of the failed start
  std::string errorOutput;

  bool Succeeded() const { return end == End::Exited && code == 0; }
};

/// Runs the program at the path `argv[0]` with the rest of `argv` as its arguments and this process's
/// environment, its standard input and output on /dev/null. A child still running after `limit` is killed.
ChildOutcome RunChild(const std::vector<std::string>& argv, std::chrono::milliseconds limit);

/// The path of the executable file `name` in the first directory of PATH that holds one; nothing otherwise.
std::optional<std::string> FindOnPath(const std::string& name);

}  // namespace sonaru::platform

// The program's own child runner, with the tests' way of reading its result.
#include "child_process.h"

#include <cstring>

#include "platform/posix/child_process.h"

namespace sonaru::test {

ProcessResult RunProcess(const std::vector<std::string>& argv, const ProcessOptions& options) {
  using platform::ChildOutcome;
  const ChildOutcome outcome = platform::RunChild(argv, {.limit = options.timeout,
                                                         .environment = options.environment,
                                                         .unset = options.unset,
                                                         .captureOutput = true});
  ProcessResult result;
  result.timedOut = outcome.end == ChildOutcome::End::TimedOut;
  result.exitStatus = outcome.end == ChildOutcome::End::Exited ? outcome.code : -1;
  result.out = outcome.output;
  result.err =
      outcome.end == ChildOutcome::End::NotStarted ? std::strerror(outcome.code) : outcome.errorOutput;
  return result;
}

}  // namespace sonaru::test

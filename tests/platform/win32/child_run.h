// Runs a program as a Windows parent would, and keeps what it writes to its standard streams.
#pragma once

#include <string>

namespace sonaru::test {

struct ChildRun {
  bool finished = false;  // false when it was still running after 30 seconds, and was killed
  unsigned long status = 0;
  std::string output;
  std::string errorOutput;
};

/// Starts the executable `program` with the command line `commandLine` exactly (its own name first, quoted
/// as the caller wishes), its standard output and error on pipes, no standard input, and waits for it.
ChildRun RunChild(const std::wstring& program, const std::wstring& commandLine);

}  // namespace sonaru::test

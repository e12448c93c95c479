// Running a program as a child process with its own environment and a time limit, for end-to-end tests.
#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace sonaru::test {

struct ProcessResult {
  int exitStatus = -1;  // -1 when the process did not exit normally
  bool timedOut = false;
  std::string out;
  std::string err;
};

struct ProcessOptions {
  std::vector<std::string> environment;  // "NAME=value" entries added to (or replacing) this process's own
  std::vector<std::string> unset;        // names removed from this process's own environment first
  std::chrono::milliseconds timeout{10000};
};

/// Runs argv[0] with its arguments (no shell), collects its output and kills it when the time is up.
ProcessResult RunProcess(const std::vector<std::string>& argv, const ProcessOptions& options = {});

}  // namespace sonaru::test

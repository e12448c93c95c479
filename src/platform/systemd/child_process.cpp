// posix_spawn with the child's standard error on a pipe, read while the child runs so that it never
// blocks on a full pipe.
#include "platform/systemd/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <string_view>

extern char** environ;

namespace sonaru::platform {

namespace {

using std::chrono::milliseconds;
using std::chrono::steady_clock;

// How often a child whose error stream stays quiet is checked for having ended.
constexpr milliseconds CheckInterval{10};

// Appends what the pipe holds; answers the bytes read, 0 at its end, -1 when nothing is there yet.
ssize_t ReadChunk(int fd, std::string& output) {
  char buffer[4096];
  const ssize_t count = ::read(fd, buffer, sizeof buffer);
  if (count > 0) {
    output.append(buffer, static_cast<std::size_t>(count));
  }
  return count;
}

ChildOutcome Ended(int status, std::string errorOutput) {
  if (WIFSIGNALED(status)) {
    return {ChildOutcome::End::Signalled, WTERMSIG(status), std::move(errorOutput)};
  }
  return {ChildOutcome::End::Exited, WEXITSTATUS(status), std::move(errorOutput)};
}

ChildOutcome WaitForChild(pid_t child, int errorPipe, milliseconds limit) {
  const steady_clock::time_point deadline = steady_clock::now() + limit;
  std::string errorOutput;
  bool pipeOpen = true;
  int status = 0;
  while (::waitpid(child, &status, WNOHANG) != child) {
    const auto left = std::chrono::duration_cast<milliseconds>(deadline - steady_clock::now());
    if (left <= milliseconds::zero()) {
      ::kill(child, SIGKILL);
      ::waitpid(child, &status, 0);
      return {ChildOutcome::End::TimedOut, 0, std::move(errorOutput)};
    }
    pollfd readable{errorPipe, POLLIN, 0};
    const int wait = static_cast<int>(std::min(left, CheckInterval).count());
    if (::poll(&readable, pipeOpen ? 1 : 0, wait) > 0) {
      pipeOpen = ReadChunk(errorPipe, errorOutput) != 0;
    }
  }
  // A grandchild may still hold the pipe: take what is there without waiting for its end.
  ::fcntl(errorPipe, F_SETFL, O_NONBLOCK);
  while (pipeOpen && ReadChunk(errorPipe, errorOutput) > 0) {
  }
  return Ended(status, std::move(errorOutput));
}

}  // namespace

ChildOutcome RunChild(const std::vector<std::string>& argv, milliseconds limit) {
  int errorPipe[2];
  if (::pipe2(errorPipe, O_CLOEXEC) != 0) {
    return {ChildOutcome::End::NotStarted, errno, {}};
  }
  posix_spawn_file_actions_t actions;
  ::posix_spawn_file_actions_init(&actions);
  ::posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  ::posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  ::posix_spawn_file_actions_adddup2(&actions, errorPipe[1], STDERR_FILENO);
  std::vector<char*> arguments;
  for (const std::string& argument : argv) {
    arguments.push_back(const_cast<char*>(argument.c_str()));
  }
  arguments.push_back(nullptr);
  pid_t child = 0;
  const int spawnError = ::posix_spawn(&child, arguments[0], &actions, nullptr, arguments.data(), environ);
  ::posix_spawn_file_actions_destroy(&actions);
  ::close(errorPipe[1]);
  ChildOutcome outcome{ChildOutcome::End::NotStarted, spawnError, {}};
  if (spawnError == 0) {
    outcome = WaitForChild(child, errorPipe[0], limit);
  }
  ::close(errorPipe[0]);
  return outcome;
}

std::optional<std::string> FindOnPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  const std::string_view directories = path != nullptr ? path : "/bin:/usr/bin";
  for (std::size_t start = 0; start <= directories.size();) {
    const std::size_t end = std::min(directories.find(':', start), directories.size());
    const std::string_view directory = directories.substr(start, end - start);
    const std::string candidate =
        (directory.empty() ? std::string(".") : std::string(directory)) + "/" + name;
    struct stat file {};
    if (::stat(candidate.c_str(), &file) == 0 && S_ISREG(file.st_mode) &&
        ::access(candidate.c_str(), X_OK) == 0) {
      return candidate;
    }
    start = end + 1;
  }
  return std::nullopt;
}

}  // namespace sonaru::platform

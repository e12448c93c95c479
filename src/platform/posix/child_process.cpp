// posix_spawn with the child's output on pipes, read while the child runs so that it never blocks on a
// full pipe.
#include "platform/posix/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <map>
#include <string_view>

extern char** environ;

namespace sonaru::platform {

namespace {

using std::chrono::milliseconds;
using std::chrono::steady_clock;

// How often a child whose output stays quiet is checked for having ended.
constexpr milliseconds CheckInterval{10};

std::vector<std::string> ChildEnvironment(const ChildOptions& options) {
  std::map<std::string, std::string> variables;
  const auto add = [&variables](std::string_view entry) {
    const std::size_t equals = entry.find('=');
    variables[std::string(entry.substr(0, equals))] =
        equals == std::string_view::npos ? "" : std::string(entry.substr(equals + 1));
  };
  for (char** entry = environ; *entry != nullptr; ++entry) {
    add(*entry);
  }
  for (const std::string& name : options.unset) {
    variables.erase(name);
  }
  for (const std::string& entry : options.environment) {
    add(entry);
  }
  std::vector<std::string> result;
  result.reserve(variables.size());
  for (const auto& [name, value] : variables) {
    result.push_back(std::string(name).append("=").append(value));
  }
  return result;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  pointers.reserve(texts.size() + 1);
  for (std::string& text : texts) {
    pointers.push_back(text.data());
  }
  pointers.push_back(nullptr);
  return pointers;
}

// The read end of a child's output stream and where its bytes go.
struct Stream {
  int fd;
  std::string* sink;
};

// Appends what the pipe holds; answers the bytes read, 0 at its end, -1 when nothing is there yet.
ssize_t ReadChunk(const Stream& stream) {
  char buffer[4096];
  const ssize_t count = ::read(stream.fd, buffer, sizeof buffer);
  if (count > 0) {
    stream.sink->append(buffer, static_cast<std::size_t>(count));
  }
  return count;
}

// The streams write into `outcome`, which then also says how the child ended.
void WaitForChild(pid_t child, std::vector<Stream> streams, milliseconds limit, ChildOutcome& outcome) {
  const steady_clock::time_point deadline = steady_clock::now() + limit;
  int status = 0;
  while (::waitpid(child, &status, WNOHANG) != child) {
    const auto left = std::chrono::duration_cast<milliseconds>(deadline - steady_clock::now());
    if (left <= milliseconds::zero()) {
      ::kill(child, SIGKILL);
      ::waitpid(child, &status, 0);
      outcome.end = ChildOutcome::End::TimedOut;
      return;
    }
    std::vector<pollfd> readable;
    readable.reserve(streams.size());
    for (const Stream& stream : streams) {
      readable.push_back({stream.fd, POLLIN, 0});
    }
    const int wait = static_cast<int>(std::min(left, CheckInterval).count());
    if (::poll(readable.data(), readable.size(), wait) <= 0) {
      continue;
    }
    for (std::size_t i = readable.size(); i-- > 0;) {
      if ((readable[i].revents & (POLLIN | POLLHUP)) != 0 && ReadChunk(streams[i]) == 0) {
        streams.erase(streams.begin() + static_cast<std::ptrdiff_t>(i));
      }
    }
  }
  // A grandchild may still hold a pipe: take what is there without waiting for its end.
  for (const Stream& stream : streams) {
    ::fcntl(stream.fd, F_SETFL, O_NONBLOCK);
    while (ReadChunk(stream) > 0) {
    }
  }
  const bool signalled = WIFSIGNALED(status);
  outcome.end = signalled ? ChildOutcome::End::Signalled : ChildOutcome::End::Exited;
  outcome.code = signalled ? WTERMSIG(status) : WEXITSTATUS(status);
}

}  // namespace

ChildOutcome RunChild(const std::vector<std::string>& argv, const ChildOptions& options) {
  ChildOutcome outcome;
  std::array<int, 2> errorPipe{-1, -1}, outputPipe{-1, -1};
  if (::pipe2(errorPipe.data(), O_CLOEXEC) != 0 ||
      (options.captureOutput && ::pipe2(outputPipe.data(), O_CLOEXEC) != 0)) {
    outcome.code = errno;
    for (int fd : {errorPipe[0], errorPipe[1]}) {
      if (fd >= 0) {
        ::close(fd);
      }
    }
    return outcome;
  }
  posix_spawn_file_actions_t actions;
  ::posix_spawn_file_actions_init(&actions);
  ::posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  if (options.captureOutput) {
    ::posix_spawn_file_actions_adddup2(&actions, outputPipe[1], STDOUT_FILENO);
  } else {
    ::posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  }
  ::posix_spawn_file_actions_adddup2(&actions, errorPipe[1], STDERR_FILENO);
  std::vector<std::string> arguments = argv;
  std::vector<std::string> environment = ChildEnvironment(options);
  std::vector<char*> argumentPointers = Pointers(arguments);
  std::vector<char*> environmentPointers = Pointers(environment);
  pid_t child = 0;
  const int spawnError = ::posix_spawn(&child, argumentPointers[0], &actions, nullptr,
                                       argumentPointers.data(), environmentPointers.data());
  ::posix_spawn_file_actions_destroy(&actions);
  std::vector<Stream> streams = {{errorPipe[0], &outcome.errorOutput}};
  ::close(errorPipe[1]);
  if (options.captureOutput) {
    ::close(outputPipe[1]);
    streams.push_back({outputPipe[0], &outcome.output});
  }
  if (spawnError == 0) {
    WaitForChild(child, streams, options.limit, outcome);
  } else {
    outcome.code = spawnError;
  }
  for (const Stream& stream : streams) {
    ::close(stream.fd);
  }
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

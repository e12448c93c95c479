// Xvfb picks its own free display and writes its number to a pipe once clients may connect (-displayfd).
#include "private_x_server.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdlib>
#include <sstream>

extern char** environ;

namespace sonaru::test {

namespace {

constexpr int DisplayFd = 3;
constexpr std::chrono::milliseconds StartLimit(10000);
constexpr std::chrono::milliseconds StopLimit(5000);

xcb_atom_t Atom(xcb_connection_t* connection, const std::string& name) {
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
      connection, xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.c_str()),
      nullptr);
  const xcb_atom_t atom = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
  std::free(reply);
  return atom;
}

}  // namespace

std::string FindOnPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::istringstream folders(path != nullptr ? path : "");
  for (std::string folder; std::getline(folders, folder, ':');) {
    const std::string candidate = folder + "/" + name;
    if (!folder.empty() && ::access(candidate.c_str(), X_OK) == 0) {
      return candidate;
    }
  }
  return {};
}

PrivateXServer::PrivateXServer() {
  const std::string xvfb = FindOnPath("Xvfb");
  int ready[2];
  if (xvfb.empty() || ::pipe2(ready, O_CLOEXEC) != 0) {
    return;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, ready[1], DisplayFd);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  std::string arguments[] = {xvfb,   "-displayfd", std::to_string(DisplayFd), "-nolisten", "tcp", "-noreset",
                             "-dpi", "96"};
  char* argv[std::size(arguments) + 1] = {};
  for (std::size_t i = 0; i < std::size(arguments); ++i) {
    argv[i] = arguments[i].data();
  }
  const bool spawned = ::posix_spawn(&pid_, xvfb.c_str(), &actions, nullptr, argv, environ) == 0;
  posix_spawn_file_actions_destroy(&actions);
  ::close(ready[1]);
  if (!spawned) {
    pid_ = -1;
    ::close(ready[0]);
    return;
  }
  std::string number;
  pollfd fd{ready[0], POLLIN, 0};
  const auto deadline = std::chrono::steady_clock::now() + StartLimit;
  while (number.find('\n') == std::string::npos) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    char buffer[16];
    ssize_t n = 0;
    if (left.count() <= 0 || ::poll(&fd, 1, static_cast<int>(left.count())) <= 0 ||
        (n = ::read(ready[0], buffer, sizeof buffer)) <= 0) {
      break;
    }
    number.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(ready[0]);
  const std::size_t end = number.find('\n');
  if (end != std::string::npos) {
    display_ = number.substr(0, end);
    display_.insert(display_.begin(), ':');
  }
}

// Asked first, so that it removes its socket and lock file; killed if it does not end in time.
PrivateXServer::~PrivateXServer() {
  if (pid_ <= 0) {
    return;
  }
  ::kill(pid_, SIGTERM);
  const auto deadline = std::chrono::steady_clock::now() + StopLimit;
  while (::waitpid(pid_, nullptr, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
      return;
    }
    ::usleep(10000);
  }
}

bool PrivateXServer::AskToClose(std::uint32_t window) const {
  xcb_connection_t* connection = xcb_connect(display_.c_str(), nullptr);
  bool sent = false;
  if (xcb_connection_has_error(connection) == 0) {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = Atom(connection, "WM_PROTOCOLS");
    message.data.data32[0] = Atom(connection, "WM_DELETE_WINDOW");
    message.data.data32[1] = XCB_CURRENT_TIME;
    xcb_void_cookie_t cookie = xcb_send_event_checked(connection, 0, window, XCB_EVENT_MASK_NO_EVENT,
                                                      reinterpret_cast<const char*>(&message));
    xcb_generic_error_t* error = xcb_request_check(connection, cookie);
    sent = error == nullptr && message.type != XCB_ATOM_NONE;
    std::free(error);
  }
  xcb_disconnect(connection);
  return sent;
}

}  // namespace sonaru::test

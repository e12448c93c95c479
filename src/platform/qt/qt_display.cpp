// Whether the display that Qt would use answers, asked without Qt: the window's module is loaded only
// when it does.
#include "platform/qt/qt_display.h"

#include <netdb.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <charconv>
#include <chrono>
#include <cstddef>
#include <cstdlib>
#include <functional>
#include <future>
#include <memory>
#include <string>
#include <thread>

namespace sonaru::platform {

namespace {

// A live display answers within milliseconds; a dead one must not hold the start for long.
constexpr std::chrono::milliseconds ProbeLimit(1500);

constexpr int XTcpPortBase = 6000;

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

// An X server started for one program (Xvfb, xinit) resets when its last client leaves, and a reset
// refuses the connections that come meanwhile: the probe's connection stays open until the next probe or
// the end of the process, so that the toolkit's own connection never meets a reset caused by the probe.
void KeepOpen(int connection) {
  static std::atomic<int> kept{-1};
  if (const int previous = kept.exchange(connection); previous >= 0) {
    ::close(previous);
  }
}

// A connection that opens is enough: no greeting is sent.
bool Answers(const sockaddr* address, socklen_t length) {
  const int connection = ::socket(address->sa_family, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (connection < 0) {
    return false;
  }
  if (::connect(connection, address, length) != 0) {
    ::close(connection);
    return false;
  }
  KeepOpen(connection);
  return true;
}

// A path, or a name in Linux's abstract namespace when it starts with '\0'.
bool LocalSocketAnswers(const std::string& path) {
  sockaddr_un address{};
  if (path.empty() || path.size() >= sizeof address.sun_path) {
    return false;
  }
  address.sun_family = AF_UNIX;
  path.copy(address.sun_path, path.size());
  return Answers(reinterpret_cast<const sockaddr*>(&address),
                 static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + path.size()));
}

bool TcpServerAnswers(const std::string& host, int port, int family) {
  addrinfo hints{};
  hints.ai_family = family;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) {
    return false;
  }
  bool answered = false;
  for (const addrinfo* address = found; address != nullptr && !answered; address = address->ai_next) {
    answered = Answers(address->ai_addr, address->ai_addrlen);
  }
  ::freeaddrinfo(found);
  return answered;
}

// DISPLAY as Xlib reads it: [protocol/][host]:number[.screen].
struct XDisplayName {
  std::string protocol;
  std::string host;
  int number = -1;  // -1 when the text is not a display name
};

XDisplayName ParsedXDisplay(const std::string& display) {
  XDisplayName name;
  const std::size_t slash = display.rfind('/');
  if (slash != std::string::npos) {
    name.protocol = display.substr(0, slash);
  }
  const std::string rest = display.substr(slash == std::string::npos ? 0 : slash + 1);
  const std::size_t colon = rest.rfind(':');
  if (colon == std::string::npos) {
    return name;
  }
  name.host = rest.substr(0, colon);
  const char* end = rest.data() + rest.size();
  int number = -1;
  const auto [stop, error] = std::from_chars(rest.data() + colon + 1, end, number);
  if (error == std::errc() && (stop == end || *stop == '.') && number >= 0 &&
      number <= 0xFFFF - XTcpPortBase) {
    name.number = number;
  }
  return name;
}

// Where libxcb connects: a local display's socket, in the abstract namespace first; a host's TCP port
// 6000 + number. ":number" alone falls back to TCP on this machine.
bool XServerAnswers(const std::string& display) {
  if (display.starts_with('/')) {
    return LocalSocketAnswers(display);  // the socket itself, as some systems give it
  }
  const XDisplayName name = ParsedXDisplay(display);
  if (name.number < 0) {
    return false;
  }
  const int port = XTcpPortBase + name.number;
  if (name.protocol == "unix" || name.host == "unix" || name.host.empty()) {
    const std::string socket = "/tmp/.X11-unix/X" + std::to_string(name.number);
    return LocalSocketAnswers('\0' + socket) || LocalSocketAnswers(socket) ||
           (name.protocol.empty() && name.host.empty() && TcpServerAnswers("localhost", port, AF_UNSPEC));
  }
  const int family = name.protocol == "inet" ? AF_INET : name.protocol == "inet6" ? AF_INET6 : AF_UNSPEC;
  return TcpServerAnswers(name.host, port, family);
}

// As libwayland reads it: WAYLAND_DISPLAY names a socket in XDG_RUNTIME_DIR, or is an absolute path.
// Empty when there is none to try.
std::string WaylandSocket() {
  std::string name = Variable("WAYLAND_DISPLAY");
  if (name.empty() || name.starts_with('/')) {
    return name;
  }
  const std::string folder = Variable("XDG_RUNTIME_DIR");
  return folder.empty() ? std::string() : folder + "/" + name;
}

// Neither getaddrinfo nor a connect to a server that never accepts has a time limit: the probe runs on
// its own thread, and one without an answer in time counts as no display. It ends later by itself.
bool AnswersInTime(std::function<bool()> probe) {
  auto answer = std::make_shared<std::promise<bool>>();
  std::future<bool> answered = answer->get_future();
  std::thread([answer, probe = std::move(probe)] { answer->set_value(probe()); }).detach();
  return answered.wait_for(ProbeLimit) == std::future_status::ready && answered.get();
}

}  // namespace

bool DisplayAvailable() {
  const std::string platform = Variable("QT_QPA_PLATFORM");
  const bool x = platform.empty() || platform.starts_with("xcb");
  const bool wayland = platform.empty() || platform.starts_with("wayland");
  if (!x && !wayland) {
    return true;  // offscreen, vnc, linuxfb and the like need nothing from the environment
  }
  // Read here, as the probe's thread may outlive this call and the environment may change meanwhile.
  const std::string display = x ? Variable("DISPLAY") : std::string();
  const std::string compositor = wayland ? WaylandSocket() : std::string();
  return AnswersInTime(
      [display, compositor] { return XServerAnswers(display) || LocalSocketAnswers(compositor); });
}

}  // namespace sonaru::platform

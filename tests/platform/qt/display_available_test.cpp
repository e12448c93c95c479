// Deciding whether Qt may open its platform, by connecting to the display first, so that it never aborts.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/qt/qt_display.h"

namespace sonaru::test {
namespace {

namespace fs = std::filesystem;

// A socket that listens and never accepts: as much of a display server as a connection needs.
class Listener {
 public:
  Listener(const sockaddr* address, socklen_t length, int backlog)
      : socket_(::socket(address->sa_family, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
    listening_ = socket_ >= 0 && ::bind(socket_, address, length) == 0 && ::listen(socket_, backlog) == 0;
  }
  ~Listener() { ::close(socket_); }
  Listener(const Listener&) = delete;
  Listener& operator=(const Listener&) = delete;

  bool listening() const { return listening_; }
  int port() const {
    sockaddr_in address{};
    socklen_t length = sizeof address;
    ::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length);
    return ntohs(address.sin_port);
  }

 private:
  int socket_;
  bool listening_;
};

// A path, or a name in the abstract namespace when it starts with '\0'.
struct LocalAddress {
  explicit LocalAddress(const std::string& path)
      : length(static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + path.size())) {
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, sizeof address.sun_path - 1);
  }
  const sockaddr* get() const { return reinterpret_cast<const sockaddr*>(&address); }

  sockaddr_un address{};
  socklen_t length;
};

std::unique_ptr<Listener> LocalListener(const std::string& path, int backlog = SOMAXCONN) {
  const LocalAddress address(path);
  return std::make_unique<Listener>(address.get(), address.length, backlog);
}

// On 127.0.0.1; port 0 takes any free one.
std::unique_ptr<Listener> TcpListener(int port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return std::make_unique<Listener>(reinterpret_cast<const sockaddr*>(&address), sizeof address, SOMAXCONN);
}

// "prefix<number>suffix", such as ":12" or "unix:12.0".
std::string Display(const char* prefix, int number, const char* suffix = "") {
  return std::string(prefix).append(std::to_string(number)).append(suffix);
}

class DisplayAvailableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : Names) {
      const char* value = std::getenv(name);
      saved_.push_back(value == nullptr ? std::nullopt : std::optional<std::string>(value));
      ::unsetenv(name);
    }
    std::string pattern = (fs::temp_directory_path() / "sonaru-display-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder = pattern;
    ::setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);

    // The X display `live` answers on its TCP port and its abstract local socket; `dead` on neither.
    liveTcp_ = TcpListener(0);
    live = liveTcp_->port() - XTcpPortBase;
    liveLocal_ = LocalListener(std::string(1, '\0').append(XSocket(live)));
    dead = TcpListener(0)->port() - XTcpPortBase;
    xPath_ = LocalListener(folder / "X");
    wayland_ = LocalListener(folder / "wayland-sonaru");
    ASSERT_TRUE(liveTcp_->listening() && liveLocal_->listening() && xPath_->listening() &&
                wayland_->listening());
    ASSERT_FALSE(fs::exists(XSocket(dead)));
  }
  void TearDown() override {
    for (std::size_t i = 0; i < saved_.size(); ++i) {
      saved_[i] ? ::setenv(Names[i], saved_[i]->c_str(), 1) : ::unsetenv(Names[i]);
    }
    std::error_code ignored;
    fs::remove_all(folder, ignored);
  }

  static bool With(const std::string& platform, const std::string& display, const std::string& wayland) {
    const std::string* values[] = {&platform, &display, &wayland};
    for (std::size_t i = 0; i < 3; ++i) {
      ::setenv(Names[i], values[i]->c_str(), 1);
    }
    return platform::DisplayAvailable();
  }

  struct Case {
    std::string platform;
    std::string display;
    std::string wayland;
    bool available;
  };
  static void ExpectEach(const std::vector<Case>& cases) {
    for (const Case& each : cases) {
      EXPECT_EQ(With(each.platform, each.display, each.wayland), each.available)
          << "QT_QPA_PLATFORM=" << each.platform << " DISPLAY=" << each.display
          << " WAYLAND_DISPLAY=" << each.wayland;
    }
  }

  static constexpr int XTcpPortBase = 6000;
  static constexpr const char* Names[] = {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY", "XDG_RUNTIME_DIR"};
  static std::string XSocket(int number) { return Display("/tmp/.X11-unix/X", number); }

  fs::path folder;
  int live = -1;
  int dead = -1;

 private:
  std::vector<std::optional<std::string>> saved_;
  std::unique_ptr<Listener> liveTcp_;
  std::unique_ptr<Listener> liveLocal_;
  std::unique_ptr<Listener> xPath_;
  std::unique_ptr<Listener> wayland_;
};

TEST_F(DisplayAvailableTest, NothingInTheEnvironmentMeansNoDisplay) {
  EXPECT_FALSE(platform::DisplayAvailable());
  EXPECT_FALSE(With("", "", ""));
}

TEST_F(DisplayAvailableTest, AnXDisplayCountsOnlyWhenItsServerAcceptsAConnection) {
  ExpectEach({
      {"", Display(":", live), "", true},
      {"xcb", Display("unix:", live, ".0"), "", true},
      {"", Display("localhost:", live), "", true},
      {"", Display("inet/127.0.0.1:", live, ".0"), "", true},
      {"", (folder / "X").string(), "", true},
      {"", Display(":", dead), "", false},
      {"", Display("unix:", dead), "", false},
      {"", Display("localhost:", dead, ".0"), "", false},
      {"", (folder / "none").string(), "", false},
      {"", "localhost", "", false},
      {"xcb", Display(":", dead), "wayland-sonaru", false},
      {"wayland", Display(":", live), "", false},
  });
}

TEST_F(DisplayAvailableTest, AWaylandDisplayCountsOnlyWhenItsCompositorAcceptsAConnection) {
  ExpectEach({
      {"", "", "wayland-sonaru", true},
      {"wayland", Display(":", dead), (folder / "wayland-sonaru").string(), true},
      {"", "", "wayland-none", false},
      {"", "", "/nonexistent/wayland-0", false},
      {"offscreen", "", "", true},
  });
  ::unsetenv("XDG_RUNTIME_DIR");
  EXPECT_FALSE(With("", "", "wayland-sonaru"));
}

// Connecting to a local socket whose queue is full waits for as long as the server does not accept.
TEST_F(DisplayAvailableTest, AServerThatNeverAcceptsCountsAsNoDisplayInTime) {
  const fs::path path = folder / "full";
  const std::unique_ptr<Listener> server = LocalListener(path, 0);
  ASSERT_TRUE(server->listening());
  const LocalAddress address(path);
  std::vector<int> clients;
  do {
    clients.push_back(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
  } while (::connect(clients.back(), address.get(), address.length) == 0);
  ASSERT_EQ(errno, EAGAIN);
  const auto started = std::chrono::steady_clock::now();
  EXPECT_FALSE(With("", path.string(), ""));
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(3));
  for (const int client : clients) {
    ::close(client);
  }
}

}  // namespace
}  // namespace sonaru::test

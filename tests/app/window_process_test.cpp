// The real executable as a process: the window needs a display, the windowless modes never ask for one.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "child_process.h"
#include "virtual_card.h"

namespace sonaru::test {
namespace {

const std::vector<std::string> DisplayVariables = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"};

// The X display whose TCP port (6000 + number) was free a moment ago: nothing answers there.
int DeadDisplayNumber() {
  const int reserved = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  ::bind(reserved, reinterpret_cast<const sockaddr*>(&address), length);
  ::getsockname(reserved, reinterpret_cast<sockaddr*>(&address), &length);
  ::close(reserved);
  return ntohs(address.sin_port) - 6000;
}

// Qt aborts when the display it is given does not answer: the program must find out first.
TEST(WindowProcessTest, AnEmptyCommandLineWithoutAReachableDisplaySaysSoAndFails) {
  VirtualCard card({{"Master Playback Volume", false, 0, 65535, {100, 100}}});
  const std::string dead = std::to_string(DeadDisplayNumber());
  // Each without QT_QPA_PLATFORM; the first without any display variable either.
  const std::string settings[] = {
      "",
      std::string("DISPLAY=localhost:").append(dead),
      std::string("DISPLAY=unix:").append(dead),
      "WAYLAND_DISPLAY=/nonexistent/wayland-0",
  };
  for (const std::string& setting : settings) {
    std::vector<std::string> environment = card.environment();
    if (!setting.empty()) {
      environment.push_back(setting);
    }
    const ProcessResult result = RunProcess({SONARU_EXECUTABLE}, {environment, DisplayVariables});
    EXPECT_FALSE(result.timedOut) << setting;
    EXPECT_EQ(result.exitStatus, 6) << setting;
    EXPECT_EQ(result.err, "Aucun affichage disponible : la fenêtre ne peut pas s'ouvrir.\n") << setting;
  }
}

// A platform plugin that does not exist makes Qt abort as soon as an application is created. The restore
// needs saved settings, which go beside a private copy of the program.
TEST(WindowProcessTest, RestoringNeverStartsTheToolkit) {
  VirtualCard card({{"Master Playback Volume", false, 0, 65535, {100, 100}}});
  std::string folder = (std::filesystem::temp_directory_path() / "sonaru-restore-XXXXXX").string();
  ASSERT_NE(::mkdtemp(folder.data()), nullptr);
  const std::string program = folder + "/sonaru";
  std::filesystem::copy_file(SONARU_EXECUTABLE, program);
  std::vector<std::string> environment = card.environment();
  EXPECT_EQ(RunProcess({program, "save"}, {environment, DisplayVariables}).exitStatus, 0);
  environment.push_back("QT_QPA_PLATFORM=no-such-platform");
  const ProcessResult result = RunProcess({program, "/Rest"}, {environment, {"DISPLAY"}});
  std::filesystem::remove_all(folder);
  EXPECT_FALSE(result.timedOut);
  EXPECT_EQ(result.exitStatus, 0) << result.err;
}

}  // namespace
}  // namespace sonaru::test

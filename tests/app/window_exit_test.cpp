// Saving, restoring, then quitting the window ends the process with status 0 whichever way the user quits:
// on Qt's offscreen platform, played in the process by a driver wired as the program, and on an X server
// of the test's own, the program itself played with xdotool. The process exits only after the static
// destructors ran, where a mixer released after its backend used to crash.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "child_process.h"
#include "private_x_server.h"
#include "virtual_card.h"

namespace sonaru::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// A button's centre in pixels, from its place in twips: 15 twips a pixel at 96 dpi.
constexpr int Centre(double start, double length) { return static_cast<int>((start + length / 2) / 15); }
constexpr int ButtonX = Centre(7080, 1455);
constexpr int SaveY = Centre(960, 615), RestoreY = Centre(1680, 615), QuitY = Centre(2400, 615);

constexpr std::chrono::milliseconds RunLimit(60000);  // roomy for a sanitized build
constexpr std::chrono::milliseconds WindowLimit(20000);

class WindowExitTest : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "sonaru-exit-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder = pattern;
  }
  void TearDown() override { fs::remove_all(folder); }

  // The program writes its Sonaru.ini beside itself: a private copy keeps it here, with the window's
  // module beside it as a user copies the two.
  std::string Copy(const fs::path& program) const {
    const fs::path copy = folder / program.filename();
    fs::copy_file(program, copy);
    fs::copy_file(SONARU_WINDOW_MODULE, folder / fs::path(SONARU_WINDOW_MODULE).filename(),
                  fs::copy_options::skip_existing);
    return copy.string();
  }

  // `screen` is the one variable that tells Qt where to show the window.
  ProcessOptions Options(const std::string& screen) const {
    std::vector<std::string> environment = card.environment();
    environment.push_back(screen);
    return {environment, {"SONARU_MIXER_DEVICE", "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}, RunLimit};
  }

  void ExpectSavedThenEndedCleanly(const ProcessResult& result) const {
    EXPECT_FALSE(result.timedOut);
    EXPECT_EQ(result.exitStatus, 0) << "(-1: killed by a signal)\n" << result.err;
    std::ifstream in(folder / "Sonaru.ini", std::ios::binary);
    std::ostringstream settings;
    settings << in.rdbuf();
    EXPECT_EQ(settings.str().rfind("[Volume]\nWaveVolume= 45000\n", 0), 0u) << settings.str();
  }

  VirtualCard card{{
      {"Master Playback Volume", false, 0, 65535, {45000, 45000}},
      {"Master Playback Switch", true, 0, 1, {1, 1}},
      {"PCM Playback Volume", false, 0, 255, {200, 200}},
      {"PCM Playback Switch", true, 0, 1, {1, 1}},
  }};
  fs::path folder;
};

TEST_P(WindowExitTest, OffscreenSaveRestoreThenQuitExitsWithZero) {
  ExpectSavedThenEndedCleanly(
      RunProcess({Copy(SONARU_EXIT_DRIVER), GetParam()}, Options("QT_QPA_PLATFORM=offscreen")));
}

// xdotool on one display; the program's visible windows are found by their class.
class Xdo {
 public:
  Xdo(std::string program, std::string display)
      : program_(std::move(program)), display_(std::move(display)) {}

  bool Run(std::vector<std::string> arguments) const { return Output(std::move(arguments)).has_value(); }

  std::optional<std::string> Output(std::vector<std::string> arguments) const {
    arguments.insert(arguments.begin(), program_);
    const ProcessResult result = RunProcess(arguments, {{"DISPLAY=" + display_}, {}, 10s});
    return result.exitStatus == 0 ? std::optional(result.out) : std::nullopt;
  }

  // Waits until the program shows exactly `count` windows; answers the one that is not `known`.
  std::string AwaitWindows(std::size_t count, const std::string& known = "") const {
    const auto deadline = std::chrono::steady_clock::now() + WindowLimit;
    while (std::chrono::steady_clock::now() < deadline) {
      std::istringstream lines(Output({"search", "--onlyvisible", "--classname", "^sonaru$"}).value_or(""));
      std::vector<std::string> windows;
      for (std::string line; std::getline(lines, line);) {
        windows.push_back(line);
      }
      for (const std::string& window : windows) {
        if (windows.size() == count && window != known) {
          return window;
        }
      }
      std::this_thread::sleep_for(50ms);
    }
    return {};
  }

  bool Click(const std::string& window, int y) const {
    return Run({"mousemove", "--window", window, std::to_string(ButtonX), std::to_string(y), "click", "1"});
  }

 private:
  std::string program_;
  std::string display_;
};

// Without a window manager nothing else gives the focus: each key goes to the window it is meant for.
TEST_P(WindowExitTest, OnAnXServerSaveRestoreThenQuitExitsWithZero) {
  const std::string xdotool = FindOnPath("xdotool");
  if (xdotool.empty() || FindOnPath("Xvfb").empty()) {
    GTEST_SKIP() << "Xvfb or xdotool is missing (scripts/install-deps.sh installs them)";
  }
  const std::string program = Copy(SONARU_EXECUTABLE);
  std::future<ProcessResult> run;  // waited for after the server is gone, which ends a program left running
  const PrivateXServer server;
  ASSERT_NE(server.Display(), "") << "Xvfb did not start";
  run = std::async(std::launch::async, RunProcess, std::vector<std::string>{program},
                   Options("DISPLAY=" + server.Display()));
  const Xdo xdo(xdotool, server.Display());

  const auto ending = [&run] {
    if (run.wait_for(0s) != std::future_status::ready) {
      return std::string("the program still runs");
    }
    const ProcessResult result = run.get();
    return "the program ended with " + std::to_string(result.exitStatus) + ":\n" + result.err;
  };
  const std::string window = xdo.AwaitWindows(1);
  ASSERT_NE(window, "") << "no window; " << ending();
  const std::string geometry = xdo.Output({"getwindowgeometry", "--shell", window}).value_or("");
  ASSERT_NE(geometry.find("WIDTH=582\nHEIGHT=284\n"), std::string::npos)
      << "not the size the clicks are computed for:\n"
      << geometry;
  for (const int button : {SaveY, RestoreY}) {
    ASSERT_TRUE(xdo.Click(window, button));
    const std::string box = xdo.AwaitWindows(2, window);
    ASSERT_NE(box, "") << "no box after the click at y " << button << "; " << ending();
    ASSERT_TRUE(xdo.Run({"windowfocus", "--sync", box, "key", "Return"}));
    ASSERT_EQ(xdo.AwaitWindows(1), window) << "the box stayed";
  }
  const std::string way = GetParam();
  if (way == "button") {
    ASSERT_TRUE(xdo.Click(window, QuitY));
  } else if (way == "alt-q") {
    ASSERT_TRUE(xdo.Run({"windowfocus", "--sync", window, "key", "alt+q"}));
  } else {
    // What a window manager sends for its close box; xdotool's windowclose destroys the window instead.
    ASSERT_TRUE(server.AskToClose(static_cast<std::uint32_t>(std::stoul(window))));
  }
  ExpectSavedThenEndedCleanly(run.get());
}

INSTANTIATE_TEST_SUITE_P(Ways, WindowExitTest, ::testing::Values("button", "alt-q", "close-box"),
                         [](const ::testing::TestParamInfo<const char*>& way) {
                           std::string name = way.param;
                           std::replace(name.begin(), name.end(), '-', '_');
                           return name;
                         });

}  // namespace
}  // namespace sonaru::test

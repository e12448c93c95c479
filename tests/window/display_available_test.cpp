// Deciding from the environment whether Qt may open its platform, so that it never aborts.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/qt/qt_application.h"

namespace sonaru::test {
namespace {

class DisplayAvailableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : Names) {
      const char* value = std::getenv(name);
      saved_.push_back(value == nullptr ? std::nullopt : std::optional<std::string>(value));
      ::unsetenv(name);
    }
  }
  void TearDown() override {
    for (std::size_t i = 0; i < saved_.size(); ++i) {
      saved_[i] ? ::setenv(Names[i], saved_[i]->c_str(), 1) : ::unsetenv(Names[i]);
    }
  }
  static bool With(const char* platform, const char* display, const char* wayland) {
    const char* values[] = {platform, display, wayland};
    for (std::size_t i = 0; i < 3; ++i) {
      values[i] == nullptr ? ::unsetenv(Names[i]) : ::setenv(Names[i], values[i], 1);
    }
    return platform::DisplayAvailable();
  }
  static std::string FreeLocalDisplay() {
    const std::filesystem::path sockets = "/tmp/.X11-unix";
    int number = 900;
    while (std::filesystem::exists(sockets / std::string("X").append(std::to_string(number)))) {
      ++number;
    }
    return std::string(":").append(std::to_string(number));
  }

  static constexpr const char* Names[] = {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"};
  std::vector<std::optional<std::string>> saved_;
};

TEST_F(DisplayAvailableTest, NothingInTheEnvironmentMeansNoDisplay) {
  EXPECT_FALSE(With(nullptr, nullptr, nullptr));
  EXPECT_FALSE(With("", "", ""));
}

TEST_F(DisplayAvailableTest, ALocalXDisplayCountsOnlyWhenItsServerIsThere) {
  const std::string absent = FreeLocalDisplay();
  EXPECT_FALSE(With(nullptr, absent.c_str(), nullptr));
  EXPECT_FALSE(With("xcb", (absent + ".0").c_str(), "wayland-0"));
  EXPECT_TRUE(With(nullptr, "remote.example:0", nullptr));
}

TEST_F(DisplayAvailableTest, WaylandNeedsItsDisplayAndOffscreenNeedsNothing) {
  EXPECT_TRUE(With(nullptr, nullptr, "wayland-0"));
  EXPECT_FALSE(With("wayland", ":0", nullptr));
  EXPECT_TRUE(With("wayland", nullptr, "wayland-0"));
  EXPECT_TRUE(With("offscreen", nullptr, nullptr));
}

}  // namespace
}  // namespace sonaru::test

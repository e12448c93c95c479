// The real executable as a process: the window needs a display, the windowless modes never ask for one.
#include <gtest/gtest.h>

#include "child_process.h"
#include "virtual_card.h"

namespace sonaru::test {
namespace {

const std::vector<std::string> DisplayVariables = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"};

TEST(WindowProcessTest, AnEmptyCommandLineWithoutDisplaySaysSoAndFails) {
  VirtualCard card({{"Master Playback Volume", false, 0, 65535, {100, 100}}});
  const ProcessResult result = RunProcess({SONARU_EXECUTABLE}, {card.environment(), DisplayVariables});
  EXPECT_FALSE(result.timedOut);
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_EQ(result.err, "Aucun affichage disponible : la fenêtre ne peut pas s'ouvrir.\n");
}

// A platform plugin that does not exist makes Qt abort as soon as an application is created.
TEST(WindowProcessTest, RestoringNeverStartsTheToolkit) {
  VirtualCard card({{"Master Playback Volume", false, 0, 65535, {100, 100}}});
  std::vector<std::string> environment = card.environment();
  environment.push_back("QT_QPA_PLATFORM=no-such-platform");
  const ProcessResult result = RunProcess({SONARU_EXECUTABLE, "/Rest"}, {environment, {"DISPLAY"}});
  EXPECT_FALSE(result.timedOut);
  EXPECT_EQ(result.exitStatus, 0) << result.err;
}

}  // namespace
}  // namespace sonaru::test

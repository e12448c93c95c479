// Start-up with an empty command line: the window opens and Main returns once it has closed.
#include <gmock/gmock.h>

#include "startup/exit_status.h"
#include "startup/start_up.h"
#include "window/window_fixture.h"

namespace sonaru::test {
namespace {

using WindowModeTest = WindowTest;

TEST_F(WindowModeTest, TheWindowRunsUntilItIsClosed) {
  AddAllChannels();
  bool ranShown = false;
  toolkit.user = [&](HeadlessToolkit& user) {
    ranShown = user.shown && user.form->caption.size() == 107;
    user.Unload();  // the close box
  };
  EXPECT_EQ(Main(), 0);
  EXPECT_TRUE(ranShown);
  EXPECT_EQ(mixer.openHandles, 0);
  EXPECT_TRUE(SettingsText().empty());
}

TEST_F(WindowModeTest, WithoutDisplayTheRunSaysSoAndFails) {
  AddAllChannels();
  toolkit.displayAvailable = false;
  EXPECT_EQ(Main(), ExitNoDisplay);
  EXPECT_THAT(messages.shown,
              ::testing::ElementsAre("Aucun affichage disponible : la fenêtre ne peut pas s'ouvrir."));
  EXPECT_FALSE(toolkit.form);
  EXPECT_TRUE(mixer.calls.empty());
}

}  // namespace
}  // namespace sonaru::test

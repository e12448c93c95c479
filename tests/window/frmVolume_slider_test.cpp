// Dragging the thumbs: clamping to the track, the level written at every move, buttons, the ding, edges.
#include <gmock/gmock.h>

#include "window_fixture.h"

namespace sonaru::test {
namespace {

using namespace platform;
using ::testing::ElementsAre;

class SliderTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    AddAllChannels();
    mixer.Line(MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT).volume->maximum = 32767;
    mixer.Line(MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE).volume->minimum = 100;
    Open();
  }
  /// Grabs thumb i at `grip` twips below its top edge and moves the mouse to `y`.
  void Drag(int i, float grip, float y, int button = vbLeftButton) {
    toolkit.MouseDown(Thumb(i), button, grip);
    toolkit.MouseMove(Thumb(i), button, y);
  }
};

TEST_F(SliderTest, DraggingAboveTheTrackStopsAtItsTopAndWritesTheWholeRange) {
  Drag(0, 100, -5000);
  Drag(2, 100, -5000);
  EXPECT_EQ(TopOf(Thumb(0)), 758);
  EXPECT_EQ(TopOf(Thumb(2)), 758);
  EXPECT_THAT(SetCalls(), ElementsAre(SetVolume(0, 65535), SetVolume(2, 32767)));
}

TEST_F(SliderTest, DraggingBelowTheTrackStopsAtItsBottomAndWritesZeroRaisedToTheMinimum) {
  Drag(1, 100, -1000);
  Drag(1, 100, 9000);
  EXPECT_EQ(TopOf(Thumb(1)), 3473);
  EXPECT_EQ(SetCalls().back(), SetVolume(1, 100));
}

TEST_F(SliderTest, TheThumbKeepsItsGripPointAndEveryMoveWrites) {
  Drag(0, 100, -200);  // 300 twips up from the bottom of the travel
  EXPECT_EQ(TopOf(Thumb(0)), 3173);
  toolkit.MouseMove(Thumb(0), vbLeftButton, 100);  // the same place again still writes
  EXPECT_THAT(SetCalls(), ElementsAre(SetVolume(0, 7241), SetVolume(0, 7241)));
}

TEST_F(SliderTest, OtherButtonsAndPlainMovesMoveNothing) {
  for (int button : {0, vbRightButton, vbMiddleButton, vbLeftButton | vbRightButton}) {
    Drag(0, 100, -1000, button);
  }
  EXPECT_EQ(TopOf(Thumb(0)), 3473);
  EXPECT_TRUE(SetCalls().empty());
}

TEST_F(SliderTest, ARightButtonPressDoesNotMoveTheGripPoint) {
  toolkit.MouseDown(Thumb(0), vbLeftButton, 100);
  toolkit.MouseDown(Thumb(0), vbRightButton, 250);
  toolkit.MouseMove(Thumb(0), vbLeftButton, 0);
  EXPECT_EQ(TopOf(Thumb(0)), 3373);
}

TEST_F(SliderTest, ReleasingPlaysTheDingForVolAndWaveOnly) {
  for (int i = 0; i < ChannelCount; ++i) {
    toolkit.MouseUp(Thumb(i), i == 2 ? vbRightButton : vbLeftButton, 0);
  }
  EXPECT_THAT(sound.played, ElementsAre(std::pair<std::string, std::uint32_t>{"/opt/sonaru/ding.wav", 0x11},
                                        std::pair<std::string, std::uint32_t>{"/opt/sonaru/ding.wav", 0x11}));
}

TEST_F(SliderTest, PaintingDrawsTheRaisedEdgeOnEveryThumbHiddenOnesToo) {
  toolkit.SetVisible(Thumb(5), false);
  toolkit.Paint();
  for (int i = 0; i < ChannelCount; ++i) {
    ASSERT_TRUE(toolkit.Of(Thumb(i)).edge) << i;
    const PixelRect& edge = *toolkit.Of(Thumb(i)).edge;
    EXPECT_EQ(edge.right, 35);
    EXPECT_EQ(edge.bottom, 19);
    EXPECT_EQ(edge.left + edge.top, 0);
  }
}

TEST_F(SliderTest, TheEdgeFollowsTheScreensTwipsPerPixel) {
  toolkit.twipsPerPixel = 7.5;  // 192 dots per inch rounds to 8 twips per pixel
  window.reset();
  toolkit.controls.clear();
  Open();
  toolkit.Paint();
  EXPECT_EQ(toolkit.Of(Thumb(0)).edge->right, 65);
  EXPECT_EQ(toolkit.Of(Thumb(0)).edge->bottom, 35);
}

// A change made elsewhere (volume keys, another mixer) moves the thumbs and boxes as a refresh would, writes
// nothing back, and leaves alone the thumb under the mouse.
TEST_F(SliderTest, TheWindowFollowsChangesMadeElsewhereExceptUnderTheMouse) {
  EXPECT_EQ(toolkit.watched, (std::vector<int>{42}));
  toolkit.MouseDown(Thumb(0), vbLeftButton, 100);
  const double heldTop = TopOf(Thumb(0));
  mixer.Line(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS).volume->value = 65535;
  mixer.Line(MIXERLINE_COMPONENTTYPE_SRC_LINE).volume->value = 65535;
  mixer.Line(MIXERLINE_COMPONENTTYPE_SRC_LINE).mute->value = 1;
  mixer.calls.clear();
  mixer.pendingChange = MixerChange::Values;
  toolkit.DescriptorsReady();
  EXPECT_EQ(TopOf(Thumb(0)), heldTop);
  EXPECT_EQ(TopOf(Thumb(3)), 758);
  EXPECT_EQ(toolkit.Of(Box(3)).value, 1);
  EXPECT_TRUE(SetCalls().empty());
  EXPECT_TRUE(sound.played.empty());
  toolkit.MouseUp(Thumb(0), vbLeftButton, 100);
  mixer.pendingChange = MixerChange::Values;
  toolkit.DescriptorsReady();
  EXPECT_EQ(TopOf(Thumb(0)), 758);
  EXPECT_EQ(toolkit.ScaleLabels().size(), 55u);
}

TEST_F(SliderTest, ADeviceThatWentAwayIsLookedForQuietlyAndCaughtUpWith) {
  mixer.pendingChange = MixerChange::DeviceLost;
  toolkit.DescriptorsReady();
  EXPECT_TRUE(toolkit.watched.empty());
  EXPECT_EQ(toolkit.pendingDelays, (std::vector<int>{2000}));
  mixer.openFails = true;  // the sound server is still restarting
  toolkit.TimersDue();
  EXPECT_EQ(toolkit.pendingDelays, (std::vector<int>{2000}));
  EXPECT_TRUE(messages.shown.empty());
  mixer.openFails = false;
  mixer.Line(MIXERLINE_COMPONENTTYPE_SRC_LINE).volume->value = 65535;
  toolkit.TimersDue();
  EXPECT_EQ(TopOf(Thumb(3)), 758);
  EXPECT_EQ(toolkit.watched, (std::vector<int>{42}));
  EXPECT_TRUE(toolkit.pendingDelays.empty());
  EXPECT_EQ(mixer.openHandles, 1);
}

TEST_F(SliderTest, APressCatchesUpWithADeviceThatCameBackBeforeTheNextLook) {
  mixer.pendingChange = MixerChange::DeviceLost;
  toolkit.DescriptorsReady();
  mixer.Line(MIXERLINE_COMPONENTTYPE_SRC_LINE).volume->value = 65535;
  Drag(0, 100, 100);
  EXPECT_EQ(TopOf(Thumb(3)), 758);
  EXPECT_EQ(toolkit.watched, (std::vector<int>{42}));
  toolkit.TimersDue();  // the look that was pending finds the window caught up already
  EXPECT_EQ(mixer.openHandles, 1);
}

// A notch is a tenth of the track, over the column's thumb or track alike; elsewhere nothing moves.
TEST_F(SliderTest, TheWheelMovesAColumnByOneScaleStepAsADragWouldWithoutSound) {
  const double top = TopOf(Thumb(3));  // level 0: the bottom of the track
  mixer.calls.clear();
  toolkit.Wheel(2, 3810 + 100, 3000);  // over LINE's track, two notches up
  EXPECT_EQ(TopOf(Thumb(3)), top - 2 * 271);
  EXPECT_EQ(SetCalls(), (std::vector<std::string>{SetVolume(3, 13083)}));
  EXPECT_EQ(toolkit.Of(Thumb(3)).accessibleName, "LINE, 20 %");
  toolkit.Wheel(-30, 3810 + 100, 3000);
  EXPECT_EQ(TopOf(Thumb(3)), top);
  toolkit.Wheel(1, 7100, 3000);       // over the buttons
  toolkit.Wheel(1, 3810 + 100, 300);  // above the track
  EXPECT_EQ(TopOf(Thumb(3)), top);
  EXPECT_TRUE(sound.played.empty());
}

TEST_F(SliderTest, ScreenReadersHearEachThumbsLevelAndEachBoxsChannel) {
  EXPECT_EQ(toolkit.Of(Thumb(0)).accessibleName, "VOL, 0 %");
  Drag(2, 100, -5000);
  EXPECT_EQ(toolkit.Of(Thumb(2)).accessibleName, "WAVE, 100 %");
  EXPECT_EQ(toolkit.Of(Box(0)).accessibleName, "Mute all");
  EXPECT_EQ(toolkit.Of(Box(5)).accessibleName, "Mute MIDI");
}

}  // namespace
}  // namespace sonaru::test

// The window's view of the mixer (which controls show, where the thumbs stand, the scale), the mute boxes,
// the help key and quitting.
#include "window/frmVolume.h"

#include <gmock/gmock.h>

#include "window_fixture.h"

namespace sonaru::test {
namespace {

using namespace platform;
using ::testing::ElementsAre;

using WindowLayoutTest = WindowTest;
using BoxesKeysAndQuitTest = WindowTest;

TEST_F(WindowLayoutTest, MissingChannelsHideTheirSliderAndDisableIconAndBox) {
  mixer.AddLine(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, FakeControl{0, 65535, 0});
  mixer.AddLine(MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE, std::nullopt);                           // no volume
  mixer.AddLine(MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC, FakeControl{0, 255, 0}, std::nullopt);  // no mute
  Open();
  const std::vector<Control> icons = toolkit.Icons(), tracks = toolkit.Tracks(), thumbs = toolkit.Thumbs();
  for (int i = 0; i < ChannelCount; ++i) {
    const bool present = i == 0 || i == 4;
    EXPECT_EQ(toolkit.Of(tracks[i]).visible, present) << i;
    EXPECT_EQ(toolkit.Of(thumbs[i]).visible, present) << i;
    EXPECT_EQ(toolkit.Of(icons[i]).enabled, present) << i;
    EXPECT_TRUE(toolkit.Of(icons[i]).visible) << i;  // a disabled icon is still drawn
    EXPECT_TRUE(toolkit.Of(Box(i)).visible) << i;
    EXPECT_EQ(toolkit.Of(Box(i)).enabled, i == 0) << i;
  }
}

TEST_F(WindowLayoutTest, WithoutMixerEverySliderIsHiddenAndEveryBoxDisabledAndClear) {
  mixer.openFails = true;
  Open();
  EXPECT_THAT(messages.shown, ElementsAre("No mixer found!"));
  for (int i = 0; i < ChannelCount; ++i) {
    EXPECT_FALSE(toolkit.Of(Thumb(i)).visible);
    EXPECT_FALSE(toolkit.Of(Box(i)).enabled);
    EXPECT_EQ(toolkit.Of(Box(i)).value, 0);
    EXPECT_EQ(TopOf(Thumb(i)), 3473);  // bounds 0 and 0, level 0
  }
  EXPECT_EQ(toolkit.OfKind(ControlKind::CommandButton).size(), 3u);
}

TEST_F(WindowLayoutTest, ThumbsStandAtTheInverseOfTheDragMapping) {
  struct Case {
    std::int32_t minimum, maximum, level, top;
  };
  const Case cases[] = {{0, 65535, 65535, 758}, {0, 65535, 32768, 2115}, {0, 65535, 0, 3473},
                        {0, 31, 31, 758},       {0, 31, 15, 2159},       {0, 255, 128, 2110},
                        {0, 87, 1, 3442},       {5, 5, 5, 3473},         {-100, 100, 50, 1437},
                        {10, 20, 20, 758},      {10, 20, 10, 3473},      {-10, 10, -10, 3473},
                        {-10, 10, 10, 758}};
  for (const Case& c : cases) {
    FakeMixer fresh;
    services().mixer = &fresh;
    fresh.AddLine(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, FakeControl{c.minimum, c.maximum, c.level});
    Open();
    EXPECT_EQ(TopOf(Thumb(0)), c.top) << c.minimum << ".." << c.maximum << " at " << c.level;
    EXPECT_EQ(TopOf(Thumb(1)), 3473);  // absent: bounds 0 and 0, ratio 0, level 0
    window.reset();
    toolkit.controls.clear();
  }
}

TEST_F(WindowLayoutTest, AThumbLeftWhereItWasPlacedWritesItsOwnLevelBack) {
  for (const auto& [minimum, maximum] :
       {std::pair{0, 31}, std::pair{0, 87}, std::pair{0, 100}, std::pair{0, 255}, std::pair{0, 65535},
        std::pair{0, 65536}, std::pair{10, 20}, std::pair{-10, 10}, std::pair{-6000, 0}}) {
    FakeMixer fresh;
    services().mixer = &fresh;
    const std::int32_t level = minimum + (maximum - minimum) / 3;
    fresh.AddLine(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, FakeControl{minimum, maximum, level});
    Open();
    toolkit.MouseDown(Thumb(0), vbLeftButton, 100);
    toolkit.MouseMove(Thumb(0), vbLeftButton, 100);
    // One twip of track is worth up to 24 level units: the level comes back within one twip's worth.
    EXPECT_NEAR(fresh.Line(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS).volume->value, level,
                (maximum - minimum) / 2715.0 / 2 + 1)
        << maximum;
    window.reset();
    toolkit.controls.clear();
  }
}

TEST_F(WindowLayoutTest, ARefreshTicksMutedBoxesAndWritesTheSameStateBack) {
  AddAllChannels();
  mixer.Line(MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT).mute->value = 1;
  Open();
  for (int i = 0; i < ChannelCount; ++i) {
    EXPECT_EQ(toolkit.Of(Box(i)).value, i == 2 ? 1 : 0) << i;
  }
  EXPECT_THAT(SetCalls(), ElementsAre(SetMute(2, 1)));
}

TEST_F(WindowLayoutTest, AMuteReadOtherThanZeroOrOneTicksTheBox) {
  AddAllChannels();
  mixer.Line(MIXERLINE_COMPONENTTYPE_SRC_LINE).mute->value = 2;
  mixer.Line(MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC).mute->value = -1;
  Open();
  EXPECT_EQ(toolkit.Of(Box(3)).value, 1);
  EXPECT_EQ(toolkit.Of(Box(4)).value, 1);
}

TEST_F(WindowLayoutTest, TheScaleColumnsReadOneHundredDownToZero) {
  AddAllChannels();
  Open();
  const std::vector<Control> labels = toolkit.ScaleLabels();
  ASSERT_EQ(labels.size(), 55u);
  for (int column = 0; column < 5; ++column) {
    const double left = toolkit.Of(labels[column]).design.place.left;
    std::vector<std::pair<double, std::string>> shown;
    for (Control label : labels) {
      const HeadlessToolkit::ControlState& state = toolkit.Of(label);
      if (state.design.place.left == left) {
        EXPECT_TRUE(state.visible);
        shown.emplace_back(state.design.place.top, state.design.caption);
      }
    }
    ASSERT_EQ(shown.size(), 11u);
    for (int n = 0; n <= 10; ++n) {
      EXPECT_EQ(shown[n].first, 810 + 271 * n);
      EXPECT_EQ(shown[n].second, std::to_string(100 - 10 * n));
    }
  }
}

TEST_F(WindowLayoutTest, EachRefreshOpensAFreshMixerBeforeClosingTheOldOne) {
  AddAllChannels();
  Open();
  EXPECT_EQ(mixer.openHandles, 1);
  SettingsText() = "[Volume]\nWaveVolume= 5\n";
  process.existingFiles.insert("/opt/sonaru/Sonaru.ini");
  toolkit.Press(toolkit.Button("&Restaurer"));
  EXPECT_EQ(toolkit.ScaleLabels().size(), 55u);  // a refresh creates no labels
  EXPECT_EQ(mixer.openHandles, 2);               // the window's and the shared one
  std::vector<std::string> opensAndCloses;
  for (const std::string& call : mixer.calls) {
    if (call.starts_with("open") || call.starts_with("close")) {
      opensAndCloses.push_back(call);
    }
  }
  EXPECT_THAT(opensAndCloses, ElementsAre("open 0", "open 0", "open 0", "close 1"));
}

TEST_F(BoxesKeysAndQuitTest, TheMuteBoxesActOnTheirOwnChannelOnly) {
  AddAllChannels();
  Open();
  toolkit.ClickBox(Box(4));  // CD
  toolkit.ClickBox(Box(0));  // Mute all
  toolkit.ClickBox(Box(0));
  EXPECT_THAT(SetCalls(), ElementsAre(SetMute(4, 1), SetMute(0, 1), SetMute(0, 0)));
  for (int i = 1; i < ChannelCount; ++i) {
    EXPECT_EQ(toolkit.Of(Box(i)).value, i == 4 ? 1 : 0);
  }
  EXPECT_EQ(mixer.Line(MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC).mute->value, 1);
  EXPECT_EQ(mixer.Line(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS).mute->value, 0);
}

TEST_F(BoxesKeysAndQuitTest, F1OpensTheHelpWhateverTheModifiers) {
  AddAllChannels();
  Open();
  for (int shift : {0, vbShiftMask, vbCtrlMask, vbAltMask | vbCtrlMask}) {
    toolkit.KeyDown(vbKeyF1, shift);
  }
  toolkit.KeyDown(113, 0);  // F2
  toolkit.KeyDown('S', vbAltMask);
  ASSERT_EQ(help.opened.size(), 4u);
  for (const auto& [file, command] : help.opened) {
    EXPECT_EQ(file, "/opt/sonaru/Sonaru.CHM");
    EXPECT_EQ(command, HH_DISPLAY_TOPIC);
  }
}

// An installed program keeps its sound and help in a shared folder, its settings where the user may write.
TEST_F(BoxesKeysAndQuitTest, SoundAndHelpComeFromTheResourceDirectoryAndSettingsDoNot) {
  process.resourceDirectory = "/usr/local/share/sonaru";
  AddAllChannels();
  Open();
  toolkit.KeyDown(vbKeyF1, 0);
  toolkit.MouseUp(Thumb(0), vbLeftButton, 0);
  toolkit.Press(toolkit.Button("&Sauvegarder"));
  ASSERT_EQ(help.opened.size(), 1u);
  EXPECT_EQ(help.opened[0].first, "/usr/local/share/sonaru/Sonaru.CHM");
  ASSERT_EQ(sound.played.size(), 1u);
  EXPECT_EQ(sound.played[0].first, "/usr/local/share/sonaru/ding.wav");
  EXPECT_TRUE(SettingsText().starts_with("[Volume]\n"));
}

TEST_F(BoxesKeysAndQuitTest, QuitUnloadsTheWindowClosesItsMixerAndSavesNothing) {
  AddAllChannels();
  Open();
  toolkit.Press(toolkit.Button("&Quitter"));
  EXPECT_TRUE(toolkit.unloaded);
  EXPECT_EQ(mixer.openHandles, 0);
  EXPECT_TRUE(SetCalls().empty());
  EXPECT_EQ(profile.writes, 0);
}

}  // namespace
}  // namespace sonaru::test

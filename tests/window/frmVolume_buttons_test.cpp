// The Save and Restore buttons: the shared mixer, the settings file and the messages.
#include <gmock/gmock.h>

#include "window_fixture.h"

namespace sonaru::test {
namespace {

using namespace platform;
using ::testing::ElementsAre;

class ButtonsTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    AddAllChannels();
  }
  void SaveFile(const std::string& text) {
    SettingsText() = text;
    process.existingFiles.insert("/opt/sonaru/Sonaru.ini");
  }
  std::int32_t& LevelOf(std::uint32_t type) { return mixer.Line(type).volume->value; }
  std::int32_t& MuteOf(std::uint32_t type) { return mixer.Line(type).mute->value; }
};

TEST_F(ButtonsTest, SaveWritesTheTwelveValuesAndShowsTheSixLevels) {
  const std::int32_t levels[] = {45000, 0, 65535, 30000, 12000, 50000};
  for (int i = 0; i < ChannelCount; ++i) {
    LevelOf(ChannelTypes[i]) = levels[i];
  }
  MuteOf(MIXERLINE_COMPONENTTYPE_SRC_LINE) = 1;
  Open();
  const double thumbTop = TopOf(Thumb(0));
  toolkit.Press(toolkit.Button("&Sauvegarder"));
  EXPECT_THAT(messages.shown,
              ElementsAre("Volume sauvegardé \r\n__________________\r\n"
                          "WaveVolume :  45000\r\nMicroVolume :  0\r\nWaveInVolume :  65535\r\n"
                          "LineInVolume :  30000\r\nCD_Volume :  12000\r\nMIDIVolume :  50000"));
  EXPECT_EQ(SettingsText(),
            "[Volume]\nWaveVolume= 45000\nWaveMute= 0\nMicroVolume= 0\nMicroMute= 0\nWaveInVolume= 65535\n"
            "WaveInMute= 0\nLineInVolume= 30000\nLineInMute= 1\nCD_Volume= 12000\nCD_Mute= 0\n"
            "MIDIVolume= 50000\nMIDIMute= 0\n");
  EXPECT_EQ(mixer.openHandles, 2);  // the shared object lives on beside the window's own
  EXPECT_EQ(TopOf(Thumb(0)), thumbTop);
}

TEST_F(ButtonsTest, ASaveThatCannotWriteKeepsTheFileAndSaysWhere) {
  SaveFile("[Volume]\nWaveVolume= 5\n");
  profile.writesBeforeFailure = 0;
  Open();
  toolkit.Press(toolkit.Button("&Sauvegarder"));
  EXPECT_THAT(messages.shown,
              ElementsAre("Impossible d'enregistrer les réglages dans /opt/sonaru/Sonaru.ini."));
  EXPECT_EQ(SettingsText(), "[Volume]\nWaveVolume= 5\n");
}

TEST_F(ButtonsTest, RestoreSetsAllLevelsBeforeTheMutesThenRefreshesAndSaysSo) {
  SaveFile(
      "[Volume]\nWaveVolume= 30000\nMicroVolume=12.5\nWaveInVolume=13.5\nLineInVolume=abc\n"
      "MIDIVolume= 99999\nWaveMute= 1\nMicroMute= 0\nLineInMute=x\nCD_Mute= 1\n");
  LevelOf(MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC) = 500;
  MuteOf(MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT) = 1;
  Open();
  mixer.calls.clear();
  toolkit.Press(toolkit.Button("&Restaurer"));
  const std::vector<std::string> sets = SetCalls();
  ASSERT_GE(sets.size(), 12u);
  EXPECT_THAT(std::vector<std::string>(sets.begin(), sets.begin() + 12),
              ElementsAre(SetVolume(0, 30000), SetVolume(1, 12), SetVolume(2, 14), SetVolume(3, 0),
                          SetVolume(4, 0), SetVolume(5, 65535), SetMute(0, 1), SetMute(1, 0), SetMute(2, 0),
                          SetMute(3, 0), SetMute(4, 1), SetMute(5, 0)));
  EXPECT_EQ(toolkit.Of(Box(0)).value, 1);
  EXPECT_EQ(toolkit.Of(Box(2)).value, 0);
  EXPECT_EQ(toolkit.Of(Box(4)).value, 1);
  EXPECT_EQ(TopOf(Thumb(5)), 758);
  EXPECT_EQ(TopOf(Thumb(4)), 3473);
  EXPECT_THAT(messages.shown, ElementsAre("Volume restauré."));
}

TEST_F(ButtonsTest, RestoreWithoutAReadableSavedStateChangesNothingAndSaysWhy) {
  struct Case {
    const char* text;  // nullptr: no file
    bool unreadable;
    const char* message;
  };
  LevelOf(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS) = 1234;
  Open();
  for (const Case& c :
       {Case{nullptr, false, "Aucun réglage sauvegardé."}, Case{"", false, "Aucun réglage sauvegardé."},
        Case{"[Volume]\nWaveVolume= 5\n", true,
             "Impossible de lire les réglages dans /opt/sonaru/Sonaru.ini."}}) {
    SCOPED_TRACE(c.message);
    profile.files.clear();
    if (c.text != nullptr) {
      SaveFile(c.text);
    }
    if (c.unreadable) {
      profile.unreadable.insert("/opt/sonaru/Sonaru.ini");
    }
    messages.shown.clear();
    mixer.calls.clear();
    toolkit.Press(toolkit.Button("&Restaurer"));
    EXPECT_TRUE(SetCalls().empty());
    EXPECT_EQ(LevelOf(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS), 1234);
    EXPECT_THAT(messages.shown, ElementsAre(c.message));
  }
}

TEST_F(ButtonsTest, EachPressWithoutMixerSaysSoAndChangesNothing) {
  SaveFile("[Volume]\nWaveVolume= 30000\n");
  mixer.openFails = true;
  Open();
  toolkit.Press(toolkit.Button("&Restaurer"));
  toolkit.Press(toolkit.Button("&Sauvegarder"));
  EXPECT_THAT(messages.shown, ElementsAre("No mixer found!", "No mixer found!", "No mixer found!"));
  EXPECT_EQ(SettingsText(), "[Volume]\nWaveVolume= 30000\n");
}

}  // namespace
}  // namespace sonaru::test

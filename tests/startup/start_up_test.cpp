// The start-up procedure against fakes: mode precedence, save, level options, restore, and the exit statuses.
#include "startup/start_up.h"

#include <gmock/gmock.h>

#include "fakes/services_fixture.h"
#include "startup/exit_status.h"

namespace sonaru::test {
namespace {

using namespace platform;

constexpr const char* SavedZeros =
    "[Volume]\nWaveVolume= 0\nWaveMute= 0\nMicroVolume= 0\nMicroMute= 0\nWaveInVolume= 0\nWaveInMute= 0\n"
    "LineInVolume= 0\nLineInMute= 0\nCD_Volume= 0\nCD_Mute= 0\nMIDIVolume= 0\nMIDIMute= 0\n";

class StartUpTest : public ServicesTest {
 protected:
  void SetUp() override {
    ServicesTest::SetUp();
    AddAllChannels();
  }
  int Run(const std::string& argumentText) {
    process.argumentText = argumentText;
    return Main();
  }
  std::int32_t& LevelOf(std::uint32_t type) { return mixer.Line(type).volume->value; }
  std::int32_t& MuteOf(std::uint32_t type) { return mixer.Line(type).mute->value; }
};

TEST_F(StartUpTest, AnyOtherCommandLineSavesAllTwelveValuesInWriteOrder) {
  LevelOf(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS) = 45000;
  MuteOf(MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC) = 1;
  LevelOf(MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER) = 50000;
  EXPECT_EQ(Run("x"), ExitDone);
  EXPECT_EQ(SettingsText(),
            "[Volume]\nWaveVolume= 45000\nWaveMute= 0\nMicroVolume= 0\nMicroMute= 0\nWaveInVolume= 0\n"
            "WaveInMute= 0\nLineInVolume= 0\nLineInMute= 0\nCD_Volume= 0\nCD_Mute= 1\nMIDIVolume= 50000\n"
            "MIDIMute= 0\n");
  EXPECT_EQ(mixer.openHandles, 0);
}

TEST_F(StartUpTest, LowerCaseAndBareOptionsOnlySave) {
  for (const char* line : {"/r:x", "/s:100", "/R", "/T", "/T:"}) {
    SettingsText().clear();
    LevelOf(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS) = 7;
    EXPECT_EQ(Run(line), ExitDone) << line;
    EXPECT_EQ(LevelOf(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS), 7) << line;
    EXPECT_TRUE(SettingsText().starts_with("[Volume]\nWaveVolume= 7\n")) << line;
  }
}

TEST_F(StartUpTest, LevelOptionsAreAppliedAfterTheSaveInFixedOrder) {
  LevelOf(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS) = 1000;
  EXPECT_EQ(Run("/D:100 /S:200"), ExitDone);
  EXPECT_TRUE(SettingsText().starts_with("[Volume]\nWaveVolume= 1000\n"));
  const std::vector<std::string> values = mixer.ValueCalls();
  ASSERT_GE(values.size(), 2u);
  EXPECT_EQ(values[values.size() - 2], "set 1 200");
  EXPECT_EQ(values.back(), "set 11 100");
}

TEST_F(StartUpTest, LevelOptionValuesAreRoundedAndClamped) {
  const std::pair<const char*, std::int32_t> cases[] = {{"/S:12.5", 12},
                                                        {"/S:13.5", 14},
                                                        {"/S20000", 0},
                                                        {"/Save", 0},
                                                        {"/S:20000", 20000},
                                                        {"/S:1 /S:30000", 30000},
                                                        {"/S:99999999999", 65535},
                                                        {"/S:-99999999999", 0},
                                                        {"/S:abc", 0}};
  for (const auto& [line, expected] : cases) {
    LevelOf(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS) = 4242;
    Run(line);
    EXPECT_EQ(LevelOf(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS), expected) << line;
  }
  LevelOf(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS) = 4242;
  Run("/S:20000 /S");
  EXPECT_EQ(LevelOf(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS), 4242);
}

TEST_F(StartUpTest, EachOptionSetsItsOwnChannel) {
  EXPECT_EQ(Run("/S:1 /M:2 /W:3 /L:4 /C:5 /D:6"), ExitDone);
  EXPECT_EQ(LevelOf(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS), 1);
  EXPECT_EQ(LevelOf(MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE), 2);
  EXPECT_EQ(LevelOf(MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT), 3);
  EXPECT_EQ(LevelOf(MIXERLINE_COMPONENTTYPE_SRC_LINE), 4);
  EXPECT_EQ(LevelOf(MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC), 5);
  EXPECT_EQ(LevelOf(MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER), 6);
}

TEST_F(StartUpTest, RestoreSetsStoredLevelsAndMutes) {
  SettingsText() =
      "[Volume]\nWaveVolume= 30000\nMicroVolume= 0\nWaveInVolume=12.5\nLineInVolume=abc\nCD_Volume=13.5\n"
      "WaveMute= 1\nMicroMute= 0\nLineInMute=2\nCD_Mute=1.5\nMIDIMute=\n";
  for (FakeLine* line :
       {&mixer.Line(MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE), &mixer.Line(MIXERLINE_COMPONENTTYPE_SRC_LINE),
        &mixer.Line(MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER)}) {
    line->volume->value = 777;
    line->mute->value = 1;
  }
  MuteOf(MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT) = 1;
  MuteOf(MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC) = 1;
  const std::string before = SettingsText();

  EXPECT_EQ(Run("/Rest"), ExitDone);
  EXPECT_EQ(LevelOf(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS), 30000);
  EXPECT_EQ(LevelOf(MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE), 777);  // stored 0: left alone
  EXPECT_EQ(LevelOf(MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT), 12);
  EXPECT_EQ(LevelOf(MIXERLINE_COMPONENTTYPE_SRC_LINE), 777);  // not a number: left alone
  EXPECT_EQ(LevelOf(MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC), 14);
  EXPECT_EQ(LevelOf(MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER), 777);  // missing: left alone
  EXPECT_EQ(MuteOf(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS), 1);
  EXPECT_EQ(MuteOf(MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE), 0);
  EXPECT_EQ(MuteOf(MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT), 0);  // missing key unmutes
  EXPECT_EQ(MuteOf(MIXERLINE_COMPONENTTYPE_SRC_LINE), 2);
  EXPECT_EQ(MuteOf(MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC), 2);  // rounded, halves to even
  EXPECT_EQ(MuteOf(MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER), 0);  // empty
  EXPECT_EQ(SettingsText(), before);
}

TEST_F(StartUpTest, RestoreAppliesLevelsBeforeMutes) {
  SettingsText() = "[Volume]\nWaveVolume= 5\nWaveMute= 1\n";
  profile.writes = 0;
  EXPECT_EQ(Run("/Rest"), ExitDone);
  const std::vector<std::string> values = mixer.ValueCalls();
  ASSERT_EQ(values.size(), 7u);
  EXPECT_EQ(values.front(), "set 1 5");
  EXPECT_EQ(values[1], "set 2 1");
  EXPECT_EQ(profile.writes, 0);
}

TEST_F(StartUpTest, ModePrecedenceRestoreOverSaveAndLevelOptions) {
  SettingsText() = "[Volume]\nWaveVolume= 5\n";
  EXPECT_EQ(Run("/S:100 /Rest"), ExitDone);
  EXPECT_EQ(LevelOf(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS), 5);
  EXPECT_EQ(SettingsText(), "[Volume]\nWaveVolume= 5\n");
}

TEST_F(StartUpTest, SaveWithoutMixerKeepsTheSavedState) {
  mixer.openFails = true;
  SettingsText() = "[Volume]\nWaveVolume= 5\n";
  EXPECT_EQ(Run("/S:100"), ExitNoMixer);
  EXPECT_EQ(Run("/Rest"), ExitNoMixer);
  EXPECT_EQ(SettingsText(), "[Volume]\nWaveVolume= 5\n");
  EXPECT_EQ(messages.shown, (std::vector<std::string>{"No mixer found!", "No mixer found!"}));
}

TEST_F(StartUpTest, FailedWriteKeepsTheFileAndSkipsTheLevelOptions) {
  SettingsText() = "[Volume]\nWaveVolume= 5\n";
  profile.writesBeforeFailure = 0;
  EXPECT_EQ(Run("/S:100"), ExitSettingsNotWritten);
  EXPECT_EQ(messages.shown,
            (std::vector<std::string>{"Impossible d'enregistrer les réglages dans /opt/sonaru/Sonaru.ini."}));
  EXPECT_EQ(SettingsText(), "[Volume]\nWaveVolume= 5\n");
  EXPECT_EQ(LevelOf(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS), 0);
  EXPECT_EQ(mixer.openHandles, 0);
}

TEST_F(StartUpTest, ARestoreWithoutAReadableSavedStateChangesNothing) {
  struct Case {
    const char* text;  // nullptr: no file
    bool unreadable;
    const char* message;
  };
  for (const Case& c :
       {Case{"[Volume]\nWaveVolume= 5\n", true,
             "Impossible de lire les réglages dans /opt/sonaru/Sonaru.ini."},
        Case{nullptr, false, "Aucun réglage sauvegardé."},
        Case{"[Volume]\nOther= 1\n[Autre]\nWaveMute= 1\n", false, "Aucun réglage sauvegardé."}}) {
    SCOPED_TRACE(c.message);
    profile.files.clear();
    profile.unreadable.clear();
    if (c.text != nullptr) {
      SettingsText() = c.text;
    }
    if (c.unreadable) {
      profile.unreadable.insert("/opt/sonaru/Sonaru.ini");
    }
    messages.shown.clear();
    mixer.calls.clear();
    EXPECT_EQ(Run("/Rest"), ExitSettingsNotRestored);
    EXPECT_EQ(messages.shown, (std::vector<std::string>{c.message}));
    EXPECT_THAT(mixer.ValueCalls(), ::testing::Each(::testing::StartsWith("get ")));
  }
}

TEST_F(StartUpTest, AMixerWithoutAnyOfTheSixChannelsIsNoMixer) {
  mixer = FakeMixer();
  mixer.AddLine(0x3001, FakeControl{});  // a line of a type the program does not use
  SettingsText() = "[Volume]\nWaveVolume= 5\n";
  EXPECT_EQ(Run("x"), ExitNoMixer);
  EXPECT_EQ(Run("/Rest"), ExitNoMixer);
  EXPECT_EQ(SettingsText(), "[Volume]\nWaveVolume= 5\n");
  EXPECT_EQ(messages.shown, (std::vector<std::string>{"No mixer found!", "No mixer found!"}));
  EXPECT_EQ(mixer.openHandles, 0);
}

TEST_F(StartUpTest, HelpAndVersionTouchNeitherMixerNorFile) {
  for (const char* line : {"--help", "-h", "/?", "--version"}) {
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(Run(line), ExitDone);
    const std::string printed = ::testing::internal::GetCapturedStdout();
    EXPECT_FALSE(printed.empty()) << line;
  }
  EXPECT_TRUE(mixer.calls.empty());
  EXPECT_TRUE(profile.files.empty());
  ::testing::internal::CaptureStdout();
  Run("--help x");
  ::testing::internal::GetCapturedStdout();
  EXPECT_FALSE(SettingsText().empty());
}

}  // namespace
}  // namespace sonaru::test

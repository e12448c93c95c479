// The settings file's location, its readers and its writer over an in-memory profile file.
#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include "fakes/services_fixture.h"

namespace sonaru::test {
namespace {

class SettingsFileTest : public ServicesTest {};

TEST_F(SettingsFileTest, LivesBesideTheProgramWhenItMayOrAlreadyDoes) {
  EXPECT_EQ(SettingsFilePath(), "/opt/sonaru/Sonaru.ini");
  process.writableDirectories.clear();
  EXPECT_EQ(SettingsFilePath(), "/home/user/.config/sonaru/Sonaru.ini");
  process.existingFiles.insert("/opt/sonaru/Sonaru.ini");
  EXPECT_EQ(SettingsFilePath(), "/opt/sonaru/Sonaru.ini");
}

TEST_F(SettingsFileTest, MissingFileSectionOrKeyReadsAsMissing) {
  EXPECT_EQ(ReadLevel("WaveVolume"), std::nullopt);
  EXPECT_EQ(ReadMute("WaveMute"), std::nullopt);
  SettingsText() = "[Other]\nWaveVolume= 5\n[Volume]\nCD_Volume=#\n";
  EXPECT_EQ(ReadLevel("WaveVolume"), std::nullopt);
  EXPECT_EQ(ReadLevel("CD_Volume"), std::nullopt);
}

TEST_F(SettingsFileTest, StoredTextsReadAsTheirLeadingNumber) {
  SettingsText() = "[Volume]\nA= 45000\nB=-5\nC=12abc\nD=abc\nE=\nF=12.5\n";
  EXPECT_EQ(ReadLevel("A"), 45000);
  EXPECT_EQ(ReadLevel("B"), -5);
  EXPECT_EQ(ReadLevel("C"), 12);
  EXPECT_EQ(ReadLevel("D"), 0);
  EXPECT_EQ(ReadLevel("E"), 0);
  EXPECT_EQ(ReadLevel("F"), 12.5);
  EXPECT_EQ(ReadMute("E"), "");
  EXPECT_EQ(ReadMute("C"), "12abc");
}

TEST_F(SettingsFileTest, LongValuesAreCutToNineteenCharacters) {
  SettingsText() = "[Volume]\nWaveMute=1234567890123456789012\n";
  EXPECT_EQ(ReadMute("WaveMute"), "1234567890123456789");
}

TEST_F(SettingsFileTest, ASaveStoresValueTextInOneWriteOrNothing) {
  SettingsSave save;
  save.WriteSetting("WaveVolume", 45000);
  save.WriteSetting("WaveMute", -5);
  EXPECT_TRUE(save.Commit());
  EXPECT_EQ(profile.writes, 1);
  EXPECT_EQ(SettingsText(), "[Volume]\nWaveVolume= 45000\nWaveMute=-5\n");
  profile.writesBeforeFailure = 1;
  SettingsSave failing;
  failing.WriteSetting("WaveVolume", 1);
  failing.WriteSetting("WaveMute", 1);
  EXPECT_FALSE(failing.Commit());
  EXPECT_EQ(SettingsText(), "[Volume]\nWaveVolume= 45000\nWaveMute=-5\n");
}

TEST_F(SettingsFileTest, AFileThatCannotBeReadIsNotMistakenForNoFile) {
  EXPECT_TRUE(SettingsReadable());
  profile.unreadable.insert("/opt/sonaru/Sonaru.ini");
  EXPECT_FALSE(SettingsReadable());
}

TEST(CutAtNul, KeepsTheTextBeforeTheFirstNul) {
  EXPECT_EQ(CutAtNul(std::string("ab\0cd\0", 6)), "ab");
  EXPECT_EQ(CutAtNul("abc"), "abc");
  EXPECT_EQ(CutAtNul(std::string("\0x", 2)), "");
}

}  // namespace
}  // namespace sonaru::test

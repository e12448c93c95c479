// Finding and replacing keys in profile file text.
#include "common/profile_text.h"

#include <gtest/gtest.h>

namespace sonaru {
namespace {

TEST(FindProfileValue, MissingPartsGiveNothing) {
  EXPECT_EQ(FindProfileValue("", "Volume", "WaveVolume"), std::nullopt);
  EXPECT_EQ(FindProfileValue("[Other]\nWaveVolume=1\n", "Volume", "WaveVolume"), std::nullopt);
  EXPECT_EQ(FindProfileValue("[Volume]\nWaveMute=1\n", "Volume", "WaveVolume"), std::nullopt);
  EXPECT_EQ(FindProfileValue("WaveVolume=1\n[Volume]\n", "Volume", "WaveVolume"), std::nullopt);
}

TEST(FindProfileValue, NamesMatchWhateverTheirCaseAndBlanksAreTrimmed) {
  const char* text = "[ volume ]\r\n  wavevolume =  45000  \r\nCD_Volume=\r\n";
  EXPECT_EQ(FindProfileValue(text, "Volume", "WaveVolume"), "45000");
  EXPECT_EQ(FindProfileValue(text, "VOLUME", "cd_volume"), "");
}

TEST(FindProfileValue, TakesTheKeyFromItsOwnSectionOnly) {
  const char* text = "[A]\nKey=a\n[Volume]\n; Key=comment\nKey=v\nKey=second\n[B]\nKey=b";
  EXPECT_EQ(FindProfileValue(text, "Volume", "Key"), "v");
  EXPECT_EQ(FindProfileValue(text, "B", "Key"), "b");
}

TEST(SetProfileValue, CreatesSectionAndKeyInAnEmptyText) {
  EXPECT_EQ(SetProfileValue("", "Volume", "WaveVolume", " 1"), "[Volume]\nWaveVolume= 1\n");
}

TEST(SetProfileValue, AddsKeysAtTheEndOfTheirSectionInWriteOrder) {
  std::string text = SetProfileValue("", "Volume", "WaveVolume", " 1");
  text = SetProfileValue(text, "Volume", "WaveMute", " 0");
  EXPECT_EQ(text, "[Volume]\nWaveVolume= 1\nWaveMute= 0\n");
}

TEST(SetProfileValue, ReplacesTheValueAndLeavesEveryOtherLineAlone) {
  const std::string text = "; mine\n[Volume]\nWaveVolume= 1\n\n[Other]\nx = y\n";
  EXPECT_EQ(SetProfileValue(text, "volume", "wavevolume", " 2"),
            "; mine\n[Volume]\nwavevolume= 2\n\n[Other]\nx = y\n");
  EXPECT_EQ(SetProfileValue(text, "Volume", "WaveMute", " 0"),
            "; mine\n[Volume]\nWaveVolume= 1\nWaveMute= 0\n\n[Other]\nx = y\n");
}

TEST(SetProfileValue, KeepsTheFilesOwnLineEnds) {
  const std::string text = "[Other]\r\nx=1\r\n";
  EXPECT_EQ(SetProfileValue(text, "Volume", "WaveVolume", " 1"),
            "[Other]\r\nx=1\r\n[Volume]\r\nWaveVolume= 1\r\n");
  EXPECT_EQ(SetProfileValue("[Volume]\r\nWaveVolume= 1", "Volume", "WaveMute", " 1"),
            "[Volume]\r\nWaveVolume= 1\r\nWaveMute= 1\r\n");
}

TEST(SetProfileValue, SavingTwiceLeavesOneLinePerKey) {
  std::string text;
  for (const char* value : {" 1", " 2"}) {
    text = SetProfileValue(text, "Volume", "WaveVolume", value);
    text = SetProfileValue(text, "Volume", "WaveMute", value);
  }
  EXPECT_EQ(text, "[Volume]\nWaveVolume= 2\nWaveMute= 2\n");
}

}  // namespace
}  // namespace sonaru

// The real executable, copied into a private folder, run as a process against the virtual card.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "child_process.h"
#include "virtual_card.h"

namespace sonaru::test {
namespace {

namespace fs = std::filesystem;

std::vector<CardElement> FullCard() {
  return {
      {"Master Playback Volume", false, 0, 65535, {45000, 45000}},
      {"Master Playback Switch", true, 0, 1, {1, 1}},
      {"Mic Playback Volume", false, 0, 31, {7}},
      {"Mic Playback Switch", true, 0, 1, {0}},
      {"PCM Playback Volume", false, 0, 255, {200, 200}},
      {"PCM Playback Switch", true, 0, 1, {1, 1}},
      {"Line Playback Volume", false, 0, 31, {30, 30}},
      {"Line Playback Switch", true, 0, 1, {1, 1}},
      {"CD Playback Volume", false, 0, 65535, {12000, 12000}},
      {"CD Playback Switch", true, 0, 1, {0, 0}},
      {"Synth Playback Volume", false, 0, 65535, {50000, 50000}},
      {"Synth Playback Switch", true, 0, 1, {1, 1}},
  };
}

constexpr const char* SavedFullCard =
    "[Volume]\nWaveVolume= 45000\nWaveMute= 0\nMicroVolume= 7\nMicroMute= 1\nWaveInVolume= 200\n"
    "WaveInMute= 0\nLineInVolume= 30\nLineInMute= 0\nCD_Volume= 12000\nCD_Mute= 1\nMIDIVolume= 50000\n"
    "MIDIMute= 0\n";

class CommandLineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "sonaru-e2e-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder = pattern;
    program = folder / "sonaru";
    fs::copy_file(SONARU_EXECUTABLE, program);
  }
  void TearDown() override { fs::remove_all(folder); }

  ProcessResult Run(std::vector<std::string> arguments, std::vector<std::string> environment = {}) {
    arguments.insert(arguments.begin(), program.string());
    for (const std::string& entry : card.environment()) {
      environment.push_back(entry);
    }
    ProcessResult result =
        RunProcess(arguments, {environment, {"SONARU_MIXER_DEVICE", "DISPLAY", "WAYLAND_DISPLAY"}});
    EXPECT_FALSE(result.timedOut);
    return result;
  }

  std::string Settings() const {
    std::ifstream in(folder / "Sonaru.ini", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  void StoreSettings(const std::string& text) const {
    std::ofstream(folder / "Sonaru.ini", std::ios::binary) << text;
  }

  VirtualCard card{FullCard()};
  fs::path folder;
  fs::path program;
};

TEST_F(CommandLineTest, SaveWritesTheTwelveValuesByteForByte) {
  const ProcessResult result = Run({"x"});
  EXPECT_EQ(result.exitStatus, 0) << result.err;
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(Settings(), SavedFullCard);
}

TEST_F(CommandLineTest, LevelOptionsSetEveryChannelOfTheElementAfterSaving) {
  const ProcessResult result = Run({"/S:30000", "/D:12000", "/W:999", "/M:12.5"});
  EXPECT_EQ(result.exitStatus, 0) << result.err;
  EXPECT_EQ(Settings(), SavedFullCard);
  EXPECT_EQ(card.values("Master Playback Volume"), (std::vector<long>{30000, 30000}));
  EXPECT_EQ(card.values("Synth Playback Volume"), (std::vector<long>{12000, 12000}));
  EXPECT_EQ(card.values("PCM Playback Volume"), (std::vector<long>{255, 255}));  // clamped
  EXPECT_EQ(card.values("Mic Playback Volume"), (std::vector<long>{12}));
}

TEST_F(CommandLineTest, RestorePutsTheSavedStateBack) {
  ASSERT_EQ(Run({"save"}).exitStatus, 0);
  card.set("Master Playback Volume", {100, 100});
  card.set("Master Playback Switch", {0, 0});
  card.set("CD Playback Switch", {1, 1});
  card.set("Line Playback Volume", {3, 3});
  const ProcessResult result = Run({"/Rest"});
  EXPECT_EQ(result.exitStatus, 0) << result.err;
  EXPECT_EQ(card.values("Master Playback Volume"), (std::vector<long>{45000, 45000}));
  EXPECT_EQ(card.values("Master Playback Switch"), (std::vector<long>{1, 1}));
  EXPECT_EQ(card.values("CD Playback Switch"), (std::vector<long>{0, 0}));
  EXPECT_EQ(card.values("Line Playback Volume"), (std::vector<long>{30, 30}));
  EXPECT_EQ(Settings(), SavedFullCard);
}

TEST_F(CommandLineTest, NamedDeviceIsUsedAndAMissingOneKeepsTheSavedState) {
  StoreSettings("[Volume]\nWaveVolume= 5\n");
  const ProcessResult missing = Run({"/S:100"}, {"SONARU_MIXER_DEVICE=nosuchcard"});
  EXPECT_EQ(missing.exitStatus, 1);
  EXPECT_EQ(missing.err, "No mixer found!\n");
  EXPECT_EQ(Settings(), "[Volume]\nWaveVolume= 5\n");

  const ProcessResult named = Run({"/S:100"}, {"SONARU_MIXER_DEVICE=" + card.device()});
  EXPECT_EQ(named.exitStatus, 0) << named.err;
  EXPECT_EQ(card.values("Master Playback Volume"), (std::vector<long>{100, 100}));
}

TEST_F(CommandLineTest, UnwritableSettingsFileIsReportedAndLeftAlone) {
  fs::create_directory(folder / "Sonaru.ini");
  const ProcessResult result = Run({"/S:100"});
  EXPECT_EQ(result.exitStatus, 3);
  EXPECT_EQ(result.err,
            "Impossible d'enregistrer les réglages dans " + (folder / "Sonaru.ini").string() + ".\n");
  EXPECT_EQ(card.values("Master Playback Volume"), (std::vector<long>{45000, 45000}));
  EXPECT_TRUE(fs::is_directory(folder / "Sonaru.ini"));
}

TEST_F(CommandLineTest, HelpAndVersionPrintAndTouchNothing) {
  const ProcessResult help = Run({"--help"});
  EXPECT_EQ(help.exitStatus, 0);
  EXPECT_NE(help.out.find("/Rest"), std::string::npos);
  const ProcessResult version = Run({"--version"});
  EXPECT_EQ(version.exitStatus, 0);
  EXPECT_TRUE(version.out.starts_with("sonaru ")) << version.out;
  EXPECT_FALSE(fs::exists(folder / "Sonaru.ini"));
}

}  // namespace
}  // namespace sonaru::test

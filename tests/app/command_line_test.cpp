// The real executable, copied into a private folder, run as a process against the virtual card.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <thread>

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

  std::size_t FilesInFolder() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
  }
  std::string NotWritten() const {
    return "Impossible d'enregistrer les réglages dans " + (folder / "Sonaru.ini").string() + ".\n";
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

// Whatever stands in the way of a save, the state is kept whole and the mixer is not changed.
TEST_F(CommandLineTest, ASaveThatCannotBeStoredKeepsTheFileAndLeavesTheMixerAlone) {
  const std::string before = "[Volume]\nWaveVolume= 5\n";
  struct Case {
    const char* name;
    std::function<void()> prepare;
    std::vector<std::string> wrapper;
  };
  const Case cases[] = {
      {"write-protected",
       [&] {
         StoreSettings(before);
         fs::permissions(folder / "Sonaru.ini", fs::perms(0444));
       },
       {}},
      {"a FIFO", [&] { ASSERT_EQ(::mkfifo((folder / "Sonaru.ini").c_str(), 0666), 0); }, {}},
      // A disk that fills up during the save: the file size limit makes the write fail the same way.
      {"a full disk",
       [&] { StoreSettings(before + "; " + std::string(900, 'x') + "\n"); },
       {"/bin/bash", "-c", "trap '' XFSZ; ulimit -f 1; exec \"$0\" \"$@\""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove(folder / "Sonaru.ini");
    c.prepare();
    const std::string stored = fs::is_regular_file(folder / "Sonaru.ini") ? Settings() : "";
    std::vector<std::string> arguments = c.wrapper;
    arguments.push_back(program.string());
    arguments.push_back("/S:100");
    ProcessResult result =
        RunProcess(arguments, {card.environment(), {"SONARU_MIXER_DEVICE", "DISPLAY", "WAYLAND_DISPLAY"}});
    EXPECT_FALSE(result.timedOut);
    EXPECT_EQ(result.exitStatus, 3);
    EXPECT_EQ(result.err, NotWritten());
    EXPECT_EQ(card.values("Master Playback Volume"), (std::vector<long>{45000, 45000}));
    if (!stored.empty()) {
      EXPECT_EQ(Settings(), stored);
    }
    EXPECT_EQ(FilesInFolder(), 2u);
  }
}

TEST_F(CommandLineTest, ASaveThroughASymbolicLinkReachesItsTarget) {
  fs::create_directory(folder / "kept");
  std::ofstream(folder / "kept" / "state.ini") << "; mine\n";
  fs::create_symlink("kept/state.ini", folder / "Sonaru.ini");
  EXPECT_EQ(Run({"x"}).exitStatus, 0);
  EXPECT_TRUE(fs::is_symlink(folder / "Sonaru.ini"));
  EXPECT_EQ(Settings(), std::string("; mine\n") + SavedFullCard);
}

// A run killed at any moment leaves the previous file or the new one, never a mix, and no stray file
// once the next run has been through.
TEST_F(CommandLineTest, ARunKilledWhileSavingLeavesAWholeFile) {
  const std::string previous = "[Volume]\nWaveVolume= 1\nWaveMute= 1\n";
  std::mt19937 random(7);
  std::vector<std::string> environment = card.environment();
  for (int attempt = 0; attempt < 40; ++attempt) {
    StoreSettings(previous);
    std::vector<char*> argv = {program.string().data(), const_cast<char*>("x"), nullptr};
    const std::string path = program.string();
    const pid_t child = ::fork();
    if (child == 0) {
      for (const std::string& entry : environment) {
        ::putenv(const_cast<char*>(entry.c_str()));
      }
      ::execl(path.c_str(), path.c_str(), "x", static_cast<char*>(nullptr));
      ::_exit(127);
    }
    std::this_thread::sleep_for(std::chrono::microseconds(random() % 15000));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    const std::string text = Settings();
    EXPECT_TRUE(text == previous || text == SavedFullCard) << text;
  }
  // The killed runs' temporary files go with the next save; a name of their shape whose number no process
  // can have is someone else's, and stops no save.
  std::ofstream(folder / "Sonaru.ini.tmp99999999999999999999-0") << "x";
  EXPECT_EQ(Run({"x"}).exitStatus, 0);
  EXPECT_EQ(FilesInFolder(), 3u);
}

TEST_F(CommandLineTest, ARestoreWithoutAReadableSavedStateSaysSoAndChangesNothing) {
  struct Case {
    const char* name;
    std::function<void()> prepare;
    std::string message;
  };
  const std::string unreadable =
      "Impossible de lire les réglages dans " + (folder / "Sonaru.ini").string() + ".\n";
  const Case cases[] = {
      {"no file", [] {}, "Aucun réglage sauvegardé.\n"},
      {"none of the keys", [&] { StoreSettings("[Volume]\nOther= 1\n"); }, "Aucun réglage sauvegardé.\n"},
      {"a folder", [&] { fs::create_directory(folder / "Sonaru.ini"); }, unreadable},
      {"a FIFO", [&] { ASSERT_EQ(::mkfifo((folder / "Sonaru.ini").c_str(), 0666), 0); }, unreadable},
  };
  card.set("Master Playback Switch", {0, 0});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all(folder / "Sonaru.ini");
    c.prepare();
    const ProcessResult result = Run({"/Rest"});
    EXPECT_EQ(result.exitStatus, 5);
    EXPECT_EQ(result.err, c.message);
    EXPECT_EQ(card.values("Master Playback Switch"), (std::vector<long>{0, 0}));
    EXPECT_EQ(card.values("Mic Playback Switch"), (std::vector<long>{0}));
  }
}

TEST_F(CommandLineTest, ADeviceWithoutAnyOfTheSixChannelsIsNoMixer) {
  VirtualCard bare({{"Headphone Playback Volume", false, 0, 31, {3, 3}}});
  StoreSettings("[Volume]\nWaveVolume= 5\n");
  for (const char* argument : {"x", "/Rest"}) {
    const ProcessResult result =
        RunProcess({program.string(), argument},
                   {bare.environment(), {"SONARU_MIXER_DEVICE", "DISPLAY", "WAYLAND_DISPLAY"}});
    EXPECT_EQ(result.exitStatus, 1) << argument;
    EXPECT_EQ(result.err, "No mixer found!\n");
  }
  EXPECT_EQ(Settings(), "[Volume]\nWaveVolume= 5\n");
}

TEST_F(CommandLineTest, OddWordsReadTheWayTheyAreMeant) {
  // A byte-order mark written by an editor does not hide the section.
  std::string saved = std::string("\xEF\xBB\xBF") + SavedFullCard;
  saved.replace(saved.find("45000"), 5, "30000");
  StoreSettings(saved);
  EXPECT_EQ(Run({"/Rest"}).exitStatus, 0);
  EXPECT_EQ(card.values("Master Playback Volume"), (std::vector<long>{30000, 30000}));
  // Any argument, even an empty one, is a windowless run; the separator is one character, however written.
  EXPECT_EQ(Run({""}).exitStatus, 0);
  EXPECT_EQ(Settings(), saved);
  EXPECT_EQ(Run({"/S§20000", "/Ré"}).exitStatus, 0);
  EXPECT_EQ(card.values("Master Playback Volume"), (std::vector<long>{20000, 20000}));
}

// The dynamic loader's own account of the files it opens: a run without a window maps no library of the
// window's module, nor the shared C++ runtime; one that must show a box on a display loads them then, all
// but libsndfile, which waits for a sound. A window's run without a display opens no mixer device either
// (the card's plugin), which a sound server could keep waiting.
TEST_F(CommandLineTest, OnlyARunThatShowsSomethingLoadsTheWindowsLibraries) {
  const auto loaded = [this](const std::vector<std::string>& arguments,
                             std::vector<std::string> environment) {
    environment.push_back("LD_DEBUG=files");
    std::vector<std::string> argv = {program.string()};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    for (const std::string& entry : card.environment()) {
      environment.push_back(entry);
    }
    const ProcessResult result = RunProcess(
        argv, {environment, {"SONARU_MIXER_DEVICE", "DISPLAY", "WAYLAND_DISPLAY"}, std::chrono::seconds(3)});
    std::vector<std::string> found;
    for (const char* library :
         {"libQt6", "libsndfile", "libchm", "sonaru-window.so", "libstdc++", "ctl_sonaruvcard"}) {
      if (result.err.find(library) != std::string::npos) {
        found.push_back(library);
      }
    }
    return found;
  };
  fs::copy_file(SONARU_WINDOW_MODULE, folder / "sonaru-window.so");
  for (const std::vector<std::string>& arguments : {std::vector<std::string>{"/S:100"}, {"/Rest"}, {"x"}}) {
    EXPECT_EQ(loaded(arguments, {}), std::vector<std::string>{"ctl_sonaruvcard"}) << arguments[0];
  }
  for (const std::vector<std::string>& arguments : {std::vector<std::string>{}, {"--version"}, {"/T:x"}}) {
    EXPECT_EQ(loaded(arguments, {}), std::vector<std::string>{}) << (arguments.empty() ? "" : arguments[0]);
  }
  // No mixer, with a display: "No mixer found!" needs a box, which waits for the user.
  EXPECT_EQ(loaded({"x"}, {"QT_QPA_PLATFORM=offscreen", "SONARU_MIXER_DEVICE=nosuchcard"}),
            (std::vector<std::string>{"libQt6", "libchm", "sonaru-window.so", "libstdc++"}));
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

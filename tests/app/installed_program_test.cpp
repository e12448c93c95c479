// The program as `cmake --install` lays it out in a prefix: it finds its sound and help in the prefix's
// share folder, saves to the user's configuration folder when its own folder is not writable, and the login
// restore unit runs it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "child_process.h"
#include "common/text.h"
#include "platform/chm/chm_file.h"
#include "platform/posix/posix_process.h"
#include "virtual_card.h"

namespace sonaru::test {
namespace {

namespace fs = std::filesystem;

const fs::path Prefix = SONARU_INSTALL_PREFIX;
const fs::path Program = Prefix / "bin" / "sonaru";

// The user that runs the installed program when the tests run as root, for whom every folder is writable.
constexpr const char* Nobody = "65534";

std::string Contents(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

/// A setting of the installed login restore unit, split at blanks; empty when the unit does not set it.
std::vector<std::string> RestoreUnitSetting(const std::string& key) {
  std::istringstream unit(Contents(Prefix / "lib" / "systemd" / "user" / "sonaru-restore.service"));
  for (std::string line; std::getline(unit, line);) {
    if (line.starts_with(key + "=")) {
      const std::vector<std::string_view> words = Split(std::string_view(line).substr(key.size() + 1), ' ');
      return {words.begin(), words.end()};
    }
  }
  return {};
}

class InstalledProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fs::exists(Program)) << "installed by the test install_layout, run through ctest";
  }
};

// The window's module is found in the prefix's lib/sonaru: the window opens (and stays open until the
// test's time is up) instead of saying that a file is missing.
TEST_F(InstalledProgramTest, TheWindowOpensFromThePrefix) {
  const ProcessResult result =
      RunProcess({Program.string()},
                 {{"QT_QPA_PLATFORM=offscreen"}, {"DISPLAY", "WAYLAND_DISPLAY"}, std::chrono::seconds(2)});
  EXPECT_TRUE(result.timedOut) << result.exitStatus << ": " << result.err;
  EXPECT_EQ(result.err.find("Impossible de charger"), std::string::npos) << result.err;
}

TEST_F(InstalledProgramTest, TheProgramFindsItsSoundAndHelpInThePrefixShareFolder) {
  const std::string resources = platform::ResourceDirectoryOf((Prefix / "bin").string());
  EXPECT_EQ(fs::path(resources), Prefix / "share" / "sonaru");
  EXPECT_EQ(Contents(fs::path(resources) / "ding.wav").substr(0, 4), "RIFF");
  if (SONARU_HELP_BUILT) {
    const std::optional<platform::chm::ChmFile> help =
        platform::chm::ChmFile::Open(resources + "/Sonaru.CHM");
    ASSERT_TRUE(help.has_value());
    EXPECT_EQ(help->DefaultTopic(), "/index.html");
  }
}

class InstalledSaveTest : public InstalledProgramTest {
 protected:
  void SetUp() override {
    InstalledProgramTest::SetUp();
    if (::geteuid() == 0 && !fs::exists(SONARU_SETPRIV)) {
      GTEST_SKIP() << "running as root without setpriv: every folder is writable";
    }
    std::string pattern = (fs::temp_directory_path() / "sonaru-home-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    home = pattern;
    // The unprivileged user writes its configuration here and reads and writes the card.
    for (const fs::path& folder : {home, fs::path(card.file()).parent_path()}) {
      fs::permissions(folder, fs::perms::all);
    }
    fs::permissions(card.file(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                     fs::perms::group_write | fs::perms::others_read |
                                     fs::perms::others_write);
    if (::geteuid() != 0) {
      fs::permissions(Prefix / "bin",
                      fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                      fs::perm_options::remove);
    }
  }
  void TearDown() override {
    fs::permissions(Prefix / "bin", fs::perms::owner_write, fs::perm_options::add);
    fs::remove_all(home);
  }

  /// Runs a command line of the installed program, as an unprivileged user when the tests run as root.
  ProcessResult Run(std::vector<std::string> argv, const std::vector<std::string>& settings = {}) {
    if (::geteuid() == 0) {
      argv.insert(argv.begin(), {SONARU_SETPRIV, "--reuid=" + std::string(Nobody),
                                 "--regid=" + std::string(Nobody), "--clear-groups"});
    }
    std::vector<std::string> environment = card.environment();
    environment.push_back("HOME=" + home.string());
    environment.push_back("XDG_CONFIG_HOME=" + (home / "config").string());
    environment.insert(environment.end(), settings.begin(), settings.end());
    ProcessResult result =
        RunProcess(argv, {environment, {"SONARU_MIXER_DEVICE", "DISPLAY", "WAYLAND_DISPLAY", "USER"}});
    EXPECT_FALSE(result.timedOut);
    return result;
  }

  VirtualCard card{{
      {"Master Playback Volume", false, 0, 65535, {45000, 45000}},
      {"Master Playback Switch", true, 0, 1, {0, 0}},
      {"PCM Playback Volume", false, 0, 255, {200, 200}},
      {"PCM Playback Switch", true, 0, 1, {1, 1}},
  }};
  fs::path home;
};

TEST_F(InstalledSaveTest, ASaveFromTheReadOnlyBinFolderGoesToTheUsersConfigurationFolder) {
  const ProcessResult result = Run({Program.string(), "save"});
  EXPECT_EQ(result.exitStatus, 0) << result.err;
  EXPECT_EQ(result.err, "");
  EXPECT_FALSE(fs::exists(Prefix / "bin" / "Sonaru.ini"));
  EXPECT_EQ(Contents(home / "config" / "sonaru" / "Sonaru.ini"),
            "[Volume]\nWaveVolume= 45000\nWaveMute= 1\nMicroVolume= 0\nMicroMute= 0\nWaveInVolume= 200\n"
            "WaveInMute= 0\nLineInVolume= 0\nLineInMute= 0\nCD_Volume= 0\nCD_Mute= 0\nMIDIVolume= 0\n"
            "MIDIMute= 0\n");
}

TEST_F(InstalledSaveTest, TheLoginRestoreUnitPutsTheSavedStateBack) {
  const std::vector<std::string> command = RestoreUnitSetting("ExecStart");
  ASSERT_FALSE(command.empty());
  fs::create_directories(home / "config" / "sonaru");
  std::ofstream(home / "config" / "sonaru" / "Sonaru.ini")
      << "[Volume]\nWaveVolume= 30000\nWaveMute= 0\nWaveInVolume= 100\nWaveInMute= 1\n";
  const ProcessResult result = Run(command);
  EXPECT_EQ(result.exitStatus, 0) << result.err;
  EXPECT_EQ(card.values("Master Playback Volume"), (std::vector<long>{30000, 30000}));
  EXPECT_EQ(card.values("Master Playback Switch"), (std::vector<long>{1, 1}));
  EXPECT_EQ(card.values("PCM Playback Volume"), (std::vector<long>{100, 100}));
  EXPECT_EQ(card.values("PCM Playback Switch"), (std::vector<long>{0, 0}));
}

// A login with nothing saved yet is no failure, while a mixer that is not there yet is tried again.
TEST_F(InstalledSaveTest, TheLoginRestoreUnitTellsTheProgramsOrdinaryOutcomesApart) {
  const std::vector<std::string> command = RestoreUnitSetting("ExecStart");
  ASSERT_FALSE(command.empty());
  const std::vector<std::string> successes = RestoreUnitSetting("SuccessExitStatus");
  const struct {
    std::vector<std::string> settings;
    bool success;
  } cases[] = {
      {{}, true},
      {{"SONARU_MIXER_DEVICE=absent"}, false},
  };
  for (const auto& [settings, success] : cases) {
    const ProcessResult result = Run(command, settings);
    SCOPED_TRACE(result.err);
    EXPECT_NE(result.exitStatus, 0);
    EXPECT_EQ(
        std::find(successes.begin(), successes.end(), std::to_string(result.exitStatus)) != successes.end(),
        success)
        << "exit status " << result.exitStatus;
  }
}

}  // namespace
}  // namespace sonaru::test

// The program as `cmake --install` lays it out in a prefix: it finds its sound and help in the prefix's
// share folder, and saves to the user's configuration folder when its own folder is not writable.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "child_process.h"
#include "platform/chm/chm_file.h"
#include "platform/posix/posix_process.h"
#include "virtual_card.h"

namespace sonaru::test {
namespace {

namespace fs = std::filesystem;

const fs::path Prefix = SONARU_INSTALL_PREFIX;

// The user that runs the installed program when the tests run as root, for whom every folder is writable.
constexpr const char* Nobody = "65534";

std::string Contents(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class InstalledProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fs::exists(Prefix / "bin" / "sonaru"))
        << "installed by the test install_layout, run through ctest";
  }
};

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

  /// Runs the installed program, as an unprivileged user when the tests run as root.
  ProcessResult Run(const std::string& argument) {
    std::vector<std::string> argv = {(Prefix / "bin" / "sonaru").string(), argument};
    if (::geteuid() == 0) {
      argv.insert(argv.begin(), {SONARU_SETPRIV, "--reuid=" + std::string(Nobody),
                                 "--regid=" + std::string(Nobody), "--clear-groups"});
    }
    std::vector<std::string> environment = card.environment();
    environment.push_back("HOME=" + home.string());
    environment.push_back("XDG_CONFIG_HOME=" + (home / "config").string());
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
  if (::geteuid() == 0 && !fs::exists(SONARU_SETPRIV)) {
    GTEST_SKIP() << "running as root without setpriv: every folder is writable";
  }
  const ProcessResult result = Run("save");
  EXPECT_EQ(result.exitStatus, 0) << result.err;
  EXPECT_EQ(result.err, "");
  EXPECT_FALSE(fs::exists(Prefix / "bin" / "Sonaru.ini"));
  EXPECT_EQ(Contents(home / "config" / "sonaru" / "Sonaru.ini"),
            "[Volume]\nWaveVolume= 45000\nWaveMute= 1\nMicroVolume= 0\nMicroMute= 0\nWaveInVolume= 200\n"
            "WaveInMute= 0\nLineInVolume= 0\nLineInMute= 0\nCD_Volume= 0\nCD_Mute= 0\nMIDIVolume= 0\n"
            "MIDIMute= 0\n");
}

}  // namespace
}  // namespace sonaru::test

// The profile file backend on a real file system: defaults, cutting, atomic replacement, failures.
#include "platform/posix/posix_profile_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

namespace sonaru::platform {
namespace {

namespace fs = std::filesystem;

class PosixProfileFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "sonaru-profile-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    directory = pattern;
    path = (directory / "Sonaru.ini").string();
  }
  void TearDown() override { fs::remove_all(directory); }

  std::string Contents() const {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  void Store(const std::string& text) const { std::ofstream(path, std::ios::binary) << text; }
  std::string Read(const std::string& key) {
    return file.GetPrivateProfileStringA("Volume", key, "#", 20, path);
  }

  fs::path directory;
  std::string path;
  PosixProfileFile file;
};

TEST_F(PosixProfileFileTest, MissingFileGivesTheDefaultAndAFirstWriteCreatesIt) {
  EXPECT_EQ(Read("WaveVolume"), "#");
  ASSERT_TRUE(file.WritePrivateProfileStringA("Volume", "WaveVolume", " 45000", path));
  EXPECT_EQ(Contents(), "[Volume]\nWaveVolume= 45000\n");
  EXPECT_EQ(Read("WaveVolume"), "45000");
}

TEST_F(PosixProfileFileTest, ValuesAreCutToTheBufferSizeLessOne) {
  Store("[Volume]\nWaveVolume=123456789012345678901234\n");
  EXPECT_EQ(Read("WaveVolume"), "1234567890123456789");
  EXPECT_EQ(file.GetPrivateProfileStringA("Volume", "Missing", "defaultvalue", 4, path), "def");
}

TEST_F(PosixProfileFileTest, WriteKeepsOtherLinesAndLineEnds) {
  Store("; kept\r\n[Volume]\r\nWaveVolume= 1\r\n[Other]\r\nKey=x\r\n");
  ASSERT_TRUE(file.WritePrivateProfileStringA("Volume", "WaveVolume", " 2", path));
  EXPECT_EQ(Contents(), "; kept\r\n[Volume]\r\nWaveVolume= 2\r\n[Other]\r\nKey=x\r\n");
}

TEST_F(PosixProfileFileTest, WriteCreatesTheMissingFolderAndLeavesNoTemporaryFiles) {
  const std::string nested = (directory / "config" / "sonaru" / "Sonaru.ini").string();
  ASSERT_TRUE(file.WritePrivateProfileStringA("Volume", "WaveMute", " 0", nested));
  EXPECT_EQ(file.GetPrivateProfileStringA("Volume", "WaveMute", "#", 20, nested), "0");
  EXPECT_EQ(std::distance(fs::directory_iterator(directory / "config" / "sonaru"), fs::directory_iterator()),
            1);
}

TEST_F(PosixProfileFileTest, WriteKeepsTheFilesPermissions) {
  Store("[Volume]\n");
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  ASSERT_TRUE(file.WritePrivateProfileStringA("Volume", "WaveMute", " 1", path));
  EXPECT_EQ(fs::status(path).permissions(), fs::perms(0640));
}

TEST_F(PosixProfileFileTest, FailedWriteLeavesThePreviousFileIntact) {
  // A folder under the file's name cannot be replaced by a rename of a file.
  const std::string blocked = (directory / "blocked").string();
  fs::create_directory(blocked);
  EXPECT_FALSE(file.WritePrivateProfileStringA("Volume", "WaveVolume", " 1", blocked));
  EXPECT_TRUE(fs::is_directory(blocked));
  // A path below a regular file cannot be created at all.
  Store("[Volume]\nWaveVolume= 7\n");
  EXPECT_FALSE(file.WritePrivateProfileStringA("Volume", "WaveVolume", " 1", path + "/Sonaru.ini"));
  EXPECT_EQ(Contents(), "[Volume]\nWaveVolume= 7\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(directory), fs::directory_iterator()), 2);
}

TEST_F(PosixProfileFileTest, ConcurrentWritersNeverLeaveATornFile) {
  auto writer = [this](const char* key) {
    PosixProfileFile own;
    for (int i = 0; i < 200; ++i) {
      own.WritePrivateProfileStringA("Volume", key, std::to_string(i), path);
    }
  };
  std::thread first(writer, "WaveVolume");
  std::thread second(writer, "WaveVolume");
  std::vector<std::string> torn;
  for (int i = 0; i < 200; ++i) {
    const std::string text = Contents();
    if (!text.empty() && !(text.starts_with("[Volume]\nWaveVolume=") && text.ends_with("\n"))) {
      torn.push_back(text);
    }
  }
  first.join();
  second.join();
  EXPECT_TRUE(torn.empty()) << torn.front();
  EXPECT_EQ(Read("WaveVolume"), "199");
}

}  // namespace
}  // namespace sonaru::platform

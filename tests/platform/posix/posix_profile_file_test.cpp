// The profile file backend on a real file system: defaults, cutting, one replace per write, and what is
// not an ordinary writable file.
#include "platform/posix/posix_profile_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>
#include <vector>

namespace sonaru::platform {
namespace {

namespace fs = std::filesystem;

// Runs `check` in a child process as an ordinary user ("nobody" when the tests run as root, whose rights
// overrule file modes); true when it answered true.
bool AsOrdinaryUser(const std::function<bool()>& check) {
  const pid_t child = ::fork();
  if (child == 0) {
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
      ::_exit(2);
    }
    ::_exit(check() ? 0 : 1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

class PosixProfileFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "sonaru-profile-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    directory = pattern;
    path = (directory / "Sonaru.ini").string();
  }
  void TearDown() override {
    fs::permissions(directory, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(directory);
  }

  std::string Contents(const std::string& file) const {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  std::string Contents() const { return Contents(path); }
  void Store(const std::string& text) const { std::ofstream(path, std::ios::binary) << text; }
  std::string Read(const std::string& key) {
    return file.GetPrivateProfileStringA("Volume", key, "#", 20, path);
  }
  bool Write(const std::string& key, const std::string& value, const std::string& where) {
    return file.WritePrivateProfileStrings("Volume", {{key, value}}, where);
  }
  bool Write(const std::string& key, const std::string& value) { return Write(key, value, path); }
  std::size_t FilesInFolder() const {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(directory), fs::directory_iterator()));
  }

  fs::path directory;
  std::string path;
  PosixProfileFile file;
};

TEST_F(PosixProfileFileTest, MissingFileGivesTheDefaultAndAFirstWriteCreatesIt) {
  EXPECT_EQ(Read("WaveVolume"), "#");
  EXPECT_TRUE(file.FileReadable(path));
  ASSERT_TRUE(Write("WaveVolume", " 45000"));
  EXPECT_EQ(Contents(), "[Volume]\nWaveVolume= 45000\n");
  EXPECT_EQ(Read("WaveVolume"), "45000");
}

TEST_F(PosixProfileFileTest, ValuesAreCutToTheBufferSizeLessOne) {
  Store("[Volume]\nWaveVolume=123456789012345678901234\n");
  EXPECT_EQ(Read("WaveVolume"), "1234567890123456789");
  EXPECT_EQ(file.GetPrivateProfileStringA("Volume", "Missing", "defaultvalue", 4, path), "def");
}

TEST_F(PosixProfileFileTest, SeveralKeysLandInOneReplaceKeepingOtherLinesAndLineEnds) {
  Store("\xEF\xBB\xBF; kept\r\n[Volume]\r\nWaveVolume= 1\r\n[Other]\r\nKey=x\r\n");
  ASSERT_TRUE(file.WritePrivateProfileStrings("Volume", {{"WaveVolume", " 2"}, {"WaveMute", " 1"}}, path));
  EXPECT_EQ(Contents(),
            "\xEF\xBB\xBF; kept\r\n[Volume]\r\nWaveVolume= 2\r\nWaveMute= 1\r\n[Other]\r\nKey=x\r\n");
}

TEST_F(PosixProfileFileTest, WriteCreatesTheMissingFolderAndLeavesNoTemporaryFiles) {
  const std::string nested = (directory / "config" / "sonaru" / "Sonaru.ini").string();
  ASSERT_TRUE(Write("WaveMute", " 0", nested));
  EXPECT_EQ(file.GetPrivateProfileStringA("Volume", "WaveMute", "#", 20, nested), "0");
  EXPECT_EQ(std::distance(fs::directory_iterator(directory / "config" / "sonaru"), fs::directory_iterator()),
            1);
}

TEST_F(PosixProfileFileTest, TemporaryFilesOfKilledWritersAreRemovedByTheNextWrite) {
  const fs::path gone = directory / "Sonaru.ini.tmp999999999-0";  // above any process id
  const fs::path alive = directory / ("Sonaru.ini.tmp" + std::to_string(::getppid()) + "-0");
  std::ofstream(gone) << "[Volume]\n";
  std::ofstream(alive) << "[Volume]\n";
  ASSERT_TRUE(Write("WaveMute", " 0"));
  EXPECT_FALSE(fs::exists(gone));
  EXPECT_TRUE(fs::exists(alive));
}

TEST_F(PosixProfileFileTest, WriteKeepsTheFilesModeAndOwner) {
  Store("[Volume]\n");
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  if (::geteuid() == 0) {
    ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
  }
  const struct stat before = [&] {
    struct stat s {};
    ::stat(path.c_str(), &s);
    return s;
  }();
  ASSERT_TRUE(Write("WaveMute", " 1"));
  struct stat after {};
  ASSERT_EQ(::stat(path.c_str(), &after), 0);
  EXPECT_EQ(after.st_mode & 07777, 0640u);
  EXPECT_EQ(after.st_uid, before.st_uid);
  EXPECT_EQ(after.st_gid, before.st_gid);
}

TEST_F(PosixProfileFileTest, ASymbolicLinkIsWrittenThroughAndStays) {
  fs::create_directory(directory / "real");
  const fs::path target = directory / "real" / "Sonaru.ini";
  std::ofstream(target) << "[Volume]\nWaveVolume= 1\n";
  fs::create_symlink("real/Sonaru.ini", path);
  ASSERT_TRUE(Write("WaveVolume", " 2"));
  EXPECT_TRUE(fs::is_symlink(path));
  EXPECT_EQ(Contents(target.string()), "[Volume]\nWaveVolume= 2\n");
}

TEST_F(PosixProfileFileTest, WhatCannotBeReadOrReplacedIsRefusedAtOnceAndLeftAsItWas) {
  const std::string folder = (directory / "folder").string();
  fs::create_directory(folder);
  const std::string fifo = (directory / "fifo").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0666), 0);
  Store("[Volume]\nWaveVolume= 7\n");
  for (const std::string& where : {folder, fifo, path + "/Sonaru.ini"}) {
    SCOPED_TRACE(where);
    EXPECT_FALSE(Write("WaveVolume", " 1", where));
    EXPECT_EQ(file.GetPrivateProfileStringA("Volume", "WaveVolume", "#", 20, where), "#");
  }
  EXPECT_FALSE(file.FileReadable(folder));
  EXPECT_FALSE(file.FileReadable(fifo));
  EXPECT_TRUE(fs::is_directory(folder));
  EXPECT_TRUE(fs::is_fifo(fifo));
  EXPECT_EQ(Contents(), "[Volume]\nWaveVolume= 7\n");
  EXPECT_EQ(FilesInFolder(), 3u);
}

TEST_F(PosixProfileFileTest, AWriteProtectedFileIsNotReplaced) {
  Store("[Volume]\nWaveVolume= 7\n");
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  EXPECT_FALSE(Write("WaveVolume", " 1"));
  EXPECT_EQ(Contents(), "[Volume]\nWaveVolume= 7\n");
}

TEST_F(PosixProfileFileTest, PermissionsOfAnOrdinaryUserAreHonoured) {
  Store("[Volume]\nWaveVolume= 7\n");
  ASSERT_EQ(::chmod(path.c_str(), 0666), 0);
  // A writable file in a folder that takes no new file is written in place.
  fs::permissions(directory, fs::perms(0555));
  EXPECT_TRUE(AsOrdinaryUser([this] { return Write("WaveVolume", " 8"); }));
  EXPECT_EQ(Contents(), "[Volume]\nWaveVolume= 8\n");
  EXPECT_EQ(FilesInFolder(), 1u);
  // A file the user may not read is not "no file".
  ASSERT_EQ(::chmod(path.c_str(), 0), 0);
  EXPECT_TRUE(AsOrdinaryUser([this] { return !file.FileReadable(path) && !Write("WaveVolume", " 9"); }));
  ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
  EXPECT_EQ(Contents(), "[Volume]\nWaveVolume= 8\n");
}

TEST_F(PosixProfileFileTest, ConcurrentWritersNeverLeaveATornFile) {
  auto writer = [this](const char* key) {
    PosixProfileFile own;
    for (int i = 0; i < 200; ++i) {
      own.WritePrivateProfileStrings("Volume", {{key, std::to_string(i)}}, path);
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

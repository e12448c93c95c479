// The profile file backend on real files under Wine, in a folder with a non-ASCII name: CRLF in the files
// it creates, one replace per write, and what it must refuse.
#include "platform/win32/win32_profile_file.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/win32/unique_handle.h"
#include "test_folder.h"

namespace sonaru::platform {
namespace {

namespace fs = std::filesystem;

class Win32ProfileFileTest : public ::testing::Test {
 protected:
  // Joined with "/", as the settings file's path is.
  std::string PathOf(const std::string& name) const { return folder.Utf8() + "/" + name; }
  std::string Contents() const {
    std::ifstream in(folder.path() / L"Sonaru.ini", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  void Store(const std::string& text) const {
    std::ofstream(folder.path() / L"Sonaru.ini", std::ios::binary) << text;
  }
  std::string Read(const std::string& key, const std::string& where) {
    return file.GetPrivateProfileStringA("Volume", key, "#", 20, where);
  }
  bool WriteTwoKeys(const std::string& where) {
    return file.WritePrivateProfileStrings("Volume", {{"WaveVolume", " 45000"}, {"WaveMute", " 0"}}, where);
  }

  test::TestFolder folder{L"mélange"};
  const std::string path = PathOf("Sonaru.ini");
  Win32ProfileFile file;
};

TEST_F(Win32ProfileFileTest, AMissingFileGivesTheDefaultAndAFirstWriteCreatesItWithCrlf) {
  EXPECT_EQ(Read("WaveVolume", path), "#");
  EXPECT_TRUE(file.FileReadable(path));
  ASSERT_TRUE(WriteTwoKeys(path));
  EXPECT_EQ(Contents(), "[Volume]\r\nWaveVolume= 45000\r\nWaveMute= 0\r\n");
  EXPECT_EQ(Read("WaveVolume", path), "45000");
  EXPECT_EQ(file.GetPrivateProfileStringA("Volume", "Missing", "defaultvalue", 4, path), "def");
  EXPECT_EQ(folder.Entries(), 1u);
}

TEST_F(Win32ProfileFileTest, AWriteCreatesTheMissingFolders) {
  const std::string nested = PathOf("Roaming/Sonaru/Sonaru.ini");
  ASSERT_TRUE(WriteTwoKeys(nested));
  EXPECT_EQ(Read("WaveMute", nested), "0");
}

TEST_F(Win32ProfileFileTest, AnExistingFileIsReplacedWithItsOtherLinesAndItsLineEnds) {
  const struct {
    const char* before;
    const char* valueBefore;
    const char* after;
  } cases[] = {
      {"[Volume]\nWaveVolume= 1\n[Other]\nKey=x\n", "1",
       "[Volume]\nWaveVolume= 45000\nWaveMute= 0\n[Other]\nKey=x\n"},
      {"\xEF\xBB\xBF; kept\r\n[volume]\r\nWaveVolume=123456789012345678901234\r\n", "1234567890123456789",
       "\xEF\xBB\xBF; kept\r\n[volume]\r\nWaveVolume= 45000\r\nWaveMute= 0\r\n"},
      {"", "#", "[Volume]\r\nWaveVolume= 45000\r\nWaveMute= 0\r\n"},
      {"; no line end", "#", "; no line end\r\n[Volume]\r\nWaveVolume= 45000\r\nWaveMute= 0\r\n"},
  };
  for (const auto& [before, valueBefore, after] : cases) {
    SCOPED_TRACE(before);
    Store(before);
    EXPECT_EQ(Read("WaveVolume", path), valueBefore);
    ASSERT_TRUE(WriteTwoKeys(path));
    EXPECT_EQ(Contents(), after);
    EXPECT_EQ(folder.Entries(), 1u);
  }
}

TEST_F(Win32ProfileFileTest, AReadOnlyFileIsNotReplaced) {
  Store("[Volume]\r\nWaveVolume= 7\r\n");
  ASSERT_NE(::SetFileAttributesW((folder.path() / L"Sonaru.ini").c_str(), FILE_ATTRIBUTE_READONLY), 0);
  EXPECT_TRUE(file.FileReadable(path));
  EXPECT_FALSE(WriteTwoKeys(path));
  EXPECT_EQ(Contents(), "[Volume]\r\nWaveVolume= 7\r\n");
  EXPECT_EQ(folder.Entries(), 1u);
}

TEST_F(Win32ProfileFileTest, WhatCannotBeReadIsRefusedAndLeftAsItWas) {
  Store("[Volume]\r\nWaveVolume= 7\r\n");
  fs::create_directory(folder.path() / L"dossier");
  // Another program that holds the file open for itself alone.
  UniqueHandle held(::CreateFileW((folder.path() / L"Sonaru.ini").c_str(), GENERIC_READ, 0, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(held.Valid());
  for (const std::string& where : {PathOf("dossier"), path}) {
    SCOPED_TRACE(where);
    EXPECT_FALSE(file.FileReadable(where));
    EXPECT_EQ(Read("WaveVolume", where), "#");
    EXPECT_FALSE(WriteTwoKeys(where));
  }
  held.Close();
  EXPECT_TRUE(fs::is_directory(folder.path() / L"dossier"));
  EXPECT_EQ(Contents(), "[Volume]\r\nWaveVolume= 7\r\n");
  EXPECT_EQ(folder.Entries(), 2u);
}

}  // namespace
}  // namespace sonaru::platform

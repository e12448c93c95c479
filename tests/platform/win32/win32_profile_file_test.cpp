// The profile file backend on real files under Wine, in a folder with a non-ASCII name: CRLF in the files
// it creates, one replace per write (through links, clearing what killed writers left), and what it must
// refuse.
#include "platform/win32/win32_profile_file.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <utility>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"
#include "test_folder.h"

namespace sonaru::platform {
namespace {

namespace fs = std::filesystem;

// Runs a program of Wine's host, found under Z:, which is the host's root. Wine does not wait for a host
// process: `done` is polled instead, for up to ten seconds.
bool RunOnWineHost(std::wstring commandLine, const std::function<bool()>& done) {
  const std::wstring program = L"Z:\\bin\\" + commandLine.substr(0, commandLine.find(L' '));
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &started) == 0) {
    return false;
  }
  const UniqueHandle process(started.hProcess);
  const UniqueHandle thread(started.hThread);
  for (int tries = 0; tries < 200 && !done(); ++tries) {
    ::Sleep(50);
  }
  return done();
}

// A symbolic link for as long as it lives. Windows makes one with the right to create symbolic links. Wine
// 8 only pretends to, but follows its host's links, which the host's ln makes and rm removes (Wine's own
// removal would take the target instead). The paths are ASCII: the host's command line carries them.
class SymbolicLink {
 public:
  SymbolicLink(fs::path link, const fs::path& target) : link_(std::move(link)) {
    if (::CreateSymbolicLinkW(link_.c_str(), target.c_str(), SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE) !=
            0 &&
        fs::exists(link_)) {
      return;
    }
    using HostPathFunction = char*(CDECL*)(const wchar_t*);
    const auto hostPath = reinterpret_cast<HostPathFunction>(reinterpret_cast<void (*)()>(
        ::GetProcAddress(::GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
    char* linkOnHost = hostPath != nullptr ? hostPath(link_.c_str()) : nullptr;
    if (linkOnHost == nullptr) {
      return;
    }
    linkOnHost_ = ToWide(linkOnHost);
    ::HeapFree(::GetProcessHeap(), 0, linkOnHost);
    RunOnWineHost(L"ln -s " + target.generic_wstring() + L" " + linkOnHost_,
                  [this] { return fs::exists(link_); });
  }
  ~SymbolicLink() {
    if (!linkOnHost_.empty()) {
      RunOnWineHost(L"rm " + linkOnHost_, [this] { return !fs::exists(link_); });
    }
  }
  SymbolicLink(const SymbolicLink&) = delete;
  SymbolicLink& operator=(const SymbolicLink&) = delete;

  bool Made() const { return fs::exists(link_); }

 private:
  fs::path link_;
  std::wstring linkOnHost_;  // empty unless the host made the link
};

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

// A run killed before its move leaves "Sonaru.ini.tmp<pid>-<n>" behind: the next write removes the files
// of writers that have ended, and no other file.
TEST_F(Win32ProfileFileTest, TemporaryFilesOfEndedWritersAreRemovedByTheNextWrite) {
  // A writer that never runs, and lives until it is ended.
  wchar_t self[MAX_PATH];
  ASSERT_NE(::GetModuleFileNameW(nullptr, self, MAX_PATH), 0u);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION child{};
  ASSERT_NE(::CreateProcessW(self, nullptr, nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                             &startup, &child),
            0);
  const UniqueHandle process(child.hProcess);
  const UniqueHandle thread(child.hThread);
  const std::wstring writer = std::to_wstring(child.dwProcessId);
  const std::wstring own = std::to_wstring(::GetCurrentProcessId());
  const std::wstring ofEndedWriter = L"Sonaru.ini.tmp" + writer + L"-0";
  const std::wstring ofNoProcess = L"Sonaru.ini.tmp4294967292-3";
  const std::vector<std::wstring> kept = {L"Sonaru.ini.tmp" + own + L"-999999", L"Sonaru.ini.tmp-1",
                                          L"Sonaru.ini.tmp12x-0", L"Sonaru.ini.tmp99999999999-0",
                                          L"Autre.ini.tmp" + writer + L"-0"};
  for (const std::wstring& name : kept) {
    std::ofstream(folder.path() / name) << "x";
  }
  std::ofstream(folder.path() / ofEndedWriter) << "x";
  std::ofstream(folder.path() / ofNoProcess) << "x";

  ASSERT_TRUE(WriteTwoKeys(path));
  EXPECT_FALSE(fs::exists(folder.path() / ofNoProcess));
  EXPECT_TRUE(fs::exists(folder.path() / ofEndedWriter));
  ASSERT_NE(::TerminateProcess(process.get(), 1), 0);
  ASSERT_EQ(::WaitForSingleObject(process.get(), 10000), WAIT_OBJECT_0);
  ASSERT_TRUE(WriteTwoKeys(path));
  EXPECT_FALSE(fs::exists(folder.path() / ofEndedWriter));
  for (const std::wstring& name : kept) {
    EXPECT_TRUE(fs::exists(folder.path() / name)) << ToUtf8(name);
  }
  EXPECT_EQ(folder.Entries(), 1 + kept.size());
}

TEST(Win32ProfileFileLinkTest, ASymbolicLinkIsWrittenThroughToItsTarget) {
  const test::TestFolder links(L"liens");
  fs::create_directory(links.path() / L"cible");
  const fs::path target = links.path() / L"cible" / L"Sonaru.ini";
  std::ofstream(target, std::ios::binary) << "[Other]\r\nKey=x\r\n";
  const SymbolicLink link(links.path() / L"Sonaru.ini", fs::path(L"cible") / L"Sonaru.ini");
  if (!link.Made()) {
    GTEST_SKIP() << "no symbolic link can be made here";
  }
  Win32ProfileFile file;
  ASSERT_TRUE(
      file.WritePrivateProfileStrings("Volume", {{"WaveVolume", " 45000"}}, links.Utf8() + "/Sonaru.ini"));
  std::ifstream in(target, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(), "[Other]\r\nKey=x\r\n[Volume]\r\nWaveVolume= 45000\r\n");
  EXPECT_EQ(links.Entries(), 2u);
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

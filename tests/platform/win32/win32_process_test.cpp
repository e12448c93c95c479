// The process backend under Wine: the argument text and count of command lines, the program's folder and
// name as a process started from a folder with a non-ASCII name sees them, and the user's folders.
#include "platform/win32/win32_process.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <vector>

#include "child_run.h"
#include "platform/win32/wide_text.h"
#include "test_folder.h"

#ifndef SONARU_PROCESS_PROBE
#error "SONARU_PROCESS_PROBE, the program that prints what the backend knows, must be defined by the build"
#endif

namespace sonaru::platform {
namespace {

namespace fs = std::filesystem;

TEST(Win32ProcessArgumentsTest, TheTextFollowsTheProgramsNameAsItIsAndTheCountFollowsTheRuntimesRules) {
  const struct {
    const wchar_t* commandLine;
    const char* text;
    std::size_t count;
  } cases[] = {
      {L"sonaru.exe", "", 0},
      {L"sonaru.exe \t ", "", 0},
      {L"sonaru.exe \"\"", "\"\"", 1},
      {L"sonaru.exe \"\" \"\"", "\"\" \"\"", 2},
      {L"\"C:\\Program Files\\Sonaru\\sonaru.exe\" /S:30000  /M:0\t", "/S:30000  /M:0\t", 2},
      {L"\"C:\\Program Files\\Sonaru\\sonaru.exe\"/Rest", "/Rest", 1},
      {L"sonaru \"a b\" /S§20000 é", "\"a b\" /S§20000 é", 3},
      {L"\"C:\\sonaru.exe", "", 0},
  };
  for (const auto& [commandLine, text, count] : cases) {
    SCOPED_TRACE(ToUtf8(commandLine));
    const CommandLineArguments arguments = ArgumentsOf(commandLine);
    EXPECT_EQ(arguments.text, text);
    EXPECT_EQ(arguments.count, count);
  }
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (line.ends_with('\r')) {
      line.pop_back();
    }
    lines.push_back(line);
  }
  return lines;
}

TEST(Win32ProcessTest, AProcessKnowsItsCommandLineFolderAndNameInUtf8) {
  const test::TestFolder folder(L"mélange");
  const fs::path program = folder.path() / L"Sonaru é.exe";
  ASSERT_TRUE(fs::copy_file(SONARU_PROCESS_PROBE, program));
  const test::ChildRun run =
      test::RunChild(program.wstring(), L"\"" + program.wstring() + L"\"  /S:1 \"\" é");
  ASSERT_TRUE(run.finished);
  EXPECT_EQ(run.status, 0u) << run.errorOutput;
  EXPECT_EQ(Lines(run.output),
            (std::vector<std::string>{"/S:1 \"\" é", "3", ToUtf8(program.parent_path().wstring()),
                                      "Sonaru é.exe"}));
}

TEST(Win32ProcessTest, TheUsersFoldersAndNameAreThoseOfTheSession) {
  Win32Process process;
  const wchar_t* appData = _wgetenv(L"APPDATA");
  const wchar_t* userName = _wgetenv(L"USERNAME");
  ASSERT_TRUE(appData != nullptr && userName != nullptr);
  EXPECT_EQ(process.UserConfigDirectory(), ToUtf8(appData) + "\\Sonaru");
  EXPECT_EQ(process.UserName(), ToUtf8(userName));

  const test::TestFolder folder(L"mélange");
  EXPECT_TRUE(process.DirectoryWritable(folder.Utf8()));
  EXPECT_EQ(folder.Entries(), 0u);
  EXPECT_FALSE(process.DirectoryWritable(folder.Utf8() + "/absent"));
  EXPECT_TRUE(process.FileExists(folder.Utf8()));
  EXPECT_FALSE(process.FileExists(folder.Utf8() + "/Sonaru.ini"));
}

}  // namespace
}  // namespace sonaru::platform

// sonaru.exe as a process under Wine, copied into a folder with a non-ASCII name, started by a Windows
// parent that reads its standard streams: what it prints, its exit status, and no message box to wait on.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <filesystem>

#include "child_run.h"
#include "test_folder.h"

#ifndef SONARU_EXECUTABLE
#error "SONARU_EXECUTABLE and SONARU_VERSION must be defined by the build"
#endif

namespace sonaru::test {
namespace {

namespace fs = std::filesystem;

// The C runtime writes text streams with CRLF line ends, as Windows programs do.
TEST(WindowsProgramTest, TheWindowlessModesAnswerOnTheStandardStreams) {
  const TestFolder folder(L"mélange");
  const fs::path program = folder.path() / L"sonaru.exe";
  ASSERT_TRUE(fs::copy_file(SONARU_EXECUTABLE, program));
  const struct {
    const wchar_t* arguments;
    unsigned long status;
    const char* output;
    const char* errorOutput;
  } cases[] = {
      {L" --version", 0, "sonaru " SONARU_VERSION "\r\n", ""},
      {L" x", 1, "", "No mixer found!\r\n"},
      // The window mode without a display: its message too goes to the parent's pipe.
      {L"", 6, "", "Aucun affichage disponible : la fenêtre ne peut pas s'ouvrir.\r\n"},
  };
  for (const auto& [arguments, status, output, errorOutput] : cases) {
    const ChildRun run = RunChild(program.wstring(), L"\"" + program.wstring() + L"\"" + arguments);
    ASSERT_TRUE(run.finished) << "sonaru.exe" << arguments;
    EXPECT_EQ(run.status, status);
    EXPECT_EQ(run.output, output);
    EXPECT_EQ(run.errorOutput, errorOutput);
  }
  EXPECT_EQ(folder.Entries(), 1u);
}

// What Explorer and shortcuts show for the file: the program's icon is its first.
TEST(WindowsProgramTest, TheProgramCarriesItsIcon) {
  EXPECT_EQ(ExtractIconExW(fs::path(SONARU_EXECUTABLE).wstring().c_str(), -1, nullptr, nullptr, 0), 1u);
}

}  // namespace
}  // namespace sonaru::test

// sonaru.exe /T as a process under Wine: the restore task it leaves with Task Scheduler 1.0, read back
// through that API, and removed long before its time.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>

#include "platform/win32/unique_handle.h"
#include "stored_tasks.h"
#include "test_folder.h"

#ifndef SONARU_EXECUTABLE
#error "SONARU_EXECUTABLE must be defined by the build"
#endif

namespace sonaru::test {
namespace {

namespace fs = std::filesystem;
using platform::UniqueHandle;

// The program's exit status, its standard handles on NUL. Its COM calls may start Wine's desktop process,
// which outlives it with the handles it inherited: pipes to this test would never end.
unsigned long StatusOf(const fs::path& program, const std::wstring& arguments) {
  SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
  const UniqueHandle nul(::CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited, OPEN_EXISTING, 0,
                                       nullptr));
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = startup.hStdOutput = startup.hStdError = nul.get();
  std::wstring line = L"\"" + program.wstring() + L"\" " + arguments;
  PROCESS_INFORMATION started{};
  if (::CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                       &started) == 0) {
    return ::GetLastError();
  }
  const UniqueHandle process(started.hProcess);
  const UniqueHandle thread(started.hThread);
  if (::WaitForSingleObject(process.get(), 30000) != WAIT_OBJECT_0) {
    ::TerminateProcess(process.get(), 1);
  }
  DWORD status = 0;
  ::GetExitCodeProcess(process.get(), &status);
  return status;
}

TEST(WindowsRestoreTaskTest, SlashTRegistersTheRestoreAndTheNextOneReplacesIt) {
  const TaskCleanup cleanup("RestaureVolume");
  const TestFolder folder(L"mélange");
  const fs::path program = folder.path() / L"sonaru.exe";
  ASSERT_TRUE(fs::copy_file(SONARU_EXECUTABLE, program));
  const struct {
    const wchar_t* arguments;
    int seconds;
  } cases[] = {{L"/T:0:0:10", 10}, {L"/T:1:0:0", 3600}};
  for (const auto& [arguments, seconds] : cases) {
    const std::string early = OnceTriggerIn(seconds);
    EXPECT_EQ(StatusOf(program, arguments), 0u);
    const std::string late = OnceTriggerIn(seconds);
    EXPECT_EQ(StoredTaskNames(), std::vector<std::string>{"RestaureVolume"});
    const StoredTask task = ReadStoredTask("RestaureVolume").value_or(StoredTask{});
    EXPECT_EQ(task.application, folder.Utf8() + "\\sonaru.exe");
    EXPECT_EQ(task.parameters, "/Rest");
    EXPECT_EQ(task.comment, "sonaru");
    EXPECT_EQ(task.flags, 8706u);
    ASSERT_EQ(task.triggers.size(), 1u);
    EXPECT_TRUE(task.triggers[0] == early || task.triggers[0] == late) << task.triggers[0];
  }
  EXPECT_EQ(folder.Entries(), 1u);
}

}  // namespace
}  // namespace sonaru::test

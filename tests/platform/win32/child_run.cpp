// A child process with pipes for its output, read while it runs so that neither fills. The reading stops
// when the child has ended, not at the pipes' end: a process that Wine starts on the child's behalf (its
// desktop) may inherit the writing ends and keep them open long after.
#include "child_run.h"

#include <windows.h>

#include "platform/win32/unique_handle.h"

namespace sonaru::test {

namespace {

using platform::UniqueHandle;

struct Pipe {
  UniqueHandle read;
  UniqueHandle write;  // inherited by the child
};

Pipe NewPipe() {
  SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
  HANDLE read = nullptr;
  HANDLE write = nullptr;
  ::CreatePipe(&read, &write, &inherited, 0);
  ::SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
  return {UniqueHandle(read), UniqueHandle(write)};
}

// Takes what the pipe holds now, without waiting for more.
void TakeAvailable(const UniqueHandle& pipe, std::string& text) {
  DWORD available = 0;
  while (::PeekNamedPipe(pipe.get(), nullptr, 0, nullptr, &available, nullptr) != 0 && available != 0) {
    std::string buffer(available, '\0');
    DWORD read = 0;
    if (::ReadFile(pipe.get(), buffer.data(), available, &read, nullptr) == 0 || read == 0) {
      return;
    }
    text.append(buffer, 0, read);
  }
}

}  // namespace

ChildRun RunChild(const std::wstring& program, const std::wstring& commandLine) {
  Pipe output = NewPipe();
  Pipe errorOutput = NewPipe();
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = output.write.get();
  startup.hStdError = errorOutput.write.get();
  PROCESS_INFORMATION started{};
  std::wstring line = commandLine;
  ChildRun run;
  if (::CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                       &started) == 0) {
    run.errorOutput = "CreateProcessW failed: " + std::to_string(::GetLastError());
    return run;
  }
  const UniqueHandle process(started.hProcess);
  const UniqueHandle thread(started.hThread);
  output.write.Close();
  errorOutput.write.Close();
  // What the child wrote before it ended is in the pipes when its handle is signalled.
  constexpr DWORD Step = 10;
  for (DWORD waited = 0;; waited += Step) {
    run.finished = ::WaitForSingleObject(process.get(), Step) == WAIT_OBJECT_0;
    TakeAvailable(output.read, run.output);
    TakeAvailable(errorOutput.read, run.errorOutput);
    if (run.finished || waited >= 30000) {
      break;
    }
  }
  if (!run.finished) {
    ::TerminateProcess(process.get(), 1);
  }
  DWORD status = 0;
  ::GetExitCodeProcess(process.get(), &status);
  run.status = status;
  return run;
}

}  // namespace sonaru::test

// A child process with pipes for its output, each drained on a thread of its own so that neither fills.
#include "child_run.h"

#include <windows.h>

#include <thread>

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

void Drain(const UniqueHandle& pipe, std::string& text) {
  char buffer[4096];
  DWORD read = 0;
  while (::ReadFile(pipe.get(), buffer, sizeof buffer, &read, nullptr) != 0 && read != 0) {
    text.append(buffer, read);
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
  // The child holds the only writing ends now: the pipes end when it does.
  output.write.Close();
  errorOutput.write.Close();
  std::thread outputReader(Drain, std::cref(output.read), std::ref(run.output));
  std::thread errorReader(Drain, std::cref(errorOutput.read), std::ref(run.errorOutput));
  run.finished = ::WaitForSingleObject(process.get(), 30000) == WAIT_OBJECT_0;
  if (!run.finished) {
    ::TerminateProcess(process.get(), 1);
  }
  outputReader.join();
  errorReader.join();
  DWORD status = 0;
  ::GetExitCodeProcess(process.get(), &status);
  run.status = status;
  return run;
}

}  // namespace sonaru::test

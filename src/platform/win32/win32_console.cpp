// Standard streams for a program of the GUI subsystem.
#include "platform/win32/win32_console.h"

#include <io.h>
#include <windows.h>

#include <cstdint>
#include <cstdio>

namespace sonaru::platform {

namespace {

bool Usable(HANDLE handle) {
  return handle != nullptr && handle != INVALID_HANDLE_VALUE && ::GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

// The C runtime's stream, and the handle the rest of the program asks Windows for, both on the console.
void ReopenOnConsole(std::FILE* stream, DWORD standardHandle) {
  if (std::freopen("CONOUT$", "w", stream) != nullptr) {
    // The C runtime hands its handles out as integers.
    const intptr_t handle = ::_get_osfhandle(::_fileno(stream));
    ::SetStdHandle(standardHandle, reinterpret_cast<HANDLE>(handle));  // NOLINT(performance-no-int-to-ptr)
  }
}

}  // namespace

ParentConsole::ParentConsole() {
  const bool outputGiven = Usable(::GetStdHandle(STD_OUTPUT_HANDLE));
  const bool errorGiven = Usable(::GetStdHandle(STD_ERROR_HANDLE));
  if ((outputGiven && errorGiven) || ::AttachConsole(ATTACH_PARENT_PROCESS) == 0) {
    return;
  }
  previousCodePage_ = ::GetConsoleOutputCP();
  ::SetConsoleOutputCP(CP_UTF8);
  if (!outputGiven) {
    ReopenOnConsole(stdout, STD_OUTPUT_HANDLE);
  }
  if (!errorGiven) {
    ReopenOnConsole(stderr, STD_ERROR_HANDLE);
  }
}

ParentConsole::~ParentConsole() {
  if (previousCodePage_ != 0) {
    std::fflush(stdout);
    std::fflush(stderr);
    ::SetConsoleOutputCP(previousCodePage_);
  }
}

bool StandardErrorAvailable() { return Usable(::GetStdHandle(STD_ERROR_HANDLE)); }

}  // namespace sonaru::platform

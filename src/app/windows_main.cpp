// The executable on Windows: no console window of its own, the terminal's console when started from one,
// the Windows backends behind the services, then the start-up procedure.
#include <windows.h>

#include "app/windows_services.h"
#include "platform/win32/win32_console.h"
#include "startup/start_up.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const sonaru::platform::ParentConsole console;
  const sonaru::WindowsServices services;
  return sonaru::Main();
}

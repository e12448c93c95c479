// Where a message goes: over the program's window, to the standard error stream when there is one, or in a
// box on the user's desktop.
#include "platform/win32/win32_message_box.h"

#include <windows.h>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_console.h"
#include "platform/win32/win32_desktop.h"

namespace sonaru::platform {

namespace {

// The program's window is this thread's visible top-level window that no other window owns.
HWND ShownWindow() {
  HWND shown = nullptr;
  ::EnumThreadWindows(
      ::GetCurrentThreadId(),
      [](HWND window, LPARAM found) {
        if (::IsWindowVisible(window) == 0 || ::GetWindow(window, GW_OWNER) != nullptr) {
          return TRUE;
        }
        *reinterpret_cast<HWND*>(found) = window;  // NOLINT(performance-no-int-to-ptr)
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&shown));
  return shown;
}

}  // namespace

void Win32MessageBox::MsgBox(const std::string& text) {
  HWND owner = ShownWindow();
  if (owner == nullptr && (StandardErrorAvailable() || !InteractiveDesktop())) {
    standardError_.MsgBox(text);
    return;
  }
  ::MessageBoxW(owner, ToWide(text).c_str(), L"Sonaru", MB_OK);
}

}  // namespace sonaru::platform

// Where a message goes: the standard error stream when there is one, a box on the user's desktop otherwise.
#include "platform/win32/win32_message_box.h"

#include <windows.h>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_console.h"

namespace sonaru::platform {

namespace {

bool InteractiveDesktop() {
  USEROBJECTFLAGS flags{};
  HWINSTA station = ::GetProcessWindowStation();
  return station != nullptr &&
         ::GetUserObjectInformationW(station, UOI_FLAGS, &flags, sizeof flags, nullptr) != 0 &&
         (flags.dwFlags & WSF_VISIBLE) != 0;
}

}  // namespace

void Win32MessageBox::MsgBox(const std::string& text) {
  if (StandardErrorAvailable() || !InteractiveDesktop()) {
    standardError_.MsgBox(text);
    return;
  }
  ::MessageBoxW(nullptr, ToWide(text).c_str(), L"Sonaru", MB_OK);
}

}  // namespace sonaru::platform

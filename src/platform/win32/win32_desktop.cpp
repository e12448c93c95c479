// The window station's flags, the display Wine reaches, and a hidden window made and destroyed at once.
#include "platform/win32/win32_desktop.h"

#include <windows.h>

namespace sonaru::platform {

bool InteractiveDesktop() {
  USEROBJECTFLAGS flags{};
  HWINSTA station = ::GetProcessWindowStation();
  return station != nullptr &&
         ::GetUserObjectInformationW(station, UOI_FLAGS, &flags, sizeof flags, nullptr) != 0 &&
         (flags.dwFlags & WSF_VISIBLE) != 0;
}

namespace {

// Wine shows its windows on the X server (or Wayland compositor) of the environment. Without one, the
// first window would start a desktop process that cannot show anything, and that keeps the standard
// streams it inherited open long after this program ends: so no window is tried at all.
bool WineWithoutDisplay() {
  if (::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") == nullptr) {
    return false;
  }
  wchar_t value[2];
  return ::GetEnvironmentVariableW(L"DISPLAY", value, 2) == 0 &&
         ::GetEnvironmentVariableW(L"WAYLAND_DISPLAY", value, 2) == 0;
}

}  // namespace

// Windows makes a window on any interactive desktop; Wine only where it reaches a display.
bool WindowsCanBeShown() {
  if (!InteractiveDesktop() || WineWithoutDisplay()) {
    return false;
  }
  HWND probe = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                 ::GetModuleHandleW(nullptr), nullptr);
  if (probe == nullptr) {
    return false;
  }
  ::DestroyWindow(probe);
  return true;
}

}  // namespace sonaru::platform

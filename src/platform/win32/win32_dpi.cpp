// The DPI functions of Windows 10 are looked up, so that the program still starts on Windows 7 and 8.1.
#include "platform/win32/win32_dpi.h"

#include <windows.h>

#include <cmath>

namespace sonaru::platform {

namespace {

template <typename Function>
Function User32Function(const char* name) {
  const FARPROC found = ::GetProcAddress(::GetModuleHandleW(L"user32.dll"), name);
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

}  // namespace

int Pixels(double twips, unsigned int dpi) { return static_cast<int>(std::lround(twips * dpi / 1440.0)); }

unsigned int ScreenDpi() {
  HDC screen = ::GetDC(nullptr);
  const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<unsigned int>(dpi) : 96;
}

unsigned int WindowDpi(HWND window) {
  static const auto getDpiForWindow = User32Function<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
  const UINT dpi = getDpiForWindow != nullptr ? getDpiForWindow(window) : 0;
  return dpi != 0 ? dpi : ScreenDpi();
}

OuterSize WindowSizeFor(int width, int height, unsigned long style, unsigned long exStyle, unsigned int dpi) {
  static const auto adjust =
      User32Function<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
  RECT frame{0, 0, width, height};
  if (adjust == nullptr || adjust(&frame, style, FALSE, exStyle, dpi) == 0) {
    ::AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  }
  return {frame.right - frame.left, frame.bottom - frame.top};
}

}  // namespace sonaru::platform

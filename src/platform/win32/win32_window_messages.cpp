// WM_NCCREATE is the first message that carries the creation parameters.
#include "platform/win32/win32_window_messages.h"

#include <windows.h>

namespace sonaru::platform {

std::intptr_t Win32WindowMessages::Procedure(HWND window, unsigned int message, std::uintptr_t wParam,
                                             std::intptr_t lParam) {
  if (message == WM_NCCREATE) {
    auto* target =
        static_cast<Win32WindowMessages*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    target->window_ = window;
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(target));
  }
  auto* target = reinterpret_cast<Win32WindowMessages*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  return target != nullptr ? target->Handle(message, wParam, lParam)
                           : ::DefWindowProcW(window, message, wParam, lParam);
}

void Win32WindowMessages::RegisterWindowClass(const wchar_t* name, bool dialogFace) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = &Procedure;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  if (dialogFace) {
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  }
  windowClass.lpszClassName = name;
  ::RegisterClassExW(&windowClass);  // fails harmlessly once registered
}

}  // namespace sonaru::platform

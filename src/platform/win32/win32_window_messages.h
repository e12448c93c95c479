// A window whose messages go to one object of the program.
#pragma once

#include <cstdint>

struct HWND__;

namespace sonaru::platform {

/// The object comes with the window's creation parameters and stays in its user data, so that one window
/// procedure serves every window of a class.
class Win32WindowMessages {
 public:
  Win32WindowMessages() = default;
  Win32WindowMessages(const Win32WindowMessages&) = delete;
  Win32WindowMessages& operator=(const Win32WindowMessages&) = delete;

  /// The window, from its creation to its last message.
  HWND__* Window() const { return window_; }

 protected:
  ~Win32WindowMessages() = default;

  /// The window procedure of the class; CreateWindowExW is given `this` as its last parameter. The
  /// procedure's types, LRESULT, WPARAM and LPARAM, are these on 64-bit Windows.
  static std::intptr_t Procedure(HWND__* window, unsigned int message, std::uintptr_t wParam,
                                 std::intptr_t lParam);
  /// Registers the window class `name` on this procedure, with the arrow cursor and, for a top-level
  /// window, the dialog face as background; once per process, later calls changing nothing.
  static void RegisterWindowClass(const wchar_t* name, bool dialogFace);
  virtual std::intptr_t Handle(unsigned int message, std::uintptr_t wParam, std::intptr_t lParam) = 0;

  HWND__* window_ = nullptr;
};

}  // namespace sonaru::platform

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
  virtual std::intptr_t Handle(unsigned int message, std::uintptr_t wParam, std::intptr_t lParam) = 0;

  HWND__* window_ = nullptr;
};

}  // namespace sonaru::platform

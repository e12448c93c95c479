// What a screen reader says of a control, beyond its caption.
#pragma once

#include <string>

struct HWND__;
struct IAccPropServices;

namespace sonaru::platform {

/// Names set through Microsoft Active Accessibility's dynamic annotation (PROPID_ACC_NAME on the control's
/// client object), which screen readers and UI Automation read in place of the window text. Needs COM on
/// this thread, which it starts when it is not already and ends with itself. Where the service is missing
/// a name is dropped: the caption stays what is said.
class Win32AccessibleNames {
 public:
  Win32AccessibleNames() = default;
  ~Win32AccessibleNames();
  Win32AccessibleNames(const Win32AccessibleNames&) = delete;
  Win32AccessibleNames& operator=(const Win32AccessibleNames&) = delete;

  void Set(HWND__* control, const std::string& name);

 private:
  bool started_ = false;
  bool comStarted_ = false;
  IAccPropServices* services_ = nullptr;
};

}  // namespace sonaru::platform

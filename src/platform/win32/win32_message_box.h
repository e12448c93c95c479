// Message boxes on Windows, or the standard error stream where the user reads the program's output.
#pragma once

#include "platform/message_box.h"
#include "platform/standard/stderr_message_box.h"

namespace sonaru::platform {

/// While the program shows its window, a MessageBoxW owned by it, so modal to it. Otherwise a run with a
/// standard error stream (started from a terminal, or by a program that reads its output) writes its
/// messages there, and a run without one shows a MessageBoxW; the boxes are titled "Sonaru", with OK and
/// no icon. A run without an interactive desktop (a service) never shows one, as no one could close it.
class Win32MessageBox final : public MessageBox {
 public:
  void MsgBox(const std::string& text) override;

 private:
  StderrMessageBox standardError_;
};

}  // namespace sonaru::platform

// The window's services of a run that has not needed a window yet.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/window_module.h"
#include "platform/standard/absent_services.h"
#include "platform/standard/stderr_message_box.h"

namespace sonaru {

/// Stands for the toolkit and the message box until a window or a box is needed on a display that
/// answers: then loads the window's module and installs its toolkit, message box, sound and help in the
/// services, in place of these. Without a display nothing of the module is loaded and messages go to
/// stderr.
class WindowGate {
 public:
  /// The module is looked for in `folders`, in order. `windowAsked` runs when the window is asked for and
  /// a display answers, before the module loads.
  WindowGate(std::vector<std::string> folders, std::function<void()> windowAsked);
  WindowGate(const WindowGate&) = delete;
  WindowGate& operator=(const WindowGate&) = delete;

  platform::Toolkit& Toolkit() { return toolkit_; }
  platform::MessageBox& MessageBox() { return messageBox_; }

  /// The module's backends, the module loaded now if it was not; nothing, after a line on stderr that
  /// names the file and says why, when it cannot be loaded.
  WindowBackends* Backends();

 private:
  class GateToolkit final : public platform::AbsentToolkit {
   public:
    explicit GateToolkit(WindowGate& gate) : gate_(gate) {}
    bool DisplayAvailable() override;

   private:
    WindowGate& gate_;
  };

  class GateMessageBox final : public platform::MessageBox {
   public:
    explicit GateMessageBox(WindowGate& gate) : gate_(gate) {}
    void MsgBox(const std::string& text) override;

   private:
    WindowGate& gate_;
    platform::StderrMessageBox withoutDisplay_;
  };

  /// True once the module's backends serve: a display answers and the module is loaded. For the `window`,
  /// `windowAsked` runs once the display has answered, before the module loads.
  bool Open(bool window);

  std::vector<std::string> folders_;
  std::function<void()> windowAsked_;
  bool tried_ = false;
  bool installed_ = false;
  std::unique_ptr<WindowBackends> backends_;
  GateToolkit toolkit_{*this};
  GateMessageBox messageBox_{*this};
};

}  // namespace sonaru

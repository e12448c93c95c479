// Message boxes on Qt, or on the standard error stream where no display is available.
#pragma once

#include "platform/message_box.h"
#include "platform/standard/stderr_message_box.h"

namespace sonaru::platform {

class QtMessageBox final : public MessageBox {
 public:
  /// A modal box with only an OK button, no icon and the application's name as title.
  void MsgBox(const std::string& text) override;

 private:
  StderrMessageBox withoutDisplay_;
};

}  // namespace sonaru::platform

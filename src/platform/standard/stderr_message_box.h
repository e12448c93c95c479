// Message boxes for runs without a display: the text goes to the standard error stream.
#pragma once

#include "platform/message_box.h"

namespace sonaru::platform {

class StderrMessageBox final : public MessageBox {
 public:
  void MsgBox(const std::string& text) override;
};

}  // namespace sonaru::platform

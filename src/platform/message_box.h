// The message box service: a modal text with an OK button and the application's name as title.
#pragma once

#include <string>

namespace sonaru::platform {

class MessageBox {
 public:
  virtual ~MessageBox() = default;

  /// Shows `text` and returns when the user has closed it (at once where no display is available).
  virtual void MsgBox(const std::string& text) = 0;
};

}  // namespace sonaru::platform

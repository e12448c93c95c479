// One message a line on stderr, as a scheduler's log or a terminal shows it.
#include "platform/standard/stderr_message_box.h"

#include <iostream>

namespace sonaru::platform {

void StderrMessageBox::MsgBox(const std::string& text) { std::cerr << text << std::endl; }

}  // namespace sonaru::platform

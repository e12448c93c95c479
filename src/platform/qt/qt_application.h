// The one QApplication of the process, created only when something is to be shown on a display.
#pragma once

class QApplication;

namespace sonaru::platform {

/// The application, created on first use. Only when DisplayAvailable() (qt_display.h) is true.
QApplication& Application();

}  // namespace sonaru::platform

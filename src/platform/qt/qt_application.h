// The one QApplication of the process, created only when something is to be shown on a display.
#pragma once

class QApplication;

namespace sonaru::platform {

/// Whether Qt can open its platform here, decided from the environment alone so that Qt never aborts:
/// QT_QPA_PLATFORM, DISPLAY (with its local X socket) and WAYLAND_DISPLAY.
bool DisplayAvailable();

/// The application, created on first use. Only when DisplayAvailable() is true.
QApplication& Application();

}  // namespace sonaru::platform

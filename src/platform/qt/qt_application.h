// The one QApplication of the process, created only when something is to be shown on a display.
#pragma once

class QApplication;

namespace sonaru::platform {

/// Whether Qt can open its platform here, found out before Qt starts so that it never aborts: the platform
/// that QT_QPA_PLATFORM names needs nothing (offscreen, vnc...), or the X server of DISPLAY or the Wayland
/// compositor of WAYLAND_DISPLAY accepts a connection. False after about a second and a half without an
/// answer.
bool DisplayAvailable();

/// The application, created on first use. Only when DisplayAvailable() is true.
QApplication& Application();

}  // namespace sonaru::platform

// Whether Qt can open its platform here: asked without Qt, so that nothing of Qt is loaded without a display.
#pragma once

namespace sonaru::platform {

/// Found out before Qt starts, so that it never aborts: the platform that QT_QPA_PLATFORM names needs
/// nothing (offscreen, vnc...), or the X server of DISPLAY or the Wayland compositor of WAYLAND_DISPLAY
/// accepts a connection. False after about a second and a half without an answer.
bool DisplayAvailable();

}  // namespace sonaru::platform

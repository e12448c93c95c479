// Whether this run can show windows to someone.
#pragma once

namespace sonaru::platform {

/// False in a service's window station, where no one sees a window.
bool InteractiveDesktop();

/// True when a window can be made here: an interactive desktop whose display the system can reach (under
/// Wine, the X server or Wayland compositor named by DISPLAY or WAYLAND_DISPLAY).
bool WindowsCanBeShown();

}  // namespace sonaru::platform

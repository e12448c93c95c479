// The Qt toolkit of the window's module that a run with the real wiring loads, for tests that play the user.
#pragma once

#include "app/linux_services.h"
#include "platform/qt/qt_toolkit.h"

namespace sonaru::test {

/// Loads the module of the build tree and answers its toolkit, with the application made: the tests'
/// timers need it before Main runs.
inline platform::QtToolkit& ModuleToolkit(LinuxServices& services) {
  platform::Toolkit& toolkit = services.Window()->ToolkitBackend();
  toolkit.TwipsPerPixelX();
  return dynamic_cast<platform::QtToolkit&>(toolkit);
}

}  // namespace sonaru::test

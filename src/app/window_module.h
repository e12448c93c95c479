// The window's backends, built as a module of their own: only a run that opens the window or shows a
// message box on a display loads it, and with it Qt and libchm (libsndfile waits for the first sound).
#pragma once

#include "platform/help_viewer.h"
#include "platform/message_box.h"
#include "platform/sound.h"
#include "platform/toolkit.h"

namespace sonaru {

class WindowBackends {
 public:
  virtual ~WindowBackends() = default;

  virtual platform::Toolkit& ToolkitBackend() = 0;
  virtual platform::MessageBox& MessageBoxBackend() = 0;
  virtual platform::Sound& SoundBackend() = 0;
  virtual platform::HelpViewer& HelpBackend() = 0;
};

/// The module's file, beside the program in a build tree, in <prefix>/lib/sonaru once installed.
inline constexpr const char* WindowModuleFile = "sonaru-window.so";

/// The module's one symbol: `WindowBackends* SonaruWindowBackends()`, a new object owned by the caller.
inline constexpr const char* WindowModuleEntry = "SonaruWindowBackends";
using WindowModuleEntryFunction = WindowBackends* (*)();

}  // namespace sonaru

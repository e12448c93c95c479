// The Windows backends of every service, owned together for the whole run.
#pragma once

#include "platform/win32/win32_help_viewer.h"
#include "platform/win32/win32_message_box.h"
#include "platform/win32/win32_process.h"
#include "platform/win32/win32_profile_file.h"
#include "platform/win32/win32_scheduler.h"
#include "platform/win32/win32_sound.h"
#include "platform/win32/win32_toolkit.h"
#include "platform/win32/winmm_mixer.h"
#include "startup/services_scope.h"

namespace sonaru {

/// Installs its backends while it lives; a service without a Windows backend yet keeps its harmless
/// default. Members go in reverse order: the scope first (releasing gMixer), and every backend only once
/// nothing can call it.
class WindowsServices {
 public:
  WindowsServices();

 private:
  platform::WinmmMixer mixer_;
  platform::Win32ProfileFile profile_;
  platform::Win32Process process_;
  platform::Win32MessageBox messageBox_;
  platform::Win32Scheduler scheduler_;
  platform::Win32Toolkit toolkit_;
  platform::Win32Sound sound_;
  platform::Win32HelpViewer help_;  // after the toolkit: its windows close before the main window
  ServicesScope scope_;
};

}  // namespace sonaru

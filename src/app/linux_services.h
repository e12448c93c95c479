// The Linux backends of every service, owned together for the whole run.
#pragma once

#include <string>
#include <vector>

#include "app/window_gate.h"
#include "platform/alsa/alsa_mixer.h"
#include "platform/posix/posix_process.h"
#include "platform/posix/posix_profile_file.h"
#include "platform/systemd/systemd_scheduler.h"
#include "startup/services_scope.h"

namespace sonaru {

/// Installs its backends while it lives. The mixer device is "default", or the one SONARU_MIXER_DEVICE
/// names. The window, message box, sound and help backends come from the window's module, loaded only
/// when a display is needed (beside the program, or in ../lib/sonaru from it). Members go in reverse
/// order: the scope first (releasing gMixer), and every backend only once nothing can call it.
class LinuxServices {
 public:
  /// `moduleFolders` are searched for the window's module before the program's own places.
  LinuxServices(int argc, char** argv, std::vector<std::string> moduleFolders = {});

  /// The window's module, loaded now if it was not; nothing when it cannot be loaded.
  WindowBackends* Window() { return window_.Backends(); }

 private:
  platform::AlsaMixer mixer_;
  platform::PosixProfileFile profile_;
  platform::PosixProcess process_;
  platform::SystemdScheduler scheduler_;
  WindowGate window_;
  ServicesScope scope_;
};

}  // namespace sonaru

// The Linux backends of every service, owned together for the whole run.
#pragma once

#include "platform/alsa/alsa_mixer.h"
#include "platform/posix/posix_process.h"
#include "platform/posix/posix_profile_file.h"
#include "platform/qt/qt_help_viewer.h"
#include "platform/qt/qt_message_box.h"
#include "platform/qt/qt_toolkit.h"
#include "platform/sndfile/sndfile_sound.h"
#include "platform/systemd/systemd_scheduler.h"
#include "startup/services_scope.h"

namespace sonaru {

/// Installs its backends while it lives. The mixer device is "default", or the one SONARU_MIXER_DEVICE
/// names. Members go in reverse order: the scope first (releasing gMixer), the toolkit's form before the
/// toolkit, and every backend only once nothing can call it.
class LinuxServices {
 public:
  LinuxServices(int argc, char** argv);

  /// The toolkit, for tests that play the user on its widgets.
  platform::QtToolkit& Toolkit() { return toolkit_; }

 private:
  platform::AlsaMixer mixer_;
  platform::PosixProfileFile profile_;
  platform::QtMessageBox messageBox_;
  platform::PosixProcess process_;
  platform::SystemdScheduler scheduler_;
  platform::QtToolkit toolkit_;
  platform::SndfileSound sound_;
  platform::QtHelpViewer help_{toolkit_};
  ServicesScope scope_;
};

}  // namespace sonaru

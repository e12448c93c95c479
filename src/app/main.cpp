// The executable: the Linux backends behind the services, then the start-up procedure.
#include <cstdlib>

#include "platform/alsa/alsa_mixer.h"
#include "platform/posix/posix_process.h"
#include "platform/posix/posix_profile_file.h"
#include "platform/qt/qt_help_viewer.h"
#include "platform/qt/qt_message_box.h"
#include "platform/qt/qt_toolkit.h"
#include "platform/services.h"
#include "platform/sndfile/sndfile_sound.h"
#include "platform/systemd/systemd_scheduler.h"
#include "startup/start_up.h"

int main(int argc, char** argv) {
  using namespace sonaru::platform;
  const char* device = std::getenv("SONARU_MIXER_DEVICE");
  AlsaMixer mixer(device != nullptr && device[0] != '\0' ? device : "default");
  PosixProfileFile profile;
  QtMessageBox messageBox;
  PosixProcess process(argc, argv);
  SystemdScheduler scheduler;
  QtToolkit toolkit;
  SndfileSound sound;
  QtHelpViewer help(toolkit);
  services() = Services{&mixer, &profile, &messageBox, &process, &scheduler, &toolkit, &sound, &help};
  return sonaru::Main();
}

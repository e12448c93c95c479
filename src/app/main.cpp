// The executable: the Linux backends behind the services, then the start-up procedure.
#include <cstdlib>

#include "platform/alsa/alsa_mixer.h"
#include "platform/posix/posix_process.h"
#include "platform/posix/posix_profile_file.h"
#include "platform/posix/stderr_message_box.h"
#include "platform/services.h"
#include "startup/start_up.h"

int main(int argc, char** argv) {
  using namespace sonaru::platform;
  const char* device = std::getenv("SONARU_MIXER_DEVICE");
  AlsaMixer mixer(device != nullptr && device[0] != '\0' ? device : "default");
  PosixProfileFile profile;
  StderrMessageBox messageBox;
  PosixProcess process(argc, argv);
  services() = Services{&mixer, &profile, &messageBox, &process};
  return sonaru::Main();
}

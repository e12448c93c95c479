// Which backend serves which service on Linux.
#include "app/linux_services.h"

#include <cstdlib>
#include <string>

namespace sonaru {

namespace {

std::string MixerDevice() {
  const char* device = std::getenv("SONARU_MIXER_DEVICE");
  return device != nullptr && device[0] != '\0' ? device : "default";
}

}  // namespace

LinuxServices::LinuxServices(int argc, char** argv)
    : mixer_(MixerDevice()),
      process_(argc, argv),
      scope_({&mixer_, &profile_, &messageBox_, &process_, &scheduler_, &toolkit_, &sound_, &help_}) {}

}  // namespace sonaru

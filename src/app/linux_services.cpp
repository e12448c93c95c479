// Which backend serves which service on Linux.
#include "app/linux_services.h"

#include <cstdlib>

#ifndef SONARU_MODULE_FOLDER
#error \
    "SONARU_MODULE_FOLDER, the window module's folder relative to the program's, must be defined by the build"
#endif

namespace sonaru {

namespace {

std::string MixerDevice() {
  const char* device = std::getenv("SONARU_MIXER_DEVICE");
  return device != nullptr && device[0] != '\0' ? device : "default";
}

std::vector<std::string> ModuleFolders(std::vector<std::string> folders,
                                       const std::string& programDirectory) {
  folders.push_back(programDirectory);
  folders.push_back(programDirectory + "/" + SONARU_MODULE_FOLDER);
  return folders;
}

}  // namespace

LinuxServices::LinuxServices(int argc, char** argv, std::vector<std::string> moduleFolders)
    : mixer_(MixerDevice()),
      process_(argc, argv),
      // The window's first picture waits for the mixer, which a sound server can make as slow as loading
      // the window's libraries: the device opens on a second core meanwhile.
      window_(ModuleFolders(std::move(moduleFolders), process_.ProgramDirectory()),
              [this] { mixer_.OpenAhead(); }),
      scope_({.mixer = &mixer_,
              .profile = &profile_,
              .messageBox = &window_.MessageBox(),
              .process = &process_,
              .scheduler = &scheduler_,
              .toolkit = &window_.Toolkit()}) {}

}  // namespace sonaru

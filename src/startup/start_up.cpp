// Mode precedence: window (empty command line), then task, then restore, then save.
#include "startup/start_up.h"

#include <iostream>
#include <string>

#include "mixer/shared_mixer.h"
#include "platform/process.h"
#include "platform/services.h"
#include "startup/arguments.h"
#include "startup/exit_status.h"
#include "startup/mixer_modes.h"
#include "startup/usage.h"

namespace sonaru {

namespace {

int ModeNotAvailable(const char* mode) {
  std::cerr << "sonaru : le mode " << mode << " n'est pas encore disponible.\n";
  return ExitModeNotAvailable;
}

int RunMixerMode() {
  SharedMixer();
  const int status = GetArgument("/R").empty() ? RunSaveMode() : RunRestoreMode();
  gMixer.reset();
  return status;
}

}  // namespace

int Main() {
  const std::string argumentText = platform::process().ArgumentText();
  if (argumentText.empty()) {
    return ModeNotAvailable("fenêtre");
  }
  if (const std::optional<std::string> text = InformationText(argumentText)) {
    std::cout << *text;
    return ExitDone;
  }
  if (!GetArgument("/T").empty()) {
    return ModeNotAvailable("restauration différée (/T)");
  }
  return RunMixerMode();
}

}  // namespace sonaru

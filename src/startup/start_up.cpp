// Mode precedence: window (empty command line), then task, then restore, then save.
#include "startup/start_up.h"

#include <iostream>
#include <string>

#include "mixer/shared_mixer.h"
#include "platform/process.h"
#include "platform/services.h"
#include "platform/toolkit.h"
#include "startup/arguments.h"
#include "startup/exit_status.h"
#include "startup/mixer_modes.h"
#include "startup/restore_task.h"
#include "startup/usage.h"
#include "window/frmVolume.h"

namespace sonaru {

namespace {

// The window keeps the process alive: Main returns once it has closed.
int RunWindowMode() {
  if (!platform::toolkit().DisplayAvailable()) {
    std::cerr << "Aucun affichage disponible : la fenêtre ne peut pas s'ouvrir.\n";
    return ExitNoDisplay;
  }
  frmVolume window;
  window.Show();
  platform::toolkit().Run();
  return ExitDone;
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
    return RunWindowMode();
  }
  if (const std::optional<std::string> text = InformationText(argumentText)) {
    std::cout << *text;
    return ExitDone;
  }
  if (!GetArgument("/T").empty()) {
    return CreateRestoreTask();
  }
  return RunMixerMode();
}

}  // namespace sonaru

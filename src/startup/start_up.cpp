// Mode precedence: window (empty command line), then task, then restore, then save.
#include "startup/start_up.h"

#include <iostream>
#include <string>

#include "mixer/shared_mixer.h"
#include "platform/message_box.h"
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
    platform::messageBox().MsgBox("Aucun affichage disponible : la fenêtre ne peut pas s'ouvrir.");
    return ExitNoDisplay;
  }
  frmVolume window;
  window.Show();
  platform::toolkit().Run();
  return ExitDone;
}

int RunMixerMode() {
  const int status = GetArgument("/R").empty() ? RunSaveMode() : RunRestoreMode();
  gMixer.reset();
  return status;
}

}  // namespace

int Main() {
  // Any argument, even an empty one, asks for a run without a window.
  if (platform::process().ArgumentCount() == 0) {
    return RunWindowMode();
  }
  const std::string argumentText = platform::process().ArgumentText();
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

// Exit statuses of the windowless runs, for scripts and the scheduler.
#pragma once

namespace sonaru {

enum ExitStatus : int {
  ExitDone = 0,
  ExitNoMixer = 1,
  ExitInvalidDelay = 2,
  ExitSettingsNotWritten = 3,
  ExitTaskNotCreated = 4,
  ExitSettingsNotRestored = 5,
  ExitNoDisplay = 6,
};

}  // namespace sonaru

// Task mode: the delayed restore, registered with the system's task scheduler.
#pragma once

namespace sonaru {

/// Registers the one-time hidden task "RestaureVolume" that runs this program with "/Rest" once the "/T"
/// delay has passed. Answers ExitDone; on a bad delay ExitInvalidDelay with nothing registered, on a
/// scheduler failure ExitTaskNotCreated; either failure is shown to the user.
int CreateRestoreTask();

}  // namespace sonaru

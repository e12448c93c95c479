// The windowless modes that work on the mixer: save with level options, and restore.
#pragma once

namespace sonaru {

/// Saves the mixer's state to the settings file, then applies the level options. An exit status.
int RunSaveMode();

/// Puts the saved levels and mute states back on the mixer. An exit status.
int RunRestoreMode();

}  // namespace sonaru

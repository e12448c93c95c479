// Saving the mixer's six levels and six mute states to the settings file.
#pragma once

namespace sonaru {

class clsVolume;

/// Writes the twelve values, level then mute channel by channel, each read just before its own write.
/// Stops at the first write that fails and answers false; the file then holds what it had before that write.
bool WriteMixerState(clsVolume& mixer);

}  // namespace sonaru

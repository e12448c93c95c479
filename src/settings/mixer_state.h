// The mixer's six levels and six mute states, saved to the settings file and put back from it.
#pragma once

namespace sonaru {

class clsVolume;

/// Reads the twelve values, level then mute channel by channel, and stores them in one replace of the file.
/// False when the file could not be written: it then holds what it held before.
bool WriteMixerState(clsVolume& mixer);

/// What a restore does with a level whose key is missing, does not start with a number or stores 0: the
/// command line leaves the level as it is, the window's button sets it (to 0 within the channel's range).
enum class MissingLevel { LeftAsItIs, Set };

enum class RestoreOutcome { Restored, Unreadable, NothingSaved };

/// Puts the saved levels, then the saved mute states, on `mixer`; a missing mute state unmutes. Nothing
/// changes on the mixer when the file cannot be read or holds none of the twelve keys.
RestoreOutcome RestoreMixerState(clsVolume& mixer, MissingLevel missing);

}  // namespace sonaru

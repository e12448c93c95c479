// The process-wide mixer access object shared by the windowless modes and the window's buttons.
#pragma once

#include <memory>

#include "mixer/clsVolume.h"

namespace sonaru {

/// Released (closing its mixer) by resetting it, at the latest by the owner of the services before the
/// mixer service goes.
extern std::unique_ptr<clsVolume> gMixer;

/// gMixer, created on first use.
clsVolume& SharedMixer();

/// gMixer when it reaches a mixer. Otherwise nothing, once the user has been told "No mixer found!" for
/// this call: by gMixer's creation, or here when it was created earlier.
clsVolume* SharedMixerWithMixer();

}  // namespace sonaru

// The process-wide mixer access object shared by the windowless modes and the window's buttons.
#pragma once

#include <memory>

#include "mixer/clsVolume.h"

namespace sonaru {

/// Released (closing its mixer) by resetting it.
extern std::unique_ptr<clsVolume> gMixer;

/// gMixer, created on first use.
clsVolume& SharedMixer();

}  // namespace sonaru

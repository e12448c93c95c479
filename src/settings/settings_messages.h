// What the user is told when the settings file lets a save or a restore down.
#pragma once

#include <string>

#include "settings/mixer_state.h"

namespace sonaru {

/// The file could not be written.
std::string SaveFailedMessage();

/// Why a restore did not take place; empty for one that did.
std::string RestoreFailedMessage(RestoreOutcome outcome);

}  // namespace sonaru

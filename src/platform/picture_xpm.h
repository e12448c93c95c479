// The program's pictures as the XPM arrays of resources/, which each toolkit decodes its own way.
#pragma once

#include "platform/toolkit_design.h"

namespace sonaru::platform {

/// The 32x32 channel icon; null for Picture::None.
const char* const* PictureXpm(Picture picture);

/// The monochrome pointing hand, its hot spot (in the XPM's header) at the fingertip.
const char* const* HandCursorXpm();

}  // namespace sonaru::platform

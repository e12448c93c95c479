// The program's own pictures as Qt pixmaps and cursors.
#pragma once

#include <QCursor>
#include <QPixmap>

#include "platform/toolkit_design.h"

namespace sonaru::platform {

/// A 32x32 channel icon; a null pixmap for Picture::None.
QPixmap PicturePixmap(Picture picture);

/// The monochrome pointing hand, its hot spot at the fingertip.
QCursor HandCursor();

}  // namespace sonaru::platform

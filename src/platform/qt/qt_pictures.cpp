// The pictures are compiled in from the XPM sources in resources/.
#include "platform/qt/qt_pictures.h"

#include "platform/picture_xpm.h"

namespace sonaru::platform {

QPixmap PicturePixmap(Picture picture) {
  const char* const* xpm = PictureXpm(picture);
  return xpm != nullptr ? QPixmap(xpm) : QPixmap();
}

QCursor HandCursor() { return QCursor(QPixmap(HandCursorXpm()), 5, 0); }

}  // namespace sonaru::platform

// The pictures are compiled in from the XPM sources in resources/.
#include "platform/qt/qt_pictures.h"

#include "compact_disc.xpm"
#include "hand_cursor.xpm"
#include "loudspeaker.xpm"
#include "microphone.xpm"
#include "musical_notes.xpm"
#include "sheet_music.xpm"
#include "wave_curves.xpm"

namespace sonaru::platform {

QPixmap PicturePixmap(Picture picture) {
  switch (picture) {
    case Picture::Loudspeaker:
      return QPixmap(loudspeaker_xpm);
    case Picture::Microphone:
      return QPixmap(microphone_xpm);
    case Picture::MusicalNotes:
      return QPixmap(musical_notes_xpm);
    case Picture::WaveCurves:
      return QPixmap(wave_curves_xpm);
    case Picture::CompactDisc:
      return QPixmap(compact_disc_xpm);
    case Picture::SheetMusic:
      return QPixmap(sheet_music_xpm);
    case Picture::None:
      break;
  }
  return {};
}

QCursor HandCursor() { return QCursor(QPixmap(hand_cursor_xpm), 5, 0); }

}  // namespace sonaru::platform

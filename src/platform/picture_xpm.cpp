#include "platform/picture_xpm.h"

#include "compact_disc.xpm"
#include "hand_cursor.xpm"
#include "loudspeaker.xpm"
#include "microphone.xpm"
#include "musical_notes.xpm"
#include "sheet_music.xpm"
#include "wave_curves.xpm"

namespace sonaru::platform {

const char* const* PictureXpm(Picture picture) {
  switch (picture) {
    case Picture::Loudspeaker:
      return loudspeaker_xpm;
    case Picture::Microphone:
      return microphone_xpm;
    case Picture::MusicalNotes:
      return musical_notes_xpm;
    case Picture::WaveCurves:
      return wave_curves_xpm;
    case Picture::CompactDisc:
      return compact_disc_xpm;
    case Picture::SheetMusic:
      return sheet_music_xpm;
    case Picture::None:
      break;
  }
  return nullptr;
}

const char* const* HandCursorXpm() { return hand_cursor_xpm; }

}  // namespace sonaru::platform

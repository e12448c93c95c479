// The sliders: raised thumbs dragged with the left button, the level following at every move.
#include <algorithm>

#include "platform/services.h"
#include "platform/sound.h"
#include "settings/number_text.h"
#include "window/frmVolume.h"

namespace sonaru {

// Hidden thumbs too, so that a thumb shown later already has its edge.
void frmVolume::Form_Paint() {
  for (platform::Control thumb : picWave) {
    platform::toolkit().DrawEdge(thumb, m_ThumbRect);
  }
}

void frmVolume::picWave_MouseDown(int index, int button, float y) {
  if (button == platform::vbLeftButton) {
    if (m_MixerLost) {
      RefreshFromMixer();
    }
    m_DragStartY = RoundToInt32(y);
    m_DraggedIndex = index;
  }
}

void frmVolume::picWave_MouseMove(int index, int button, float y) {
  if (button == platform::vbLeftButton) {
    DragThumb(picWave[index], y, index);
  }
}

// Any button, moved or not: the VOL and WAVE thumbs let the new level be heard.
void frmVolume::picWave_MouseUp(int index) {
  m_DraggedIndex = -1;
  if (const Channel channel = AllChannels[index]; channel == Channel::Wave || channel == Channel::WaveIn) {
    PlayDing();
  }
}

// The thumb keeps the grip point where the button went down; its centre stays on the track.
void frmVolume::DragThumb(platform::Control thumb, float y, int index) {
  platform::Toolkit& toolkit = platform::toolkit();
  std::int32_t newTop = RoundToInt32(toolkit.Place(thumb).top + y - m_DragStartY);
  newTop = std::max(newTop, m_TrackTop - m_HalfThumb);
  newTop = std::min(newTop, m_TrackBottom - m_HalfThumb);
  toolkit.SetTop(thumb, newTop);
  ApplySliderLevel(newTop, index);
}

// The bottom of the track is the channel's minimum; the mixer object clamps to the bounds.
void frmVolume::ApplySliderLevel(std::int32_t newTop, int index) {
  const Channel channel = AllChannels[index];
  const std::int32_t distance = m_TrackTop + m_TrackHeight - newTop - m_HalfThumb;
  m_Mixer->SetLevel(channel,
                    RoundToInt32(m_Mixer->Minimum(channel) + distance * static_cast<double>(m_Ratio[index])));
}

void frmVolume::PlayDing() {
  platform::sound().sndPlaySoundA(m_AppPath + "ding.wav", platform::SND_ASYNC | platform::SND_NOSTOP);
}

}  // namespace sonaru

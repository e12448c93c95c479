// The sliders: raised thumbs dragged with the left button, the level following at every move.
#include <algorithm>
#include <string>

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
  MoveThumb(index, RoundToInt32(platform::toolkit().Place(thumb).top + y - m_DragStartY));
}

// The drag's and the wheel's way to a level: the thumb's centre kept on the track, the level written.
void frmVolume::MoveThumb(int index, std::int32_t newTop) {
  newTop = std::max(newTop, m_TrackTop - m_HalfThumb);
  newTop = std::min(newTop, m_TrackBottom - m_HalfThumb);
  PlaceThumb(index, newTop);
  ApplySliderLevel(newTop, index);
}

// A screen reader says the column's word and how high the thumb stands on the scale: "VOL, 61 %".
void frmVolume::PlaceThumb(int index, std::int32_t top) {
  platform::Toolkit& toolkit = platform::toolkit();
  toolkit.SetTop(picWave[index], top);
  const double height = m_TrackBottom - m_HalfThumb - top;
  const std::int32_t percent = m_TrackHeight == 0 ? 0 : RoundToInt32(100 * height / m_TrackHeight);
  toolkit.SetAccessibleName(picWave[index],
                            std::string(design::Columns[index].word) + ", " + std::to_string(percent) + " %");
}

// One scale step (a tenth of the track) a notch, over a slider column that the mixer has: the same way as
// a drag, without the release's sound.
void frmVolume::Form_MouseWheel(int steps, float x, float y) {
  for (int i = 0; i < ChannelCount; ++i) {
    const double left = design::Columns[i].thumbLeft;
    const bool over = x >= left && x < left + design::ThumbWidth && y >= m_TrackTop - m_HalfThumb &&
                      y < m_TrackBottom + m_HalfThumb;
    if (over && m_Mixer->ChannelPresent(ChannelBit(AllChannels[i]))) {
      MoveThumb(i, RoundToInt32(platform::toolkit().Place(picWave[i]).top) -
                       steps * (m_TrackHeight / design::ScaleSteps));
    }
  }
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

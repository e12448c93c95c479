// The main window's controls, its view of the mixer, the mute boxes, the help key and closing.
#include "window/frmVolume.h"

#include <algorithm>

#include "platform/help_viewer.h"
#include "platform/mixer.h"
#include "platform/process.h"
#include "platform/services.h"
#include "settings/number_text.h"

namespace sonaru {

using platform::Control;
using platform::ControlKind;

namespace {

int IndexIn(const std::array<Control, ChannelCount>& group, Control control) {
  const auto found = std::find(group.begin(), group.end(), control);
  return found == group.end() ? -1 : static_cast<int>(found - group.begin());
}

}  // namespace

frmVolume::frmVolume() {
  platform::toolkit().CreateForm(
      {design::Title, design::ClientWidth, design::ClientHeight, platform::Picture::Loudspeaker}, *this);
  CreateControls();
}

frmVolume::~frmVolume() { platform::toolkit().ReleaseForm(*this); }

// Later siblings stand in front: each thumb is created after its track.
void frmVolume::CreateControls() {
  platform::Toolkit& toolkit = platform::toolkit();
  for (int i = 0; i < ChannelCount; ++i) {
    const design::ChannelColumn& column = design::Columns[i];
    picIcon[i] =
        toolkit.AddControl({.kind = ControlKind::PictureBox,
                            .place = {column.iconLeft, design::IconTop, design::IconSize, design::IconSize},
                            .picture = column.icon});
    Label1[i] = toolkit.AddControl(
        {.kind = ControlKind::Label,
         .place = {column.trackLeft, design::TrackTop, design::TrackWidth, design::TrackHeight},
         .bordered = true});
    picWave[i] = toolkit.AddControl(
        {.kind = ControlKind::PictureBox,
         .place = {column.thumbLeft, design::ThumbTop, design::ThumbWidth, design::ThumbHeight},
         .backColor = column.thumbColor,
         .handCursor = true});
    chkMute[i] =
        toolkit.AddControl({.kind = ControlKind::CheckBox,
                            .place = {column.muteLeft, design::MuteTop, column.muteWidth, design::MuteHeight},
                            .caption = column.muteCaption});
    // "Mute" alone would not tell a screen reader's user which channel the box mutes.
    toolkit.SetAccessibleName(
        chkMute[i], i == 0 ? column.muteCaption : std::string(column.muteCaption) + " " + column.word);
  }
  for (int c = 0; c < design::ScaleColumnCount; ++c) {
    ScaleLabels[c].push_back(toolkit.AddControl(
        {.kind = ControlKind::Label,
         .place = {design::ScaleLefts[c], design::ScaleTop, design::ScaleWidth, design::ScaleHeight},
         .caption = "100",
         .centred = true}));
  }
  const auto button = [&](double top, const char* caption) {
    return toolkit.AddControl({.kind = ControlKind::CommandButton,
                               .place = {design::ButtonLeft, top, design::ButtonWidth, design::ButtonHeight},
                               .caption = caption});
  };
  cmdSauv = button(design::SaveTop, "&Sauvegarder");
  cmdRest = button(design::RestoreTop, "&Restaurer");
  cmdQuit = button(design::QuitTop, "&Quitter");
}

void frmVolume::Show() { platform::toolkit().Show(); }

void frmVolume::Form_Load() {
  RefreshFromMixer();
  platform::Toolkit& toolkit = platform::toolkit();
  const std::int32_t base = RoundToInt32(toolkit.Place(ScaleLabels[0][0]).top);
  // Whole twips between two labels: the division truncates, as every division of the layout does.
  const std::int32_t step = m_TrackHeight / design::ScaleSteps;
  for (int n = 1; n <= design::ScaleSteps; ++n) {
    for (std::vector<Control>& column : ScaleLabels) {
      column.push_back(toolkit.LoadCopy(column[0]));
    }
    for (std::vector<Control>& column : ScaleLabels) {
      toolkit.SetTop(column[n], base + n * step);
      toolkit.SetCaption(column[n], std::to_string(100 - 10 * n));
      toolkit.SetVisible(column[n], true);
    }
  }
}

void frmVolume::RefreshFromMixer() {
  platform::Toolkit& toolkit = platform::toolkit();
  // The folder of the sound and the help: an installed program keeps them apart from its executable.
  m_AppPath = platform::process().ResourceDirectory();
  if (m_AppPath.empty() || m_AppPath.back() != '/') {
    m_AppPath += '/';
  }
  m_TwipsPerPixelX = RoundToInt32(toolkit.TwipsPerPixelX());
  m_TwipsPerPixelY = RoundToInt32(toolkit.TwipsPerPixelY());
  const platform::TwipsRect thumb = toolkit.Place(picWave[0]);
  const platform::TwipsRect track = toolkit.Place(Label1[0]);
  m_HalfThumb = RoundToInt32(thumb.height) / 2;
  m_TrackTop = RoundToInt32(track.top);
  m_TrackBottom = RoundToInt32(track.top + track.height);
  m_TrackHeight = RoundToInt32(track.height);
  m_ThumbRect = {0, 0, RoundToInt32(thumb.width) / m_TwipsPerPixelX,
                 RoundToInt32(thumb.height) / m_TwipsPerPixelY};

  toolkit.WatchDescriptors({}, nullptr);
  m_Mixer = std::make_unique<clsVolume>();  // the previous object closes only once the new one is open
  for (Channel channel : AllChannels) {
    const int i = Index(channel);
    const bool present = m_Mixer->ChannelPresent(ChannelBit(channel));
    toolkit.SetEnabled(chkMute[i], m_Mixer->MutePresent(ChannelBit(channel)));
    toolkit.SetVisible(Label1[i], present);
    toolkit.SetVisible(picWave[i], present);
    toolkit.SetEnabled(picIcon[i], present);
  }
  for (Channel channel : AllChannels) {
    const double range = static_cast<double>(m_Mixer->Maximum(channel)) - m_Mixer->Minimum(channel);
    m_Ratio[Index(channel)] = static_cast<float>(range / m_TrackHeight);
  }
  m_MixerLost = false;
  ShowMixerState();
  WatchMixer();
}

// A box whose state changes runs chkMute_Click, which writes the state just read back, unless the boxes
// are following a change made elsewhere.
void frmVolume::ShowMixerState() {
  platform::Toolkit& toolkit = platform::toolkit();
  std::array<std::int32_t, ChannelCount> levels{};
  for (Channel channel : AllChannels) {
    levels[Index(channel)] = m_Mixer->Level(channel);
  }
  for (Channel channel : AllChannels) {
    toolkit.SetValue(chkMute[Index(channel)], m_Mixer->Mute(channel) != 0 ? 1 : 0);
  }
  for (int i = 0; i < ChannelCount; ++i) {
    if (i != m_DraggedIndex) {
      PlaceThumb(i, ThumbTopFor(i, levels[i]));
    }
  }
}

// The window shows what the mixer holds even when the keyboard's volume keys, another mixer or another run
// of this program changed it: a drag then starts from the level the user hears.
void frmVolume::WatchMixer() {
  platform::toolkit().WatchDescriptors(m_Mixer->ChangeDescriptors(), [this] { MixerChanged(); });
}

void frmVolume::MixerChanged() {
  switch (m_Mixer->TakeChanges()) {
    case platform::MixerChange::Values:
      m_Following = true;
      ShowMixerState();
      m_Following = false;
      break;
    case platform::MixerChange::DeviceLost:
      platform::toolkit().WatchDescriptors({}, nullptr);
      m_MixerLost = true;
      LookForMixer();
      break;
    case platform::MixerChange::None:
      break;
  }
}

// The exact inverse of ApplySliderLevel, so that a thumb left where it was placed writes its own level back.
// The level is measured from the channel's minimum: the bottom of the track is the minimum, its top the
// maximum, whatever the range.
std::int32_t frmVolume::ThumbTopFor(int index, std::int32_t level) const {
  const double lowest = m_TrackBottom - m_HalfThumb;
  if (m_Ratio[index] == 0) {
    return RoundToInt32(lowest);
  }
  const double aboveMinimum = static_cast<double>(level) - m_Mixer->Minimum(AllChannels[index]);
  return RoundToInt32(lowest - RoundToInt32(aboveMinimum / static_cast<double>(m_Ratio[index])));
}

// A sound server that restarts takes its device away for a moment: the window looks for it again now and
// then, without a word while it is away, and catches up as soon as it is back.
void frmVolume::LookForMixer() {
  platform::toolkit().After(design::MixerRetryMilliseconds, [this] {
    if (!m_MixerLost) {
      return;
    }
    platform::HMIXER probe = 0;
    if (platform::mixer().mixerOpen(&probe, 0) != platform::MMSYSERR_NOERROR) {
      LookForMixer();
      return;
    }
    platform::mixer().mixerClose(probe);
    RefreshFromMixer();
  });
}

void frmVolume::Control_Click(Control control) {
  if (control == cmdSauv) {
    cmdSauv_Click();
  } else if (control == cmdRest) {
    cmdRest_Click();
  } else if (control == cmdQuit) {
    cmdQuit_Click();
  } else if (const int index = IndexIn(chkMute, control); index >= 0) {
    chkMute_Click(index);
  }
}

void frmVolume::Control_MouseDown(Control control, int button, int, float, float y) {
  if (const int index = IndexIn(picWave, control); index >= 0) {
    picWave_MouseDown(index, button, y);
  }
}

void frmVolume::Control_MouseMove(Control control, int button, int, float, float y) {
  if (const int index = IndexIn(picWave, control); index >= 0) {
    picWave_MouseMove(index, button, y);
  }
}

void frmVolume::Control_MouseUp(Control control, int, int, float, float) {
  if (const int index = IndexIn(picWave, control); index >= 0) {
    picWave_MouseUp(index);
  }
}

// "Mute all" is the master channel's own box: the other boxes and their channels stay as they are.
void frmVolume::chkMute_Click(int index) {
  if (m_Following) {
    return;
  }
  m_Mixer->SetMute(AllChannels[index], platform::toolkit().Value(chkMute[index]));
}

// Shift, Ctrl and Alt make no difference.
void frmVolume::Form_KeyDown(int keyCode, int) {
  if (keyCode == platform::vbKeyF1) {
    platform::help().HtmlHelpA(platform::process().ResourceDirectory() + "/Sonaru.CHM",
                               platform::HH_DISPLAY_TOPIC);
  }
}

void frmVolume::cmdQuit_Click() { platform::toolkit().Unload(); }

// Nothing is saved on the way out: the mixer keeps what it has.
void frmVolume::Form_Unload() {
  platform::toolkit().WatchDescriptors({}, nullptr);
  m_Mixer.reset();
}

}  // namespace sonaru

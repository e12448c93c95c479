// Opening the mixer, finding the six channels, and one mixer call per read or write.
#include "mixer/clsVolume.h"

#include <algorithm>

#include "platform/message_box.h"
#include "platform/services.h"

namespace sonaru {

using namespace platform;

namespace {

constexpr std::array<std::uint32_t, ChannelCount> ComponentTypes = {
    MIXERLINE_COMPONENTTYPE_DST_SPEAKERS,    MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE,
    MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT,     MIXERLINE_COMPONENTTYPE_SRC_LINE,
    MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC, MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER};

}  // namespace

clsVolume::clsVolume() {
  LastResult = platform::mixer().mixerOpen(&hMixer, 0);
  if (LastResult != MMSYSERR_NOERROR) {
    hMixer = 0;
    messageBox().MsgBox(NoMixerMessage);
    return;
  }
  for (Channel channel : AllChannels) {
    FindChannel(channel, ComponentTypes[Index(channel)]);
    // Line-in falls back to the auxiliary source only when it offers no volume control.
    if (channel == Channel::LineIn && !ChannelPresent(ChannelBit(channel))) {
      FindChannel(channel, MIXERLINE_COMPONENTTYPE_SRC_AUXILIARY);
    }
  }
  // A device without any of the six channels (a sound server whose session manager is not ready yet) is
  // no mixer: its zeros must never be saved over the user's state.
  if (VolumeMask == 0) {
    platform::mixer().mixerClose(hMixer);
    hMixer = 0;
    messageBox().MsgBox(NoMixerMessage);
  }
}

clsVolume::~clsVolume() { platform::mixer().mixerClose(hMixer); }

void clsVolume::FindChannel(Channel channel, std::uint32_t componentType) {
  const int i = Index(channel);
  if (!GetLineControl(componentType, VolumeControl[i], LineControl::Volume)) {
    return;
  }
  VolumeMask |= ChannelBit(channel);
  Bounds[i] = {VolumeControl[i].lMinimum, VolumeControl[i].lMaximum};
  if (GetLineControl(componentType, MuteControl[i], LineControl::Mute)) {
    MuteMask |= ChannelBit(channel);
  }
}

// The mute lookup selects the line by the id that the volume lookup just left in LineInfo, so a mute
// control is only ever taken from the line whose volume control was found.
bool clsVolume::GetLineControl(std::uint32_t componentType, MIXERCONTROL& control, LineControl kind) {
  const bool volume = kind == LineControl::Volume;
  LineInfo.dwComponentType = componentType;
  LastResult = platform::mixer().mixerGetLineInfoA(
      hMixer, LineInfo, volume ? MIXER_GETLINEINFOF_COMPONENTTYPE : MIXER_GETLINEINFOF_LINEID);
  if (LastResult != MMSYSERR_NOERROR) {
    return false;
  }
  MIXERCONTROL found{};
  LastResult = platform::mixer().mixerGetLineControlsA(
      hMixer, LineInfo.dwLineID, volume ? MIXERCONTROL_CONTROLTYPE_VOLUME : MIXERCONTROL_CONTROLTYPE_MUTE,
      found);
  if (LastResult != MMSYSERR_NOERROR) {
    return false;
  }
  control = found;
  return true;
}

std::int32_t clsVolume::GetControlValue(const MIXERCONTROL& control) {
  std::int32_t value = 0;
  LastResult = platform::mixer().mixerGetControlDetailsA(hMixer, control.dwControlID, value);
  return LastResult == MMSYSERR_NOERROR ? value : 0;
}

bool clsVolume::SetControlValue(const MIXERCONTROL& control, std::int32_t value) {
  LastResult = platform::mixer().mixerSetControlDetails(hMixer, control.dwControlID, value);
  return LastResult == MMSYSERR_NOERROR;
}

std::vector<int> clsVolume::ChangeDescriptors() { return platform::mixer().mixerChangeDescriptors(hMixer); }

MixerChange clsVolume::TakeChanges() { return platform::mixer().mixerTakeChanges(hMixer); }

std::int32_t clsVolume::Level(Channel channel) { return GetControlValue(VolumeControl[Index(channel)]); }

std::int32_t clsVolume::Mute(Channel channel) { return GetControlValue(MuteControl[Index(channel)]); }

void clsVolume::SetLevel(Channel channel, std::int32_t level) {
  // Raised to the minimum first, then lowered to the maximum: with inverted bounds the maximum wins.
  level = std::max(level, Minimum(channel));
  level = std::min(level, Maximum(channel));
  SetControlValue(VolumeControl[Index(channel)], level);
}

void clsVolume::SetMute(Channel channel, std::int32_t state) {
  SetControlValue(MuteControl[Index(channel)], state);
}

}  // namespace sonaru

// Access to the first mixer's six channels: bounds, levels, mute states and which of them exist.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "mixer/channel.h"
#include "platform/mixer.h"

namespace sonaru {

inline constexpr const char* NoMixerMessage = "No mixer found!";

/// Opens the first mixer when created and closes it when destroyed. Bounds and presence are found once,
/// at creation; every level or mute read and write is one mixer call. Failed calls report nothing:
/// a failed read gives 0 and a failed write is dropped.
class clsVolume {
 public:
  clsVolume();
  ~clsVolume();
  clsVolume(const clsVolume&) = delete;
  clsVolume& operator=(const clsVolume&) = delete;

  std::int32_t MinWaveVolume() const { return Minimum(Channel::Wave); }
  std::int32_t MaxWaveVolume() const { return Maximum(Channel::Wave); }
  std::int32_t MinMicVolume() const { return Minimum(Channel::Micro); }
  std::int32_t MaxMicVolume() const { return Maximum(Channel::Micro); }
  std::int32_t MinWavInVolume() const { return Minimum(Channel::WaveIn); }
  std::int32_t MaxWavInVolume() const { return Maximum(Channel::WaveIn); }
  std::int32_t MinLineInVolume() const { return Minimum(Channel::LineIn); }
  std::int32_t MaxLineInVolume() const { return Maximum(Channel::LineIn); }
  std::int32_t MinCDVolume() const { return Minimum(Channel::CD); }
  std::int32_t MaxCDVolume() const { return Maximum(Channel::CD); }
  std::int32_t MinMidVolume() const { return Minimum(Channel::MIDI); }
  std::int32_t MaxMidVolume() const { return Maximum(Channel::MIDI); }

  std::int32_t WaveVolume() { return Level(Channel::Wave); }
  std::int32_t MicroVolume() { return Level(Channel::Micro); }
  std::int32_t WaveInVolume() { return Level(Channel::WaveIn); }
  std::int32_t LineInVolume() { return Level(Channel::LineIn); }
  std::int32_t CD_Volume() { return Level(Channel::CD); }
  std::int32_t MIDIVolume() { return Level(Channel::MIDI); }

  std::int32_t WaveMute() { return Mute(Channel::Wave); }
  std::int32_t MicroMute() { return Mute(Channel::Micro); }
  std::int32_t WaveInMute() { return Mute(Channel::WaveIn); }
  std::int32_t LineInMute() { return Mute(Channel::LineIn); }
  std::int32_t CD_Mute() { return Mute(Channel::CD); }
  std::int32_t MIDIMute() { return Mute(Channel::MIDI); }

  void WaveVolume(std::int32_t level) { SetLevel(Channel::Wave, level); }
  void MicroVolume(std::int32_t level) { SetLevel(Channel::Micro, level); }
  void WaveInVolume(std::int32_t level) { SetLevel(Channel::WaveIn, level); }
  void LineInVolume(std::int32_t level) { SetLevel(Channel::LineIn, level); }
  void CD_Volume(std::int32_t level) { SetLevel(Channel::CD, level); }
  void MIDIVolume(std::int32_t level) { SetLevel(Channel::MIDI, level); }

  void WaveMute(std::int32_t state) { SetMute(Channel::Wave, state); }
  void MicroMute(std::int32_t state) { SetMute(Channel::Micro, state); }
  void WaveInMute(std::int32_t state) { SetMute(Channel::WaveIn, state); }
  void LineInMute(std::int32_t state) { SetMute(Channel::LineIn, state); }
  void CD_Mute(std::int32_t state) { SetMute(Channel::CD, state); }
  void MIDIMute(std::int32_t state) { SetMute(Channel::MIDI, state); }

  /// True when any channel of `mask` has a volume control.
  bool ChannelPresent(std::int32_t mask) const { return (mask & VolumeMask) != 0; }
  /// True when any channel of `mask` has a mute control.
  bool MutePresent(std::int32_t mask) const { return (mask & MuteMask) != 0; }

  /// The descriptors that become readable when something happens on the device; empty without a mixer.
  std::vector<int> ChangeDescriptors();
  /// What happened on the device since the last call.
  platform::MixerChange TakeChanges();

  /// False when the mixer could not be opened or offers none of the six channels; every channel is then
  /// absent.
  bool MixerOpened() const { return hMixer != 0; }

  // The same properties by channel, for callers that walk all six.
  std::int32_t Minimum(Channel channel) const { return Bounds[Index(channel)][0]; }
  std::int32_t Maximum(Channel channel) const { return Bounds[Index(channel)][1]; }
  std::int32_t Level(Channel channel);
  std::int32_t Mute(Channel channel);
  /// Keeps `level` within the channel's bounds before writing it.
  void SetLevel(Channel channel, std::int32_t level);
  /// Writes `state` unchanged: 0 sounds, anything else mutes.
  void SetMute(Channel channel, std::int32_t state);

 private:
  enum class LineControl { Volume = 1, Mute = 2 };

  void FindChannel(Channel channel, std::uint32_t componentType);
  bool GetLineControl(std::uint32_t componentType, platform::MIXERCONTROL& control, LineControl kind);
  std::int32_t GetControlValue(const platform::MIXERCONTROL& control);
  bool SetControlValue(const platform::MIXERCONTROL& control, std::int32_t value);

  platform::HMIXER hMixer = 0;
  std::array<platform::MIXERCONTROL, ChannelCount> VolumeControl{};
  std::array<platform::MIXERCONTROL, ChannelCount> MuteControl{};
  std::array<std::array<std::int32_t, 2>, ChannelCount> Bounds{};
  platform::MIXERLINE LineInfo{};
  platform::MMRESULT LastResult = 0;
  std::int32_t VolumeMask = 0;
  std::int32_t MuteMask = 0;
};

}  // namespace sonaru

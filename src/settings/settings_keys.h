// The keys of the saved mixer state, each named after the property whose value it holds.
#pragma once

#include <array>

#include "mixer/channel.h"

namespace sonaru {

struct ChannelKeys {
  const char* level;
  const char* mute;
};

/// Indexed by channel.
inline constexpr std::array<ChannelKeys, ChannelCount> SettingsKeys = {{
    {"WaveVolume", "WaveMute"},
    {"MicroVolume", "MicroMute"},
    {"WaveInVolume", "WaveInMute"},
    {"LineInVolume", "LineInMute"},
    {"CD_Volume", "CD_Mute"},
    {"MIDIVolume", "MIDIMute"},
}};

inline const ChannelKeys& KeysOf(Channel channel) { return SettingsKeys[Index(channel)]; }

}  // namespace sonaru

// The six mixer channels, in the order of the window's columns.
#pragma once

#include <array>
#include <cstdint>

namespace sonaru {

enum class Channel : int { Wave = 0, Micro = 1, WaveIn = 2, LineIn = 3, CD = 4, MIDI = 5 };

inline constexpr int ChannelCount = 6;

inline constexpr std::array<Channel, ChannelCount> AllChannels = {
    Channel::Wave, Channel::Micro, Channel::WaveIn, Channel::LineIn, Channel::CD, Channel::MIDI};

constexpr int Index(Channel channel) { return static_cast<int>(channel); }

/// The channel's bit in the presence masks.
constexpr std::int32_t ChannelBit(Channel channel) { return std::int32_t{1} << Index(channel); }

}  // namespace sonaru

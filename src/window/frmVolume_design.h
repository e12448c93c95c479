// The main window's design: where each control stands and what it shows, in twips.
#pragma once

#include <array>

#include "mixer/channel.h"
#include "platform/toolkit_design.h"

namespace sonaru::design {

inline constexpr double ClientWidth = 8730;
inline constexpr double ClientHeight = 4260;

// The six column words stand in the title bar, each over its own column.
inline constexpr const char* Title =
    " VOL                   MICRO             WAVE                LINE                   CD"
    "                 MIDI";

struct ChannelColumn {
  const char* word;  ///< the column's word in the title bar
  platform::Picture icon;
  double iconLeft, trackLeft, thumbLeft, muteLeft, muteWidth;
  platform::Color thumbColor;
  const char* muteCaption;
};

inline constexpr std::array<ChannelColumn, ChannelCount> Columns = {{
    {"VOL", platform::Picture::Loudspeaker, 285, 540, 300, 90, 1050, {255, 128, 0}, "Mute all"},
    {"MICRO", platform::Picture::Microphone, 1530, 1755, 1515, 1395, 825, {128, 255, 128}, "Mute"},
    {"WAVE", platform::Picture::MusicalNotes, 2700, 2925, 2685, 2565, 825, {128, 128, 255}, "Mute"},
    {"LINE", platform::Picture::WaveCurves, 3825, 4050, 3810, 3690, 825, {255, 128, 255}, "Mute"},
    {"CD", platform::Picture::CompactDisc, 4950, 5175, 4935, 4815, 825, {255, 255, 128}, "Mute"},
    {"MIDI", platform::Picture::SheetMusic, 6090, 6300, 6060, 5940, 825, {128, 255, 255}, "Mute"},
}};

inline constexpr double IconTop = 225, IconSize = 480;
inline constexpr double TrackTop = 900, TrackWidth = 60, TrackHeight = 2715;
inline constexpr double ThumbTop = 1980, ThumbWidth = 525, ThumbHeight = 285;
inline constexpr double MuteTop = 3825, MuteHeight = 195;

/// The scale columns Label2 to Label6, each between two channel columns.
inline constexpr int ScaleColumnCount = 5;
inline constexpr std::array<double, ScaleColumnCount> ScaleLefts = {990, 2205, 3330, 4455, 5535};
inline constexpr double ScaleTop = 810, ScaleWidth = 330, ScaleHeight = 195;
/// Elements 1 to 10 of each scale column read 90 down to 0.
inline constexpr int ScaleSteps = 10;

/// How often a window whose device went away looks for it again.
inline constexpr int MixerRetryMilliseconds = 2000;

inline constexpr double ButtonLeft = 7080, ButtonWidth = 1455, ButtonHeight = 615;
inline constexpr double SaveTop = 960, RestoreTop = 1680, QuitTop = 2400;

}  // namespace sonaru::design

// What the window toolkit draws: controls and the form described in twips, mouse and key codes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace sonaru::platform {

/// A control of the form, numbered by the toolkit from 1 in the order of creation; never 0.
using Control = int;

enum class ControlKind { Label, CheckBox, CommandButton, PictureBox };

/// The pictures this program draws for itself.
enum class Picture { None, Loudspeaker, Microphone, MusicalNotes, WaveCurves, CompactDisc, SheetMusic };

struct Color {
  std::uint8_t red = 0, green = 0, blue = 0;
};

/// Twips from the top-left corner of the form's client area.
struct TwipsRect {
  double left = 0, top = 0, width = 0, height = 0;
};

/// Pixels inside one control; right and bottom are outside the rectangle.
struct PixelRect {
  int left = 0, top = 0, right = 0, bottom = 0;
};

struct ControlDesign {
  ControlKind kind = ControlKind::Label;
  TwipsRect place{};
  std::string caption{};             ///< "&" marks the access key of a button
  bool bordered = false;             ///< a single-line border around a label
  bool centred = false;              ///< a label's caption centred
  Picture picture = Picture::None;   ///< drawn by a picture box, disabled or not
  std::optional<Color> backColor{};  ///< a picture box's face
  bool handCursor = false;           ///< the pointing-hand mouse pointer over the control
};

struct FormDesign {
  std::string caption;
  double clientWidth = 0, clientHeight = 0;
  Picture icon = Picture::None;
};

/// Mouse button bits; key codes are the virtual-key codes.
inline constexpr int vbLeftButton = 1;
inline constexpr int vbRightButton = 2;
inline constexpr int vbMiddleButton = 4;
inline constexpr int vbKeyF1 = 112;
/// Bits of the Shift argument of key and mouse events.
inline constexpr int vbShiftMask = 1;
inline constexpr int vbCtrlMask = 2;
inline constexpr int vbAltMask = 4;

}  // namespace sonaru::platform

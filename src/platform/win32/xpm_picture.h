// The program's XPM pictures as 32-bit pixels, for icons and cursors made at run time.
#pragma once

#include <cstdint>
#include <vector>

namespace sonaru::platform {

/// Rows from the top, each pixel 0xAARRGGBB: "None" is transparent (0), "#RRGGBB" opaque.
struct XpmPicture {
  int width = 0, height = 0;
  int hotSpotX = 0, hotSpotY = 0;  ///< the header's optional hot spot, else 0, 0
  std::vector<std::uint32_t> pixels;
};

/// Reads the pictures this program draws: one character a pixel, colours "None" or "#RRGGBB". An empty
/// picture when `xpm` is not of that kind.
XpmPicture DecodeXpm(const char* const* xpm);

}  // namespace sonaru::platform

// XPM as resources/draw_pictures.py writes it: a header, one colour a line, then the rows.
#include "platform/win32/xpm_picture.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <optional>

namespace sonaru::platform {

namespace {

// "k c #000000" or ". c None".
std::optional<std::uint32_t> ColourOf(const char* line) {
  if (std::strcmp(line + 1, " c None") == 0) {
    return 0;
  }
  unsigned int rgb = 0;
  int length = 0;
  if (std::sscanf(line + 1, " c #%6x%n", &rgb, &length) != 1 || line[1 + length] != '\0' || length != 10) {
    return std::nullopt;
  }
  return 0xFF000000u | rgb;
}

}  // namespace

XpmPicture DecodeXpm(const char* const* xpm) {
  XpmPicture picture;
  int colours = 0, characters = 0;
  const int fields = std::sscanf(xpm[0], "%d %d %d %d %d %d", &picture.width, &picture.height, &colours,
                                 &characters, &picture.hotSpotX, &picture.hotSpotY);
  if ((fields != 4 && fields != 6) || characters != 1 || picture.width <= 0 || picture.height <= 0) {
    return {};
  }
  std::map<char, std::uint32_t> palette;
  for (int c = 1; c <= colours; ++c) {
    const std::optional<std::uint32_t> colour = ColourOf(xpm[c]);
    if (!colour) {
      return {};
    }
    palette[xpm[c][0]] = *colour;
  }
  for (int y = 0; y < picture.height; ++y) {
    const char* row = xpm[1 + colours + y];
    if (std::strlen(row) != static_cast<std::size_t>(picture.width)) {
      return {};
    }
    for (int x = 0; x < picture.width; ++x) {
      const auto found = palette.find(row[x]);
      if (found == palette.end()) {
        return {};
      }
      picture.pixels.push_back(found->second);
    }
  }
  return picture;
}

}  // namespace sonaru::platform

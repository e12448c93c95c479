// Icons and cursors from 32-bit pixels with CreateIconIndirect: no resource file needed, the same pictures
// as on every platform.
#include "platform/win32/win32_pictures.h"

#include <windows.h>

#include <cstring>

#include "platform/picture_xpm.h"
#include "platform/win32/xpm_picture.h"

namespace sonaru::platform {

namespace {

// The colour image carries the transparency; the mask is set where the picture is transparent, for the
// screens that draw without it.
HICON MakeIcon(const char* const* xpm, bool icon) {
  const XpmPicture picture = DecodeXpm(xpm);
  if (picture.pixels.empty()) {
    return nullptr;
  }
  BITMAPV5HEADER header{};
  header.bV5Size = sizeof header;
  header.bV5Width = picture.width;
  header.bV5Height = -picture.height;  // rows from the top, as XPM has them
  header.bV5Planes = 1;
  header.bV5BitCount = 32;
  header.bV5Compression = BI_BITFIELDS;
  header.bV5RedMask = 0x00FF0000;
  header.bV5GreenMask = 0x0000FF00;
  header.bV5BlueMask = 0x000000FF;
  header.bV5AlphaMask = 0xFF000000;
  void* bits = nullptr;
  HDC screen = ::GetDC(nullptr);
  HBITMAP colour =
      ::CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0);
  ::ReleaseDC(nullptr, screen);
  if (colour == nullptr) {
    return nullptr;
  }
  std::memcpy(bits, picture.pixels.data(), picture.pixels.size() * sizeof picture.pixels[0]);

  // Monochrome rows are padded to 16 bits.
  const int stride = (picture.width + 15) / 16 * 2;
  std::vector<BYTE> maskBits(static_cast<std::size_t>(stride * picture.height), 0);
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      if (picture.pixels[static_cast<std::size_t>(y * picture.width + x)] == 0) {
        maskBits[static_cast<std::size_t>(y * stride + x / 8)] |= static_cast<BYTE>(0x80 >> (x % 8));
      }
    }
  }
  HBITMAP mask = ::CreateBitmap(picture.width, picture.height, 1, 1, maskBits.data());

  ICONINFO info{};
  info.fIcon = icon ? TRUE : FALSE;
  info.xHotspot = static_cast<DWORD>(picture.hotSpotX);
  info.yHotspot = static_cast<DWORD>(picture.hotSpotY);
  info.hbmMask = mask;
  info.hbmColor = colour;
  HICON made = mask != nullptr ? ::CreateIconIndirect(&info) : nullptr;
  ::DeleteObject(colour);  // the icon has its own copies
  if (mask != nullptr) {
    ::DeleteObject(mask);
  }
  return made;
}

}  // namespace

void Win32Pictures::Destroy::operator()(HICON icon) const { ::DestroyIcon(icon); }

HICON Win32Pictures::Icon(Picture picture) {
  const char* const* xpm = PictureXpm(picture);
  if (xpm == nullptr) {
    return nullptr;
  }
  UniqueIcon& icon = icons_[picture];
  if (!icon) {
    icon.reset(MakeIcon(xpm, true));
  }
  return icon.get();
}

HICON Win32Pictures::HandCursor() {
  if (!handCursor_) {
    handCursor_.reset(MakeIcon(HandCursorXpm(), false));
  }
  return handCursor_.get();
}

}  // namespace sonaru::platform

// The pictures decoded as the icons and the cursor are made from them.
#include "platform/win32/xpm_picture.h"

#include <gtest/gtest.h>

#include "platform/picture_xpm.h"

namespace sonaru::platform {
namespace {

TEST(XpmPictureTest, EveryPictureIs32By32AndKeepsItsColours) {
  for (const char* const* xpm :
       {PictureXpm(Picture::Loudspeaker), PictureXpm(Picture::Microphone), PictureXpm(Picture::MusicalNotes),
        PictureXpm(Picture::WaveCurves), PictureXpm(Picture::CompactDisc), PictureXpm(Picture::SheetMusic),
        HandCursorXpm()}) {
    const XpmPicture picture = DecodeXpm(xpm);
    ASSERT_EQ(picture.width, 32) << xpm[0];
    ASSERT_EQ(picture.height, 32);
    ASSERT_EQ(picture.pixels.size(), 32u * 32u);
  }
  // The loudspeaker's box: row 11 starts "....k" (black), row 12 "....kd" (grey).
  const XpmPicture loudspeaker = DecodeXpm(PictureXpm(Picture::Loudspeaker));
  EXPECT_EQ(loudspeaker.pixels[0], 0u) << "the corner is transparent";
  EXPECT_EQ(loudspeaker.pixels[11 * 32 + 4], 0xFF000000u);
  EXPECT_EQ(loudspeaker.pixels[12 * 32 + 5], 0xFF808080u);
}

TEST(XpmPictureTest, TheCursorKeepsItsHotSpotAtTheFingertip) {
  const XpmPicture hand = DecodeXpm(HandCursorXpm());
  EXPECT_EQ(hand.hotSpotX, 5);
  EXPECT_EQ(hand.hotSpotY, 0);
  EXPECT_EQ(hand.pixels[5], 0xFF000000u);
  EXPECT_EQ(hand.pixels[4], 0u);
}

TEST(XpmPictureTest, AnotherKindOfXpmGivesNoPicture) {
  const char* const twoCharacters[] = {"1 1 1 2", "ab c #000000", "ab"};
  const char* const namedColour[] = {"1 1 1 1", "a c black", "a"};
  const char* const shortRow[] = {"2 1 1 1", "a c #000000", "a"};
  for (const char* const* xpm : {twoCharacters, namedColour, shortRow}) {
    EXPECT_TRUE(DecodeXpm(xpm).pixels.empty()) << xpm[1];
  }
}

}  // namespace
}  // namespace sonaru::platform

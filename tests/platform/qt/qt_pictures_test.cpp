// The program's pictures: 32x32 icons of at most 16 colours, and the monochrome hand pointing at (5, 0).
#include "platform/qt/qt_pictures.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QSet>

#include "platform/qt/qt_application.h"

namespace sonaru::test {
namespace {

using namespace platform;

QSet<QRgb> OpaqueColours(const QImage& image) {
  QSet<QRgb> colours;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (qAlpha(image.pixel(x, y)) != 0) {
        colours.insert(image.pixel(x, y));
      }
    }
  }
  return colours;
}

TEST(QtPicturesTest, EachChannelIconIs32By32InAtMostSixteenColours) {
  Application();
  QSet<QByteArray> distinct;
  for (Picture picture : {Picture::Loudspeaker, Picture::Microphone, Picture::MusicalNotes,
                          Picture::WaveCurves, Picture::CompactDisc, Picture::SheetMusic}) {
    const QImage image = PicturePixmap(picture).toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(image.size(), QSize(32, 32));
    const QSet<QRgb> colours = OpaqueColours(image);
    EXPECT_GE(colours.size(), 2);  // a drawing, not a blot
    EXPECT_LE(colours.size(), 16);
    distinct.insert(QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()));
  }
  EXPECT_EQ(distinct.size(), 6);
  EXPECT_TRUE(PicturePixmap(Picture::None).isNull());
}

TEST(QtPicturesTest, TheHandIsBlackAndWhiteAndPointsWithItsFingertip) {
  Application();
  const QCursor hand = HandCursor();
  EXPECT_EQ(hand.hotSpot(), QPoint(5, 0));
  const QImage image = hand.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(image.size(), QSize(32, 32));
  EXPECT_EQ(OpaqueColours(image), (QSet<QRgb>{qRgb(0, 0, 0), qRgb(255, 255, 255)}));
  EXPECT_EQ(image.pixel(5, 0), qRgb(0, 0, 0));
  for (int x = 0; x < 32; ++x) {
    EXPECT_TRUE(x == 5 || x == 6 || qAlpha(image.pixel(x, 0)) == 0) << x;  // nothing above the fingertip
  }
}

}  // namespace
}  // namespace sonaru::test

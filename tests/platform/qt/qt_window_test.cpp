// The window on Qt's offscreen platform, driven through Qt's own input routing as a user would drive it.
#include <gmock/gmock.h>

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>
#include <cstdlib>

#include "platform/qt/qt_message_box.h"
#include "qt_form_test.h"
#include "startup/start_up.h"
#include "window/frmVolume.h"

namespace sonaru::test {
namespace {

using namespace platform;

struct SeenBox {
  QString title, text;
  QMessageBox::Icon icon = QMessageBox::Information;
  QMessageBox::StandardButtons buttons;
};

class QtWindowTest : public QtFormTest {
 protected:
  void SetUp() override {
    QtFormTest::SetUp();
    services().help = &help;
    services().messageBox = &boxes;
  }

  /// Runs `action`, which must open a modal box now or from the event loop (an access key clicks its button
  /// a moment later); each box is read and closed with its OK button.
  std::vector<SeenBox> WithBoxesClosed(const std::function<void()>& action) {
    std::vector<SeenBox> seen;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        seen.push_back({box->windowTitle(), box->text(), box->icon(), box->standardButtons()});
        box->button(QMessageBox::Ok)->click();
      }
    });
    poll.start(10);
    action();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !seen.empty(); }, 5000)) << "no message box came";
    return seen;
  }

  QWidget* At(int x, int y) { return form->childAt(x, y); }
  QCheckBox* Box(int i) { return form->findChildren<QCheckBox*>().at(i); }
  QPushButton* Button(const QString& caption) {
    for (QPushButton* button : form->findChildren<QPushButton*>()) {
      if (button->text() == caption) {
        return button;
      }
    }
    return nullptr;
  }

  int Vol() { return mixer.Line(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS).volume->value; }
  static bool IsSet(const std::string& call) { return call.starts_with("set "); }

  QtMessageBox boxes;
  RecordingHelpViewer help;
};

TEST_F(QtWindowTest, TheFormHasTheDesignedSizeTitleIconAndFont) {
  Open();
  EXPECT_EQ(form->size(), QSize(582, 284));  // 8730 by 4260 twips at 15 twips per pixel
  EXPECT_EQ(form->minimumSize(), form->maximumSize());
  EXPECT_EQ(form->windowTitle().size(), 107);
  EXPECT_FALSE(form->windowIcon().isNull());
  EXPECT_EQ(form->font().families().value(0), "MS Sans Serif");
  EXPECT_TRUE(form->font().bold());
  EXPECT_DOUBLE_EQ(form->font().pointSizeF(), 8.25);
  EXPECT_EQ(form->findChildren<QLabel*>().size(), 6u + 55u);
}

TEST_F(QtWindowTest, DraggingAThumbWritesTheLevelAtEveryMoveAndTheReleaseDings) {
  Open();
  // Thumb 0 stands at the bottom of its travel: 3473 twips, that is 232 pixels, and 20 pixels from the left.
  QWidget* thumb = At(37, 240);
  ASSERT_NE(thumb, nullptr);
  EXPECT_EQ(thumb->geometry(), QRect(20, 232, 35, 19));
  QWindow* screen = form->windowHandle();
  QTest::mousePress(screen, Qt::LeftButton, {}, QPoint(37, 240));
  QTest::mouseMove(screen, QPoint(37, 220));
  EXPECT_TRUE(QTest::qWaitFor([&] { return Vol() == 7241; }));  // 300 twips up
  QTest::mouseMove(screen, QPoint(300, -50));  // far outside the thumb: the thumb keeps the mouse
  EXPECT_TRUE(QTest::qWaitFor([&] { return Vol() == 65535; }));
  EXPECT_EQ(thumb->y(), 51);  // 758 twips
  QTest::mouseRelease(screen, Qt::LeftButton, {}, QPoint(300, -50));
  ASSERT_EQ(sound.played.size(), 1u);
  EXPECT_EQ(sound.played[0].first, "/opt/sonaru/ding.wav");
}

// Moves that queued up while the mixer was busy reach it as one write of the newest, and a release right
// behind them still lands the last one.
TEST_F(QtWindowTest, MovesQueuedTogetherWriteOnlyTheNewestLevel) {
  Open();
  QWidget* thumb = At(37, 240);
  QTest::mousePress(form->windowHandle(), Qt::LeftButton, {}, QPoint(37, 240));
  const auto queueMoves = [&](std::initializer_list<int> formYs) {
    for (const int y : formYs) {
      const QPointF local(17, y - thumb->y());
      QCoreApplication::postEvent(thumb, new QMouseEvent(QEvent::MouseMove, local, thumb->mapToGlobal(local),
                                                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier));
    }
  };
  const auto writes = [&] { return std::count_if(mixer.calls.begin(), mixer.calls.end(), IsSet); };
  mixer.calls.clear();
  queueMoves({235, 230, 225, -50});
  ASSERT_TRUE(QTest::qWaitFor([&] { return Vol() == 65535; }));
  EXPECT_EQ(writes(), 1);
  queueMoves({100, 220});
  QCoreApplication::postEvent(thumb, new QMouseEvent(QEvent::MouseButtonRelease, QPointF(17, 0), QPointF(),
                                                     Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
  QCoreApplication::processEvents();
  EXPECT_EQ(writes(), 2);
  EXPECT_EQ(Vol(), 7241);
  EXPECT_EQ(sound.played.size(), 1u);
}

// The wheel reaches the form through the controls, and a screen reader hears the thumb's new level.
TEST_F(QtWindowTest, TheWheelOverATrackMovesItsThumbAndTheScreenReaderHearsIt) {
  Open();
  QWidget* thumb = At(37, 240);
  ASSERT_NE(thumb, nullptr);
  const QPointF overTrack(1, 10);  // in the track's own pixels
  QWheelEvent wheel(overTrack, form->mapToGlobal(QPointF(37, 150)), {}, QPoint(0, 120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(At(37, 150), &wheel);
  EXPECT_EQ(thumb->y(), 213);  // 3202 twips: 271 up
  EXPECT_EQ(mixer.Line(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS).volume->value, 6541);
  EXPECT_EQ(QAccessible::queryAccessibleInterface(thumb)->text(QAccessible::Name), "VOL, 10 %");
  EXPECT_TRUE(sound.played.empty());
}

TEST_F(QtWindowTest, ThumbsShowTheirColourInARaisedEdge) {
  Open();
  const QImage face = At(37, 240)->grab().toImage();
  ASSERT_EQ(face.size(), QSize(35, 19));
  EXPECT_EQ(face.pixelColor(17, 9), QColor(255, 128, 0));
  EXPECT_EQ(face.pixelColor(0, 0), QColor(192, 192, 192));
  EXPECT_EQ(face.pixelColor(1, 1), QColor(255, 255, 255));
  EXPECT_EQ(face.pixelColor(34, 18), QColor(0, 0, 0));
  EXPECT_EQ(face.pixelColor(33, 17), QColor(128, 128, 128));
}

TEST_F(QtWindowTest, ABoxSetByTheRefreshRunsItsClickOnlyWhenItsStateChanges) {
  mixer.Line(MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT).mute->value = 1;
  Open();
  std::vector<std::string> sets;
  for (const std::string& call : mixer.ValueCalls()) {
    if (call.starts_with("set ")) {
      sets.push_back(call);
    }
  }
  EXPECT_EQ(sets, std::vector<std::string>{"set 6 1"});
  EXPECT_TRUE(Box(2)->isChecked());
}

TEST_F(QtWindowTest, AClickOnAMuteBoxMutesItsChannel) {
  Open();
  QTest::mouseClick(Box(4), Qt::LeftButton, {}, QPoint(5, Box(4)->height() / 2));
  EXPECT_TRUE(Box(4)->isChecked());
  EXPECT_EQ(mixer.Line(MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC).mute->value, 1);
  EXPECT_EQ(mixer.Line(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS).mute->value, 0);
}

TEST_F(QtWindowTest, F1OpensTheHelpWhileAButtonHasTheFocus) {
  Open();
  Button("&Restaurer")->setFocus();
  QTest::keyClick(form->windowHandle(), Qt::Key_F1);
  QTest::keyClick(form->windowHandle(), Qt::Key_F1, Qt::ShiftModifier);
  Box(0)->setFocus();
  QTest::keyClick(form->windowHandle(), Qt::Key_F1, Qt::ControlModifier);
  EXPECT_EQ(help.opened.size(), 3u);
  EXPECT_EQ(mixer.Line(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS).mute->value, 0);
}

TEST_F(QtWindowTest, AltSSavesAndShowsTheSummaryInAPlainBox) {
  mixer.Line(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS).volume->value = 45000;
  Open();
  const std::vector<SeenBox> seen =
      WithBoxesClosed([&] { QTest::keyClick(form->windowHandle(), Qt::Key_S, Qt::AltModifier); });
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].title, "Sonaru");
  EXPECT_EQ(seen[0].icon, QMessageBox::NoIcon);
  EXPECT_EQ(seen[0].buttons, QMessageBox::Ok);
  EXPECT_TRUE(seen[0].text.startsWith("Volume sauvegardé \n__________________\nWaveVolume :  45000\n"));
  EXPECT_TRUE(SettingsText().starts_with("[Volume]\nWaveVolume= 45000\n"));
}

TEST_F(QtWindowTest, AltRRestoresTheFileRefreshesAndSaysSo) {
  SettingsText() = "[Volume]\nWaveVolume= 65535\nWaveMute= 1\n";
  process.existingFiles.insert("/opt/sonaru/Sonaru.ini");
  Open();
  const std::vector<SeenBox> seen =
      WithBoxesClosed([&] { QTest::keyClick(form->windowHandle(), Qt::Key_R, Qt::AltModifier); });
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text, "Volume restauré.");
  EXPECT_TRUE(Box(0)->isChecked());
  EXPECT_EQ(At(37, 60)->geometry(), QRect(20, 51, 35, 19));
}

TEST_F(QtWindowTest, QuitEndsTheEventLoopAndMainReturns) {
  bool timedOut = false;
  QTimer::singleShot(0, [&] {
    toolkit.FormWidget()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(toolkit.FormWidget()));
    QTest::keyClick(toolkit.FormWidget()->windowHandle(), Qt::Key_Q, Qt::AltModifier);
  });
  QTimer::singleShot(5000, [&] {
    timedOut = true;
    QApplication::exit();
  });
  EXPECT_EQ(Main(), 0);
  EXPECT_FALSE(timedOut);
  EXPECT_EQ(mixer.openHandles, 0);
  EXPECT_TRUE(SettingsText().empty());
}

TEST_F(QtWindowTest, TheCloseBoxEndsTheEventLoopToo) {
  bool timedOut = false;
  QTimer::singleShot(0, [&] { toolkit.FormWidget()->close(); });
  QTimer::singleShot(5000, [&] {
    timedOut = true;
    QApplication::exit();
  });
  EXPECT_EQ(Main(), 0);
  EXPECT_FALSE(timedOut);
  EXPECT_EQ(mixer.openHandles, 0);
}

}  // namespace
}  // namespace sonaru::test

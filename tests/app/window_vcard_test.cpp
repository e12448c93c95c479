// The window mode of the program with its real backends, wired as for the program, on the virtual card:
// a drag through Qt's input routing lands on the card. Also measures the start and the drag's write rate.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <cstdlib>
#include <iostream>

#include "module_toolkit.h"
#include "startup/start_up.h"
#include "virtual_card.h"

namespace sonaru::test {
namespace {

using namespace platform;
using Clock = std::chrono::steady_clock;

std::vector<CardElement> Card() {
  return {
      {"Master Playback Volume", false, 0, 65535, {0, 0}},
      {"Master Playback Switch", true, 0, 1, {1, 1}},
      {"PCM Playback Volume", false, 0, 255, {128, 128}},
      {"PCM Playback Switch", true, 0, 1, {0, 0}},
  };
}

// The window's run as the program wires it, with the module of the build tree, on the virtual card.
class WindowOnVirtualCardTest : public ::testing::Test {
 protected:
  static char* ProgramName() {
    static char name[] = "sonaru";
    return name;
  }

  bool offscreen = ::setenv("QT_QPA_PLATFORM", "offscreen", 1) == 0;  // before the module starts Qt
  VirtualCard card{Card()};
  char* argv[2] = {ProgramName(), nullptr};
  LinuxServices services{1, argv, {SONARU_WINDOW_MODULE_DIR}};
  QtToolkit& toolkit = ModuleToolkit(services);
};

TEST_F(WindowOnVirtualCardTest, ADragSetsTheLevelOnTheCardAndClosingEndsTheRun) {
  std::vector<QString> boxes;  // none expected; closed so that a surprise cannot block the run
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      boxes.push_back(box->text());
      box->done(QMessageBox::Ok);
    }
  });
  closer.start(20);

  const Clock::time_point start = Clock::now();
  Clock::duration toShown{};
  constexpr int Moves = 200;
  Clock::duration dragging{};
  bool timedOut = false;
  QTimer::singleShot(0, [&] {
    QWidget* form = toolkit.FormWidget();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
    toShown = Clock::now() - start;
    QWindow* window = form->windowHandle();
    QTest::mousePress(window, Qt::LeftButton, {}, QPoint(37, 240));  // VOL's thumb, at level 0
    const Clock::time_point dragStart = Clock::now();
    for (int i = 0; i < Moves; ++i) {
      QTest::mouseMove(window, QPoint(37, 239 - i % 2));
    }
    dragging = Clock::now() - dragStart;
    QTest::mouseMove(window, QPoint(37, 220));  // 20 pixels up: 300 twips
    QTest::mouseRelease(window, Qt::LeftButton, {}, QPoint(37, 220));
    form->close();
  });
  QTimer::singleShot(20000, [&] {
    timedOut = true;
    QApplication::exit();
  });
  EXPECT_EQ(Main(), 0);

  EXPECT_FALSE(timedOut);
  EXPECT_TRUE(boxes.empty()) << boxes.front().toStdString();
  EXPECT_EQ(card.values("Master Playback Volume"), (std::vector<long>{7241, 7241}));
  EXPECT_EQ(card.values("PCM Playback Volume"), (std::vector<long>{128, 128}));
  EXPECT_EQ(card.values("PCM Playback Switch"), (std::vector<long>{0, 0}));

  const double shownMs = std::chrono::duration<double, std::milli>(toShown).count();
  const double writesPerSecond = Moves / std::chrono::duration<double>(dragging).count();
  RecordProperty("StartToShownMs", std::to_string(shownMs));
  RecordProperty("DragWritesPerSecond", std::to_string(writesPerSecond));
  std::cout << "start to window shown: " << shownMs << " ms; mixer writes while dragging: " << writesPerSecond
            << " per second\n";
}

// Another program lowers the volume and mutes the wave output while the window is open: the window follows
// through the device's poll descriptors, with no timer and no write of its own.
TEST_F(WindowOnVirtualCardTest, TheWindowFollowsAChangeMadeByAnotherProgram) {
  constexpr Control VolThumb = 3, WaveBox = 12;  // the controls are made column by column
  int thumbTop = -1;
  bool waveMuted = false;
  QTimer::singleShot(0, [&] {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(toolkit.FormWidget()));
    card.set("Master Playback Volume", {65535, 65535});
    card.set("PCM Playback Switch", {0, 0});
    const bool followed = QTest::qWaitFor(
        [&] { return toolkit.Widget(VolThumb)->y() < 100 && toolkit.Value(WaveBox) == 1; }, 5000);
    EXPECT_TRUE(followed);
    thumbTop = toolkit.Widget(VolThumb)->y();
    waveMuted = toolkit.Value(WaveBox) == 1;
    toolkit.FormWidget()->close();
  });
  EXPECT_EQ(Main(), 0);
  EXPECT_EQ(thumbTop, 51);  // 758 twips: the top of the track
  EXPECT_TRUE(waveMuted);
  EXPECT_EQ(card.values("PCM Playback Switch"), (std::vector<long>{0, 0}));
}

}  // namespace
}  // namespace sonaru::test

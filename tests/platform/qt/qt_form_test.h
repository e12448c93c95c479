// A fixture that opens the real window on Qt's offscreen platform over the fake mixer, its sound recorded.
// Each test fixture built on it installs the help viewer it needs.
#pragma once

#include <QTest>
#include <QWidget>
#include <cstdlib>
#include <memory>

#include "fakes/recording_services.h"
#include "fakes/services_fixture.h"
#include "platform/qt/qt_application.h"
#include "platform/qt/qt_toolkit.h"
#include "window/frmVolume.h"

namespace sonaru::test {

class QtFormTest : public ServicesTest {
 protected:
  void SetUp() override {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ServicesTest::SetUp();
    platform::Application();
    AddAllChannels();
    mixer.changeDescriptors.clear();  // the fake's stand-in descriptor is no real one for Qt to watch
    platform::services().toolkit = &toolkit;
    platform::services().sound = &sound;
  }
  void TearDown() override {
    window.reset();
    ServicesTest::TearDown();
  }

  /// Creates and shows the window, and waits until it is the active one.
  void Open() {
    window = std::make_unique<frmVolume>();
    window->Show();
    form = toolkit.FormWidget();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form));
  }

  platform::QtToolkit toolkit;
  RecordingSound sound;
  std::unique_ptr<frmVolume> window;
  QWidget* form = nullptr;
};

}  // namespace sonaru::test

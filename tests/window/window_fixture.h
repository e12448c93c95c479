// A fixture that opens the main window on the headless toolkit, over the fake mixer and files.
#pragma once

#include <memory>

#include "fakes/headless_toolkit.h"
#include "fakes/recording_services.h"
#include "fakes/services_fixture.h"
#include "window/frmVolume.h"

namespace sonaru::test {

class WindowTest : public ServicesTest {
 protected:
  void SetUp() override {
    ServicesTest::SetUp();
    platform::services().toolkit = &toolkit;
    platform::services().sound = &sound;
    platform::services().help = &help;
  }
  void TearDown() override {
    window.reset();  // closes its mixer while the services are still in place
    ServicesTest::TearDown();
  }

  /// Creates and shows the window: Form_Load has run when this returns.
  void Open() {
    window = std::make_unique<frmVolume>();
    window->Show();
  }

  /// Lines are added in channel order, so channel i's volume control is id 2i + 1 and its mute 2i + 2.
  static std::string SetVolume(int channel, std::int32_t level) {
    return "set " + std::to_string(2 * channel + 1) + " " + std::to_string(level);
  }
  static std::string SetMute(int channel, std::int32_t state) {
    return "set " + std::to_string(2 * channel + 2) + " " + std::to_string(state);
  }
  std::vector<std::string> SetCalls() const {
    std::vector<std::string> sets;
    for (const std::string& call : mixer.ValueCalls()) {
      if (call.starts_with("set ")) {
        sets.push_back(call);
      }
    }
    return sets;
  }

  double TopOf(platform::Control control) { return toolkit.Of(control).design.place.top; }
  platform::Control Thumb(int i) { return toolkit.Thumbs().at(i); }
  platform::Control Box(int i) { return toolkit.OfKind(platform::ControlKind::CheckBox).at(i); }

  HeadlessToolkit toolkit;
  RecordingSound sound;
  RecordingHelpViewer help;
  std::unique_ptr<frmVolume> window;
};

}  // namespace sonaru::test

// The window's module: the Qt toolkit and message box, the sound and the help viewer, made on demand.
#include "app/window_module.h"
#include "platform/qt/qt_help_viewer.h"
#include "platform/qt/qt_message_box.h"
#include "platform/qt/qt_toolkit.h"
#include "platform/sndfile/sndfile_sound.h"

namespace sonaru {

namespace {

class QtWindowBackends final : public WindowBackends {
 public:
  platform::Toolkit& ToolkitBackend() override { return toolkit_; }
  platform::MessageBox& MessageBoxBackend() override { return messageBox_; }
  platform::Sound& SoundBackend() override { return sound_; }
  platform::HelpViewer& HelpBackend() override { return help_; }

 private:
  platform::QtToolkit toolkit_;
  platform::QtMessageBox messageBox_;
  platform::SndfileSound sound_;
  platform::QtHelpViewer help_{toolkit_};
};

}  // namespace

}  // namespace sonaru

extern "C" __attribute__((visibility("default"))) sonaru::WindowBackends* SonaruWindowBackends() {
  return new sonaru::QtWindowBackends;
}

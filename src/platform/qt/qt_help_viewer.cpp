// The help window lives as long as its owner, the main window, and is only hidden when the user closes it.
#include "platform/qt/qt_help_viewer.h"

#include <QWidget>

#include "platform/qt/qt_help_browser.h"
#include "platform/qt/qt_toolkit.h"

namespace sonaru::platform {

QtHelpViewer::QtHelpViewer(QtToolkit& toolkit) : toolkit_(toolkit) {}

QtHelpViewer::~QtHelpViewer() { delete window_.data(); }

void QtHelpViewer::HtmlHelpA(const std::string& file, std::uint32_t command) {
  if (command != HH_DISPLAY_TOPIC) {
    return;
  }
  if (window_ == nullptr) {
    QWidget* owner = toolkit_.FormWidget();
    window_ = new QtHelpBrowser(owner);
    // Beside the main window rather than over it, so that both stay in sight.
    if (owner != nullptr) {
      window_->move(owner->frameGeometry().topRight() + QPoint(1, 0));
    }
  }
  window_->Open(file);
  window_->show();
  window_->raise();
  window_->activateWindow();
}

QtHelpBrowser* QtHelpViewer::Window() const { return window_.data(); }

}  // namespace sonaru::platform

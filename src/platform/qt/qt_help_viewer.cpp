// The help window lives as long as its owner, the main window, and is only hidden when the user closes it.
#include "platform/qt/qt_help_viewer.h"

#include <QScreen>
#include <QWidget>
#include <algorithm>

#include "platform/qt/qt_help_browser.h"
#include "platform/qt/qt_toolkit.h"

namespace sonaru::platform {

QPoint HelpWindowPlace(const QRect& owner, const QSize& size, const QRect& screen) {
  int left = owner.right() + 1;
  if (left + size.width() > screen.right() + 1) {
    left = owner.left() - size.width() >= screen.left()
               ? owner.left() - size.width()
               : std::max(screen.left(), screen.right() + 1 - size.width());
  }
  const int top =
      std::clamp(owner.top(), screen.top(), std::max(screen.top(), screen.bottom() + 1 - size.height()));
  return {left, top};
}

QtHelpViewer::QtHelpViewer(QtToolkit& toolkit) : toolkit_(toolkit) {}

QtHelpViewer::~QtHelpViewer() { delete window_.data(); }

void QtHelpViewer::HtmlHelpA(const std::string& file, std::uint32_t command) {
  if (command != HH_DISPLAY_TOPIC) {
    return;
  }
  if (window_ == nullptr) {
    QWidget* owner = toolkit_.FormWidget();
    window_ = new QtHelpBrowser(owner);
    // Beside the main window rather than over it, so that both stay in sight, on the main window's screen.
    if (owner != nullptr && owner->screen() != nullptr) {
      // Not shown yet, the help window has no frame: it will get one like the main window's.
      const QSize frame = owner->frameGeometry().size() - owner->geometry().size();
      window_->move(HelpWindowPlace(owner->frameGeometry(), window_->size() + frame,
                                    owner->screen()->availableGeometry()));
    }
  }
  window_->Open(file);
  window_->show();
  window_->raise();
  window_->activateWindow();
}

QtHelpBrowser* QtHelpViewer::Window() const { return window_.data(); }

}  // namespace sonaru::platform

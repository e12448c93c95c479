// The help viewer on Qt: the program's own help window, owned by the main window.
#pragma once

#include <QPointer>
#include <QRect>

#include "platform/help_viewer.h"

namespace sonaru::platform {

class QtHelpBrowser;

/// Where the help window of `size` stands beside the main window's frame `owner`, on the screen area
/// `screen` that holds it: to its right when there is room, else to its left, else over it, always within
/// the screen as far as it fits.
QPoint HelpWindowPlace(const QRect& owner, const QSize& size, const QRect& screen);

class QtToolkit;

/// One help window for the process, created at the first HtmlHelpA over the toolkit's form and raised by
/// each later one; it never blocks the form.
class QtHelpViewer final : public HelpViewer {
 public:
  explicit QtHelpViewer(QtToolkit& toolkit);
  ~QtHelpViewer() override;
  QtHelpViewer(const QtHelpViewer&) = delete;
  QtHelpViewer& operator=(const QtHelpViewer&) = delete;

  /// Reopens `file` at every call, so that a file changed since is shown as it is now.
  void HtmlHelpA(const std::string& file, std::uint32_t command) override;

  /// The help window, for tests; null before the first HtmlHelpA and once its owner has gone.
  QtHelpBrowser* Window() const;

 private:
  QtToolkit& toolkit_;
  QPointer<QtHelpBrowser> window_;
};

}  // namespace sonaru::platform

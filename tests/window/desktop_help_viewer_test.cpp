// The help file goes to whatever the desktop opens local files with.
#include "platform/qt/desktop_help_viewer.h"

#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QObject>
#include <QUrl>

#include "platform/qt/qt_application.h"

namespace sonaru::test {
namespace {

class UrlRecorder : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> opened;
  Q_INVOKABLE void open(const QUrl& url) { opened.push_back(url); }
};

TEST(DesktopHelpViewerTest, TheFileGoesToTheDesktopAtItsDefaultTopicOnly) {
  platform::Application();
  UrlRecorder desktop;
  QDesktopServices::setUrlHandler("file", &desktop, "open");
  platform::DesktopHelpViewer help;
  help.HtmlHelpA("/opt/sonaru/Sonaru.CHM", platform::HH_DISPLAY_TOPIC);
  help.HtmlHelpA("/opt/sonaru/Sonaru.CHM", 1);
  QDesktopServices::unsetUrlHandler("file");
  EXPECT_EQ(desktop.opened, QList<QUrl>{QUrl("file:///opt/sonaru/Sonaru.CHM")});
}

}  // namespace
}  // namespace sonaru::test

#include "desktop_help_viewer_test.moc"

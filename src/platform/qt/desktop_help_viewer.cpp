// Until the program has a viewer of its own, the desktop opens the help file without us waiting for it.
#include "platform/qt/desktop_help_viewer.h"

#include <QDesktopServices>
#include <QUrl>

namespace sonaru::platform {

void DesktopHelpViewer::HtmlHelpA(const std::string& file, std::uint32_t command) {
  if (command == HH_DISPLAY_TOPIC) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(file)));
  }
}

}  // namespace sonaru::platform

// The box waits for the user; a run without a display must not wait for anyone.
#include "platform/qt/qt_message_box.h"

#include <QApplication>
#include <QMessageBox>

#include "platform/qt/qt_application.h"
#include "platform/qt/qt_display.h"

namespace sonaru::platform {

void QtMessageBox::MsgBox(const std::string& text) {
  if (!DisplayAvailable()) {
    withoutDisplay_.MsgBox(text);
    return;
  }
  Application();
  // The texts break their lines with CR LF; Qt would show the CR.
  const QString lines = QString::fromStdString(text).replace("\r\n", "\n");
  QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), lines, QMessageBox::Ok,
                  QApplication::activeWindow());
  box.exec();
}

}  // namespace sonaru::platform

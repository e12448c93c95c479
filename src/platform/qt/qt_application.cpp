// Creating the application lazily keeps the windowless runs free of any display.
#include "platform/qt/qt_application.h"

#include <QApplication>
#include <QStyleFactory>

namespace sonaru::platform {

QApplication& Application() {
  static int argc = 1;
  static char name[] = "sonaru";
  static char* argv[] = {name, nullptr};
  // Never destroyed: it must outlive every widget and box, up to the end of the process.
  static QApplication* application = nullptr;
  if (application == nullptr) {
    application = new QApplication(argc, argv);
    QApplication::setApplicationName("Sonaru");
    // The classic look the window was designed for, where the style is available.
    if (QStyle* style = QStyleFactory::create("Windows")) {
      QApplication::setStyle(style);
    }
  }
  return *application;
}

}  // namespace sonaru::platform

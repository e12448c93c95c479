// Creating the application lazily keeps the windowless runs free of any display.
#include "platform/qt/qt_application.h"

#include <QApplication>
#include <QFontDatabase>
#include <QStyleFactory>
#include <thread>

namespace sonaru::platform {

namespace {

// Qt reads the system's font configuration on the first text it draws, which is the last step before the
// window's first picture. Reading it on a second core while the form is built takes it off that path;
// QFontDatabase is thread-safe, and the first paint waits for the reading if it is not over yet.
class FontDatabaseWarmUp {
 public:
  FontDatabaseWarmUp() : reader_([] { QFontDatabase::families(); }) {}

 private:
  std::jthread reader_;  // joined at exit, should the process end first
};

}  // namespace

QApplication& Application() {
  static int argc = 1;
  static char name[] = "sonaru";
  static char* argv[] = {name, nullptr};
  // Never destroyed: it must outlive every widget and box, up to the end of the process.
  static QApplication* application = nullptr;
  if (application == nullptr) {
    application = new QApplication(argc, argv);
    static const FontDatabaseWarmUp fontDatabase;
    QApplication::setApplicationName("Sonaru");
    // The classic look the window was designed for, where the style is available.
    if (QStyle* style = QStyleFactory::create("Windows")) {
      QApplication::setStyle(style);
    }
  }
  return *application;
}

}  // namespace sonaru::platform

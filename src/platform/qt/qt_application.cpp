// Creating the application lazily keeps the windowless runs free of any display.
#include "platform/qt/qt_application.h"

#include <QApplication>
#include <QStyleFactory>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace sonaru::platform {

namespace {

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

// ":0" or ":0.0" names a local server, reached through its socket; other forms are taken as reachable.
bool XServerReachable(const std::string& display) {
  if (display.empty()) {
    return false;
  }
  if (display.front() != ':') {
    return true;
  }
  const std::string number = display.substr(1, display.find('.') - 1);
  return std::filesystem::exists("/tmp/.X11-unix/X" + number);
}

}  // namespace

bool DisplayAvailable() {
  const std::string platform = Variable("QT_QPA_PLATFORM");
  const std::string display = Variable("DISPLAY");
  const bool wayland = !Variable("WAYLAND_DISPLAY").empty();
  if (platform.empty()) {
    return XServerReachable(display) || wayland;
  }
  if (platform.starts_with("xcb")) {
    return XServerReachable(display);
  }
  if (platform.starts_with("wayland")) {
    return wayland;
  }
  return true;  // offscreen, vnc, linuxfb and the like need nothing from the environment
}

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

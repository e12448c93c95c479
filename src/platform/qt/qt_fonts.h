// The window's font, and the reading of the system's fonts ahead of the first text.
#pragma once

#include <QFont>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace sonaru::platform {

/// The window's font: the first of its families found on the machine.
QFont WindowFont();

/// Qt reads the system's fonts on the first text it draws, the last step before a window's first picture.
/// This reads them ahead on a second core: fontconfig's files from the start, while Qt loads and connects
/// to the display, then, once the application exists, Qt's font database and the window font's match and
/// fallbacks, which Qt shares between threads (font engines and glyphs it keeps per thread). Whatever is
/// not read yet when the first text is drawn is waited for there. Stops when destroyed.
class QtFontWarmUp {
 public:
  QtFontWarmUp();

  /// The QApplication exists.
  void ApplicationReady();

 private:
  std::mutex mutex_;
  std::condition_variable_any ready_;
  bool applicationReady_ = false;
  std::jthread reader_;  // last: stopped and joined before the rest goes
};

}  // namespace sonaru::platform

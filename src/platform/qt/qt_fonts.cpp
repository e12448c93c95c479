// The window font, and its reading ahead on a thread of its own.
#include "platform/qt/qt_fonts.h"

#include <fontconfig/fontconfig.h>

#include <QFontMetrics>
#include <QStringList>

namespace sonaru::platform {

QFont WindowFont() {
  QFont font;
  font.setFamilies({"MS Sans Serif", "Microsoft Sans Serif", "Liberation Sans", "Arial", "DejaVu Sans"});
  font.setPointSizeF(8.25);
  font.setBold(true);
  return font;
}

QtFontWarmUp::QtFontWarmUp()
    : reader_([this](const std::stop_token& stop) {
        FcInit();
        std::unique_lock lock(mutex_);
        if (ready_.wait(lock, stop, [this] { return applicationReady_; })) {
          lock.unlock();
          QFontMetrics(WindowFont()).horizontalAdvance(QStringLiteral("90"));
        }
      }) {}

void QtFontWarmUp::ApplicationReady() {
  {
    const std::lock_guard lock(mutex_);
    applicationReady_ = true;
  }
  ready_.notify_one();
}

}  // namespace sonaru::platform

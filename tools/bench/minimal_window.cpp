// The yardsticks for the window's start: the least a Qt 6 Widgets program does to show a window of the
// Sonaru window's size (8730 x 4260 twips: 582 x 284 pixels at 96 dpi); with the argument "text", the same
// window with one line of text, which is what makes Qt read the font configuration at all. With the
// argument "moves", the window prints a line for each move of the mouse over it, and nothing else: the
// drag's yardstick for a move's way to a window.
// Usage: minimal_window [text | moves]
#include <unistd.h>

#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <cstring>

namespace {

// Hears the moves only with mouse tracking on, when the button is up.
class Window final : public QWidget {
 protected:
  void mouseMoveEvent(QMouseEvent*) override { static_cast<void>(::write(STDOUT_FILENO, "m\n", 2)); }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  Window window;
  window.setMouseTracking(argc > 1 && std::strcmp(argv[1], "moves") == 0);
  window.setWindowTitle("Minimal");
  window.setFixedSize(582, 284);
  if (argc > 1 && std::strcmp(argv[1], "text") == 0) {
    auto* line = new QLabel("Sauvegarder", &window);
    line->move(472, 64);
  }
  window.show();
  return QApplication::exec();
}

// The yardsticks for the window's start: the least a Qt 6 Widgets program does to show a window of the
// Sonaru window's size (8730 x 4260 twips: 582 x 284 pixels at 96 dpi); with the argument "text", the same
// window with one line of text, which is what makes Qt read the font configuration at all.
// Usage: minimal_window [text]
#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <cstring>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QWidget window;
  window.setWindowTitle("Minimal");
  window.setFixedSize(582, 284);
  if (argc > 1 && std::strcmp(argv[1], "text") == 0) {
    auto* line = new QLabel("Sauvegarder", &window);
    line->move(472, 64);
  }
  window.show();
  return QApplication::exec();
}

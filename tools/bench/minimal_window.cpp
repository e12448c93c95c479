// The yardstick for the window's start: the least a Qt 6 Widgets program does to show a window of the
// Sonaru window's size (8730 x 4260 twips: 582 x 284 pixels at 96 dpi).
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QWidget window;
  window.setWindowTitle("Minimal");
  window.setFixedSize(582, 284);
  window.show();
  return QApplication::exec();
}

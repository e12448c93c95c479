// The program wired as main wires it, played by a user who saves, restores, then quits the way argv[1]
// names: button, alt-q or close-box. A box other than the one its button shows fails the run.
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <array>
#include <iostream>
#include <string>

#include "module_toolkit.h"
#include "startup/start_up.h"

namespace {

void Click(QWidget& form, const QString& caption) {
  for (QPushButton* button : form.findChildren<QPushButton*>()) {
    if (button->text() == caption) {
      QTest::mouseClick(button, Qt::LeftButton);
    }
  }
}

const std::array<std::string, 3> Ways = {"button", "alt-q", "close-box"};

void Quit(QWidget& form, const std::string& way) {
  if (way == "button") {
    Click(form, "&Quitter");
  } else if (way == "alt-q") {
    // The platform gives nothing the focus back once the box has gone; the user clicks the window first.
    form.activateWindow();
    if (QTest::qWaitForWindowActive(&form)) {
      QTest::keyClick(form.windowHandle(), Qt::Key_Q, Qt::AltModifier);
    } else {
      std::cerr << "the window does not become active\n";
    }
  } else {
    form.windowHandle()->close();  // the platform's close request, as from the title bar
  }
}

struct Action {
  QString caption;
  QString box;  // how the box that the click shows starts
};

}  // namespace

int main(int argc, char** argv) {
  const std::string way = argc > 1 ? argv[1] : "";
  if (std::find(Ways.begin(), Ways.end(), way) == Ways.end()) {
    std::cerr << "usage: " << argv[0] << " button|alt-q|close-box\n";
    return 2;
  }
  // The window opens for an empty command line.
  sonaru::LinuxServices services(1, argv, {SONARU_WINDOW_MODULE_DIR});
  sonaru::platform::QtToolkit& toolkit = sonaru::test::ModuleToolkit(services);

  const std::array<Action, 2> clicks = {
      {{"&Sauvegarder", "Volume sauvegardé"}, {"&Restaurer", "Volume restauré."}}};
  std::size_t started = 0;
  QString awaited;  // the box of the last click, until it shows
  bool failed = false;
  QTimer user;
  QObject::connect(&user, &QTimer::timeout, [&] {
    QWidget* form = toolkit.FormWidget();
    if (form == nullptr || form->windowHandle() == nullptr || !form->windowHandle()->isExposed()) {
      return;
    }
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      if (awaited.isEmpty() || !box->text().startsWith(awaited)) {
        std::cerr << "unexpected box: " << box->text().toStdString() << '\n';
        failed = true;
      }
      awaited.clear();
      QTest::keyClick(box, Qt::Key_Return);
      return;
    }
    if (!awaited.isEmpty() || started > clicks.size()) {
      return;
    }
    // Queued: a click that opens a box returns only once the box is closed, by a later tick.
    if (started < clicks.size()) {
      awaited = clicks[started].box;
      QTimer::singleShot(0, form, [form, caption = clicks[started].caption] { Click(*form, caption); });
    } else {
      QTimer::singleShot(0, form, [form, &way] { Quit(*form, way); });
    }
    ++started;
  });
  user.start(20);

  const int status = sonaru::Main();
  return failed ? 1 : status;
}

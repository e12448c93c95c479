// Controls as Qt widgets: labels, check boxes, push buttons and the project's picture boxes.
#include "platform/qt/qt_toolkit.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSocketNotifier>
#include <QTimer>
#include <cmath>
#include <stdexcept>

#include "platform/qt/qt_application.h"
#include "platform/qt/qt_display.h"
#include "platform/qt/qt_form.h"
#include "platform/qt/qt_pictures.h"

namespace sonaru::platform {

namespace {

int Pixels(double twips, double twipsPerPixel) {
  return static_cast<int>(std::lround(twips / twipsPerPixel));
}

}  // namespace

QtToolkit::~QtToolkit() {
  watches_.clear();
  delete form_.data();
}

bool QtToolkit::DisplayAvailable() { return platform::DisplayAvailable(); }

double QtToolkit::TwipsPerPixelX() {
  Application();
  return 1440.0 / QGuiApplication::primaryScreen()->logicalDotsPerInchX();
}

double QtToolkit::TwipsPerPixelY() {
  Application();
  return 1440.0 / QGuiApplication::primaryScreen()->logicalDotsPerInchY();
}

void QtToolkit::CreateForm(const FormDesign& design, FormEvents& events) {
  Application();
  fonts_.ApplicationReady();
  delete form_.data();
  controls_.clear();
  form_ = new QtForm(events, TwipsPerPixelY());
  form_->setWindowTitle(QString::fromStdString(design.caption));
  form_->setWindowIcon(QIcon(PicturePixmap(design.icon)));
  form_->setFont(WindowFont());
  form_->setFixedSize(Pixels(design.clientWidth, TwipsPerPixelX()),
                      Pixels(design.clientHeight, TwipsPerPixelY()));
}

void QtToolkit::ReleaseForm(FormEvents& events) {
  watches_.clear();
  if (form_ && form_->Events() == &events) {
    form_->Detach();
  }
  if (form_ && form_->Events() == nullptr) {
    delete form_.data();
    controls_.clear();
  }
}

QWidget* QtToolkit::MakeWidget(Control control, const ControlDesign& design) {
  const QString caption = QString::fromStdString(design.caption);
  switch (design.kind) {
    case ControlKind::Label: {
      auto* label = new QLabel(caption, form_);
      label->setAlignment(design.centred ? Qt::AlignHCenter | Qt::AlignTop : Qt::AlignLeft | Qt::AlignTop);
      if (design.bordered) {
        label->setFrameStyle(QFrame::Box | QFrame::Plain);
        label->setLineWidth(1);
      }
      return label;
    }
    case ControlKind::CheckBox: {
      auto* box = new QCheckBox(caption, form_);
      // toggled, not clicked: a state set by code runs the click handling too, but only when it changes.
      QObject::connect(box, &QCheckBox::toggled, box, [form = form_, control] {
        if (form && form->Events() != nullptr) {
          form->Events()->Control_Click(control);
        }
      });
      return box;
    }
    case ControlKind::CommandButton: {
      auto* button = new QPushButton(caption, form_);
      button->setAutoDefault(false);
      QObject::connect(button, &QPushButton::clicked, button, [form = form_, control] {
        if (form && form->Events() != nullptr) {
          form->Events()->Control_Click(control);
        }
      });
      return button;
    }
    case ControlKind::PictureBox:
      return new QtPictureBox(*form_, control, design);
  }
  throw std::invalid_argument("unknown control kind");
}

Control QtToolkit::AddControl(const ControlDesign& design) {
  const auto control = static_cast<Control>(controls_.size() + 1);
  controls_.push_back({design, MakeWidget(control, design)});
  controls_.back().widget->installEventFilter(form_);
  Layout(controls_.back());
  return control;
}

Control QtToolkit::LoadCopy(Control element0) {
  const Entry original = Of(element0);
  const Control control = AddControl(original.design);
  Entry& copy = Of(control);
  copy.widget->setEnabled(original.widget->isEnabled());
  copy.widget->hide();
  return control;
}

QtToolkit::Entry& QtToolkit::Of(Control control) {
  return controls_.at(static_cast<std::size_t>(control - 1));
}

void QtToolkit::Layout(Entry& entry) {
  const double x = TwipsPerPixelX(), y = TwipsPerPixelY();
  const TwipsRect& place = entry.design.place;
  entry.widget->setGeometry(Pixels(place.left, x), Pixels(place.top, y), Pixels(place.width, x),
                            Pixels(place.height, y));
}

TwipsRect QtToolkit::Place(Control control) { return Of(control).design.place; }

void QtToolkit::SetTop(Control control, double top) {
  Entry& entry = Of(control);
  entry.design.place.top = top;
  Layout(entry);
}

void QtToolkit::SetCaption(Control control, const std::string& caption) {
  Entry& entry = Of(control);
  entry.design.caption = caption;
  const QString text = QString::fromStdString(caption);
  if (auto* label = qobject_cast<QLabel*>(entry.widget)) {
    label->setText(text);
  } else if (auto* button = qobject_cast<QAbstractButton*>(entry.widget)) {
    button->setText(text);
  }
}

void QtToolkit::SetVisible(Control control, bool visible) { Of(control).widget->setVisible(visible); }

void QtToolkit::SetEnabled(Control control, bool enabled) { Of(control).widget->setEnabled(enabled); }

void QtToolkit::SetAccessibleName(Control control, const std::string& name) {
  Of(control).widget->setAccessibleName(QString::fromStdString(name));
}

int QtToolkit::Value(Control control) {
  auto* box = qobject_cast<QCheckBox*>(Of(control).widget);
  return box != nullptr && box->isChecked() ? 1 : 0;
}

void QtToolkit::SetValue(Control control, int state) {
  if (auto* box = qobject_cast<QCheckBox*>(Of(control).widget)) {
    box->setChecked(state != 0);
  }
}

void QtToolkit::DrawEdge(Control pictureBox, const PixelRect& rect) {
  if (auto* box = dynamic_cast<QtPictureBox*>(Of(pictureBox).widget)) {
    box->SetEdge(rect);
  }
}

void QtToolkit::Show() {
  if (FormEvents* events = form_->Events()) {
    events->Form_Load();
  }
  form_->show();
}

void QtToolkit::Unload() {
  form_->close();
  form_->deleteLater();
  controls_.clear();
}

void QtToolkit::Run() {
  if (form_ && form_->isVisible()) {
    Application().exec();
  }
}

// One notifier a descriptor, each running `ready` from the event loop: no timer, no wake-up while idle.
void QtToolkit::WatchDescriptors(const std::vector<int>& descriptors, std::function<void()> ready) {
  watches_.clear();
  for (int descriptor : descriptors) {
    auto& watch = watches_.emplace_back(std::make_unique<QSocketNotifier>(descriptor, QSocketNotifier::Read));
    QObject::connect(watch.get(), &QSocketNotifier::activated, watch.get(), [ready] { ready(); });
  }
}

// The form is the timer's context: a form that goes takes its pending calls with it.
void QtToolkit::After(int milliseconds, std::function<void()> run) {
  if (form_) {
    QTimer::singleShot(milliseconds, form_.data(), std::move(run));
  }
}

QWidget* QtToolkit::FormWidget() const { return form_.data(); }

QWidget* QtToolkit::Widget(Control control) const {
  return controls_.at(static_cast<std::size_t>(control - 1)).widget;
}

}  // namespace sonaru::platform

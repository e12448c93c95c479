// Qt's input turned into the form's events: virtual-key codes, button bits and twips.
#include "platform/qt/qt_form.h"

#include <qdrawutil.h>

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QWheelEvent>

#include "platform/qt/qt_pictures.h"

namespace sonaru::platform {

namespace {

// Letters and digits have the same codes in both; the function keys F1 to F24 are 112 to 135.
int VirtualKeyCode(int key) {
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) {
    return 112 + (key - Qt::Key_F1);
  }
  if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) {
    return key;
  }
  return 0;
}

int ShiftBits(Qt::KeyboardModifiers modifiers) {
  return (modifiers & Qt::ShiftModifier ? vbShiftMask : 0) |
         (modifiers & Qt::ControlModifier ? vbCtrlMask : 0) | (modifiers & Qt::AltModifier ? vbAltMask : 0);
}

// Qt's left, right and middle buttons carry the same bits as the form's events.
int ButtonBits(Qt::MouseButtons buttons) {
  return static_cast<int>(buttons & (Qt::LeftButton | Qt::RightButton | Qt::MiddleButton));
}

}  // namespace

QtForm::QtForm(FormEvents& events, double twipsPerPixel) : events_(&events), twipsPerPixel_(twipsPerPixel) {}

const QCursor& QtForm::HandCursor() {
  if (!handCursor_) {
    handCursor_ = platform::HandCursor();
  }
  return *handCursor_;
}

void QtForm::paintEvent(QPaintEvent*) {
  if (events_ != nullptr) {
    events_->Form_Paint();
  }
}

// The controls pass on the keys they do not use, so F1 arrives here whatever has the focus.
void QtForm::keyPressEvent(QKeyEvent* event) {
  if (events_ != nullptr) {
    events_->Form_KeyDown(VirtualKeyCode(event->key()), ShiftBits(event->modifiers()));
  }
  QWidget::keyPressEvent(event);
}

void QtForm::closeEvent(QCloseEvent* event) {
  if (FormEvents* events = std::exchange(events_, nullptr)) {
    events->Form_Unload();
  }
  event->accept();
}

void QtForm::wheelEvent(QWheelEvent* event) { Wheel(*event, event->position()); }

bool QtForm::eventFilter(QObject* watched, QEvent* event) {
  auto* control = qobject_cast<QWidget*>(watched);
  if (event->type() != QEvent::Wheel || control == nullptr) {
    return QWidget::eventFilter(watched, event);
  }
  auto& wheel = static_cast<QWheelEvent&>(*event);
  Wheel(wheel, control->mapTo(this, wheel.position()));
  return true;
}

// Whole notches only: a notch is 120 eighths of a degree, and fine-grained wheels and touchpads send less
// at a time.
void QtForm::Wheel(QWheelEvent& event, QPointF position) {
  constexpr int Notch = 120;
  wheelAngle_ += event.angleDelta().y();
  const int steps = wheelAngle_ / Notch;
  wheelAngle_ -= steps * Notch;
  if (steps != 0 && events_ != nullptr) {
    events_->Form_MouseWheel(steps, static_cast<float>(position.x() * twipsPerPixel_),
                             static_cast<float>(position.y() * twipsPerPixel_));
  }
  event.accept();
}

QtPictureBox::QtPictureBox(QtForm& form, Control control, const ControlDesign& design)
    : QWidget(&form), form_(form), control_(control), picture_(PicturePixmap(design.picture)) {
  if (design.backColor) {
    face_ = QColor(design.backColor->red, design.backColor->green, design.backColor->blue);
  }
  if (design.handCursor) {
    setCursor(form.HandCursor());
  }
}

void QtPictureBox::SetEdge(const PixelRect& rect) {
  const QRect edge(QPoint(rect.left, rect.top), QPoint(rect.right - 1, rect.bottom - 1));
  if (edge_ != edge) {
    edge_ = edge;
    update();
  }
}

// DrawEdge's EDGE_RAISED: light grey outside and white inside above and left, black outside and grey
// inside below and right. qDrawWinPanel takes the outer colours from Light and Shadow, the inner ones from
// Midlight and Dark.
void QtPictureBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (face_) {
    painter.fillRect(rect(), *face_);
  }
  if (!picture_.isNull()) {
    painter.drawPixmap(0, 0, picture_);
  }
  if (edge_) {
    QPalette edgeColours;
    edgeColours.setColor(QPalette::Light, QColor(192, 192, 192));
    edgeColours.setColor(QPalette::Midlight, Qt::white);
    edgeColours.setColor(QPalette::Dark, QColor(128, 128, 128));
    edgeColours.setColor(QPalette::Shadow, Qt::black);
    qDrawWinPanel(&painter, *edge_, edgeColours, false);
  }
}

void QtPictureBox::mousePressEvent(QMouseEvent* event) {
  ForwardPendingMove();
  Forward(Mouse::Down, Read(ButtonBits(event->button()), *event));
}

// Qt sends the moves and the release to the widget the button went down on, wherever the pointer is. The
// moves reach the form once per pass of the event loop, the newest only, as X11 compresses them already:
// elsewhere (Wayland) a mixer slower than the mouse would otherwise fall further and further behind it.
void QtPictureBox::mouseMoveEvent(QMouseEvent* event) {
  const bool forwardScheduled = pendingMove_.has_value();
  pendingMove_ = Read(ButtonBits(event->buttons()), *event);
  if (!forwardScheduled) {
    QTimer::singleShot(0, this, [this] { ForwardPendingMove(); });
  }
}

// The release comes after the last move, which is forwarded first.
void QtPictureBox::mouseReleaseEvent(QMouseEvent* event) {
  ForwardPendingMove();
  Forward(Mouse::Up, Read(ButtonBits(event->button()), *event));
}

QtPictureBox::Input QtPictureBox::Read(int button, const QMouseEvent& event) const {
  return {button, ShiftBits(event.modifiers()),
          static_cast<float>(event.position().x() * form_.TwipsPerPixel()),
          static_cast<float>(event.position().y() * form_.TwipsPerPixel())};
}

void QtPictureBox::ForwardPendingMove() {
  if (const std::optional<Input> move = std::exchange(pendingMove_, std::nullopt)) {
    Forward(Mouse::Move, *move);
  }
}

void QtPictureBox::Forward(Mouse kind, const Input& input) {
  FormEvents* events = form_.Events();
  if (events == nullptr) {
    return;
  }
  switch (kind) {
    case Mouse::Down:
      events->Control_MouseDown(control_, input.button, input.shift, input.x, input.y);
      break;
    case Mouse::Move:
      events->Control_MouseMove(control_, input.button, input.shift, input.x, input.y);
      break;
    case Mouse::Up:
      events->Control_MouseUp(control_, input.button, input.shift, input.x, input.y);
      break;
  }
}

}  // namespace sonaru::platform

// The form's Qt widgets: the top-level form and the picture box, both forwarding their input as events.
#pragma once

#include <QCursor>
#include <QPixmap>
#include <QWidget>
#include <optional>

#include "platform/toolkit.h"

namespace sonaru::platform {

/// Forwards paint, keys and closing to the form's events until the form has unloaded.
class QtForm final : public QWidget {
 public:
  QtForm(FormEvents& events, double twipsPerPixel);

  /// The events, or nothing once the form has unloaded.
  FormEvents* Events() const { return events_; }
  /// No event is forwarded from now on.
  void Detach() { events_ = nullptr; }
  double TwipsPerPixel() const { return twipsPerPixel_; }
  /// The pointing hand, made once for all the thumbs: one picture to decode and one cursor on the display.
  const QCursor& HandCursor();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  /// Takes the wheel from the form's controls, which would only pass it on.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Wheel(QWheelEvent& event, QPointF position);

  FormEvents* events_;
  int wheelAngle_ = 0;  // eighths of a degree not yet delivered as whole notches
  double twipsPerPixel_;
  std::optional<QCursor> handCursor_;
};

/// A borderless box showing a picture or a coloured face, with an optional raised edge over it.
class QtPictureBox final : public QWidget {
 public:
  QtPictureBox(QtForm& form, Control control, const ControlDesign& design);

  void SetEdge(const PixelRect& rect);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  enum class Mouse { Down, Move, Up };
  struct Input {
    int button, shift;
    float x, y;  // twips from the box's top-left corner
  };
  Input Read(int button, const QMouseEvent& event) const;
  void Forward(Mouse kind, const Input& input);
  void ForwardPendingMove();

  QtForm& form_;
  Control control_;
  QPixmap picture_;
  std::optional<QColor> face_;
  std::optional<QRect> edge_;
  std::optional<Input> pendingMove_;  // the newest move, not yet forwarded
};

}  // namespace sonaru::platform

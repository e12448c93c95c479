// The window toolkit on Qt 6 Widgets: twips become pixels by the screen's twips per pixel.
#pragma once

#include <QPointer>
#include <QSocketNotifier>
#include <memory>
#include <vector>

#include "platform/qt/qt_fonts.h"
#include "platform/toolkit.h"

class QWidget;

namespace sonaru::platform {

class QtForm;

/// Creates the application only when a form is made: the windowless runs never touch the display.
class QtToolkit final : public Toolkit {
 public:
  QtToolkit() = default;
  ~QtToolkit() override;
  QtToolkit(const QtToolkit&) = delete;
  QtToolkit& operator=(const QtToolkit&) = delete;

  bool DisplayAvailable() override;
  void CreateForm(const FormDesign& design, FormEvents& events) override;
  void ReleaseForm(FormEvents& events) override;
  Control AddControl(const ControlDesign& design) override;
  Control LoadCopy(Control element0) override;
  TwipsRect Place(Control control) override;
  void SetTop(Control control, double top) override;
  void SetCaption(Control control, const std::string& caption) override;
  void SetVisible(Control control, bool visible) override;
  void SetEnabled(Control control, bool enabled) override;
  void SetAccessibleName(Control control, const std::string& name) override;
  int Value(Control control) override;
  void SetValue(Control control, int state) override;
  double TwipsPerPixelX() override;
  double TwipsPerPixelY() override;
  void DrawEdge(Control pictureBox, const PixelRect& rect) override;
  void Show() override;
  void Unload() override;
  void Run() override;
  void WatchDescriptors(const std::vector<int>& descriptors, std::function<void()> ready) override;
  void After(int milliseconds, std::function<void()> run) override;

  /// The form's widget, for tests that drive it as a user would; null before CreateForm and after unloading.
  QWidget* FormWidget() const;
  /// A control's widget.
  QWidget* Widget(Control control) const;

 private:
  struct Entry {
    ControlDesign design;
    QWidget* widget;
  };

  Entry& Of(Control control);
  void Layout(Entry& entry);
  QWidget* MakeWidget(Control control, const ControlDesign& design);

  QPointer<QtForm> form_;
  std::vector<Entry> controls_;  // control c is controls_[c - 1]
  std::vector<std::unique_ptr<QSocketNotifier>> watches_;
  QtFontWarmUp fonts_;
};

}  // namespace sonaru::platform

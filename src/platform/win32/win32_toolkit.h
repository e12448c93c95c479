// The window toolkit on the Win32 API: one fixed window of standard controls and picture boxes, its twips
// in pixels by the window's DPI.
#pragma once

#include <memory>

#include "platform/toolkit.h"
#include "platform/win32/win32_accessible_names.h"
#include "platform/win32/win32_pictures.h"

namespace sonaru::platform {

class Win32Form;

/// Labels are STATIC controls, buttons and check boxes BUTTON controls (a state set by SetValue runs
/// Control_Click itself, as Windows sends no BN_CLICKED for it), picture boxes windows of this toolkit's own.
/// The message loop hands every key of the form to Form_KeyDown first, whatever control has the focus,
/// except the dialog keys (Tab, Enter, Esc, Space, arrows), then lets the dialog manager move the focus and
/// press the button of an access key (Alt+letter).
///
/// Descriptors: Windows has none to watch for the mixer (winmm reports changes as window messages), so
/// WatchDescriptors accepts any list and watches nothing; the window does not follow changes made elsewhere.
class Win32Toolkit final : public Toolkit {
 public:
  Win32Toolkit();
  ~Win32Toolkit() override;
  Win32Toolkit(const Win32Toolkit&) = delete;
  Win32Toolkit& operator=(const Win32Toolkit&) = delete;

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

 private:
  double TwipsPerPixel() const;

  Win32Pictures pictures_;  // outlives the form, whose controls show them
  Win32AccessibleNames names_;
  std::unique_ptr<Win32Form> form_;
};

}  // namespace sonaru::platform

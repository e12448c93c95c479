// The window toolkit service: one fixed-size form of labels, check boxes, buttons and picture boxes, in
// twips.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/toolkit_design.h"

namespace sonaru::platform {

/// The events of the form, delivered one at a time on the toolkit's thread.
class FormEvents {
 public:
  virtual ~FormEvents() = default;

  /// The form is being shown for the first time.
  virtual void Form_Load() = 0;
  /// The form is being repainted; DrawEdge may be called now.
  virtual void Form_Paint() = 0;
  /// The mouse wheel turned by `steps` notches (positive away from the user), the pointer at `x`, `y` twips
  /// from the form's top-left corner, wherever in the form it is.
  virtual void Form_MouseWheel(int steps, float x, float y) = 0;
  /// A key went down that the control with the focus does not use itself (F1 never is), wherever the focus is
  /// in the form.
  virtual void Form_KeyDown(int keyCode, int shift) = 0;
  /// The form is closing, by Unload or by its close box; no event follows.
  virtual void Form_Unload() = 0;
  /// A button was pressed, or a check box's state changed (by the user or by SetValue).
  virtual void Control_Click(Control control) = 0;
  /// Mouse events of a picture box: `button` holds the button bits (for MouseMove all buttons held, else
  /// the one that changed), x and y are twips from the control's top-left corner. The control on which a
  /// button went down receives every move and the release, wherever the pointer is.
  virtual void Control_MouseDown(Control control, int button, int shift, float x, float y) = 0;
  virtual void Control_MouseMove(Control control, int button, int shift, float x, float y) = 0;
  virtual void Control_MouseUp(Control control, int button, int shift, float x, float y) = 0;
};

class Toolkit {
 public:
  virtual ~Toolkit() = default;

  /// False when no display can show a form; then no other member may be called.
  virtual bool DisplayAvailable() = 0;
  /// Creates the form, hidden; its events go to `events` until it has unloaded.
  virtual void CreateForm(const FormDesign& design, FormEvents& events) = 0;
  /// `events` is going away: no event reaches it from now on, and its form, if still there, goes too.
  virtual void ReleaseForm(FormEvents& events) = 0;
  /// Adds a visible, enabled control to the form.
  virtual Control AddControl(const ControlDesign& design) = 0;
  /// A further element of an indexed group: a hidden copy of `element0` at the same place.
  virtual Control LoadCopy(Control element0) = 0;

  virtual TwipsRect Place(Control control) = 0;
  virtual void SetTop(Control control, double top) = 0;
  virtual void SetCaption(Control control, const std::string& caption) = 0;
  virtual void SetVisible(Control control, bool visible) = 0;
  virtual void SetEnabled(Control control, bool enabled) = 0;
  /// What a screen reader says of the control.
  virtual void SetAccessibleName(Control control, const std::string& name) = 0;
  /// A check box's state: 0 cleared, 1 ticked.
  virtual int Value(Control control) = 0;
  /// Sets a check box's state; when the state changes, its Control_Click runs before this returns.
  virtual void SetValue(Control control, int state) = 0;

  /// The screen's twips per pixel (15 at 96 dots per inch).
  virtual double TwipsPerPixelX() = 0;
  virtual double TwipsPerPixelY() = 0;
  /// DrawEdge with EDGE_RAISED and BF_RECT: a raised two-line edge inside `rect` of a picture box, over its
  /// face, until the next paint.
  virtual void DrawEdge(Control pictureBox, const PixelRect& rect) = 0;

  /// Runs Form_Load, then shows the form modeless.
  virtual void Show() = 0;
  /// Closes the form as its close box does: Form_Unload runs, then the form and its controls are gone.
  virtual void Unload() = 0;
  /// Handles the form's events until it has unloaded.
  virtual void Run() = 0;

  /// From now on runs `ready` on the toolkit's thread whenever one of `descriptors` becomes readable; a new
  /// call replaces the watch, an empty list ends it, and so does ReleaseForm.
  virtual void WatchDescriptors(const std::vector<int>& descriptors, std::function<void()> ready) = 0;
  /// Runs `run` once on the toolkit's thread after `milliseconds`, unless the form goes first.
  virtual void After(int milliseconds, std::function<void()> run) = 0;
};

}  // namespace sonaru::platform

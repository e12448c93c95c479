// The form as a Win32 window: its controls placed from twips by the window's DPI, its messages turned into
// the form's events.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "platform/toolkit.h"
#include "platform/win32/win32_window_messages.h"

struct HWND__;
struct HFONT__;
struct tagMSG;

namespace sonaru::platform {

class Win32Pictures;
class Win32PictureBox;

/// The Shift, Ctrl and Alt keys held now, as the events' Shift bits.
int ShiftState();

/// A control's child-window identifier, clear of the dialog manager's own (IDOK, IDCANCEL...).
int ChildId(Control control);

/// A fixed dialog-style window: caption, close and minimize boxes, no resizing. Its events stop at Detach
/// or at the close, after Form_Unload.
class Win32Form final : public Win32WindowMessages {
 public:
  Win32Form(const FormDesign& design, FormEvents& events, Win32Pictures& pictures);
  /// Destroys the window, if it is still there, with its controls.
  ~Win32Form();

  FormEvents* Events() const { return events_; }
  void Detach() { events_ = nullptr; }
  /// The window has not been closed yet.
  bool Open() const { return window_ != nullptr; }
  double TwipsPerPixel() const;

  Control Add(const ControlDesign& design);
  ControlDesign& Design(Control control);
  HWND__* ControlWindow(Control control);
  /// Puts the control where its design says, at the window's DPI.
  void Layout(Control control);
  /// Sets a check box's state; true when it changed.
  bool Check(Control control, bool ticked);
  void SetEdge(Control pictureBox, const PixelRect& rect);

  /// Shows the window and gives the focus to its first control that takes it.
  void Show();
  /// Form_Unload, then the window and its controls go.
  void Close();
  void After(int milliseconds, std::function<void()> run);
  /// The keys of the whole form: Form_KeyDown for any key but the dialog keys, whatever has the focus, then
  /// Tab, access keys and the other dialog keys. True when `message` needs no further dispatch.
  bool PreTranslate(tagMSG& message);

 private:
  struct Entry;
  struct DeleteFont {
    void operator()(HFONT__* font) const;
  };

  std::intptr_t Handle(unsigned int message, std::uintptr_t wParam, std::intptr_t lParam) override;
  void Command(HWND__* control);
  void Wheel(std::uintptr_t wParam, std::intptr_t lParam);
  void Timer(std::uintptr_t id);
  void RestoreFocus();
  void ChangeDpi(unsigned int dpi, const void* suggested);
  void SizeToClient();
  void MakeFont();

  FormEvents* events_;
  Win32Pictures& pictures_;
  HWND__* lastFocus_ = nullptr;
  unsigned int dpi_ = 96;
  double clientWidth_, clientHeight_;
  std::unique_ptr<HFONT__, DeleteFont> font_;
  std::vector<Entry> controls_;  // control c is controls_[c - 1]
  std::map<std::uintptr_t, std::function<void()>> timers_;
  std::uintptr_t nextTimer_ = 1;
  int wheelDelta_ = 0;  // not yet delivered as whole notches
};

}  // namespace sonaru::platform

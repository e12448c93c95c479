// The Toolkit members on the form's window, and the message loop.
#include "platform/win32/win32_toolkit.h"

#include <windows.h>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_dpi.h"
#include "platform/win32/win32_form.h"

namespace sonaru::platform {

Win32Toolkit::Win32Toolkit() = default;

Win32Toolkit::~Win32Toolkit() = default;

bool Win32Toolkit::DisplayAvailable() { return WindowsCanBeShown(); }

void Win32Toolkit::CreateForm(const FormDesign& design, FormEvents& events) {
  form_.reset();
  form_ = std::make_unique<Win32Form>(design, events, pictures_);
}

void Win32Toolkit::ReleaseForm(FormEvents& events) {
  if (form_ && form_->Events() == &events) {
    form_->Detach();
  }
  if (form_ && form_->Events() == nullptr) {
    form_.reset();
  }
}

Control Win32Toolkit::AddControl(const ControlDesign& design) { return form_->Add(design); }

Control Win32Toolkit::LoadCopy(Control element0) {
  const ControlDesign design = form_->Design(element0);
  const bool enabled = ::IsWindowEnabled(form_->ControlWindow(element0)) != 0;
  const Control control = form_->Add(design);
  ::EnableWindow(form_->ControlWindow(control), enabled ? TRUE : FALSE);
  ::ShowWindow(form_->ControlWindow(control), SW_HIDE);
  return control;
}

TwipsRect Win32Toolkit::Place(Control control) { return form_->Design(control).place; }

void Win32Toolkit::SetTop(Control control, double top) {
  form_->Design(control).place.top = top;
  form_->Layout(control);
}

void Win32Toolkit::SetCaption(Control control, const std::string& caption) {
  form_->Design(control).caption = caption;
  if (form_->Design(control).kind != ControlKind::PictureBox) {
    ::SetWindowTextW(form_->ControlWindow(control), ToWide(caption).c_str());
  }
}

void Win32Toolkit::SetVisible(Control control, bool visible) {
  ::ShowWindow(form_->ControlWindow(control), visible ? SW_SHOWNA : SW_HIDE);
}

void Win32Toolkit::SetEnabled(Control control, bool enabled) {
  ::EnableWindow(form_->ControlWindow(control), enabled ? TRUE : FALSE);
}

void Win32Toolkit::SetAccessibleName(Control control, const std::string& name) {
  names_.Set(form_->ControlWindow(control), name);
}

int Win32Toolkit::Value(Control control) {
  return ::SendMessageW(form_->ControlWindow(control), BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

void Win32Toolkit::SetValue(Control control, int state) {
  if (form_->Design(control).kind == ControlKind::CheckBox && form_->Check(control, state != 0)) {
    if (FormEvents* events = form_->Events()) {
      events->Control_Click(control);
    }
  }
}

// The form's DPI once it exists; the screen's before.
double Win32Toolkit::TwipsPerPixel() const {
  if (form_ && form_->Open()) {
    return form_->TwipsPerPixel();
  }
  return 1440.0 / ScreenDpi();
}

double Win32Toolkit::TwipsPerPixelX() { return TwipsPerPixel(); }

double Win32Toolkit::TwipsPerPixelY() { return TwipsPerPixel(); }

void Win32Toolkit::DrawEdge(Control pictureBox, const PixelRect& rect) { form_->SetEdge(pictureBox, rect); }

void Win32Toolkit::Show() {
  if (FormEvents* events = form_->Events()) {
    events->Form_Load();
  }
  form_->Show();
}

void Win32Toolkit::Unload() { form_->Close(); }

void Win32Toolkit::Run() {
  MSG message;
  while (form_ && form_->Open() && ::GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (!form_->PreTranslate(message)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
  }
}

void Win32Toolkit::WatchDescriptors(const std::vector<int>&, std::function<void()>) {}

void Win32Toolkit::After(int milliseconds, std::function<void()> run) {
  if (form_) {
    form_->After(milliseconds, std::move(run));
  }
}

}  // namespace sonaru::platform

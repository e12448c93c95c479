// The form's window: its class, its controls, and its messages as the form's events.
#include "platform/win32/win32_form.h"

#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <windowsx.h>

#include <utility>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_dpi.h"
#include "platform/win32/win32_picture_box.h"
#include "platform/win32/win32_pictures.h"

namespace sonaru::platform {

struct Win32Form::Entry {
  ControlDesign design;
  HWND window = nullptr;
  std::unique_ptr<Win32PictureBox> picture;
};

namespace {

constexpr const wchar_t* ClassName = L"SonaruForm";
constexpr DWORD Style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD ExStyle = WS_EX_CONTROLPARENT;

// The keys that the dialog manager and the controls use: moving the focus, pressing, and the modifiers.
bool DialogKey(WPARAM key) {
  switch (key) {
    case VK_TAB:
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_SPACE:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_SHIFT:
    case VK_CONTROL:
    case VK_MENU:
      return true;
    default:
      return false;
  }
}

}  // namespace

int ShiftState() {
  const auto held = [](int key) { return (::GetKeyState(key) & 0x8000) != 0; };
  return (held(VK_SHIFT) ? vbShiftMask : 0) | (held(VK_CONTROL) ? vbCtrlMask : 0) |
         (held(VK_MENU) ? vbAltMask : 0);
}

int ChildId(Control control) { return 1000 + control; }

void Win32Form::DeleteFont::operator()(HFONT font) const { ::DeleteObject(font); }

Win32Form::Win32Form(const FormDesign& design, FormEvents& events, Win32Pictures& pictures)
    : events_(&events),
      pictures_(pictures),
      clientWidth_(design.clientWidth),
      clientHeight_(design.clientHeight) {
  // The manifest asks for version 6 of the common controls: their buttons take the system's look.
  INITCOMMONCONTROLSEX commonControls{sizeof commonControls, ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&commonControls);
  RegisterWindowClass(ClassName, true);
  ::CreateWindowExW(ExStyle, ClassName, ToWide(design.caption).c_str(), Style, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, ::GetModuleHandleW(nullptr),
                    static_cast<Win32WindowMessages*>(this));
  if (window_ == nullptr) {
    return;
  }
  dpi_ = WindowDpi(window_);
  MakeFont();
  SizeToClient();
  if (HICON icon = pictures_.Icon(design.icon)) {
    ::SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    ::SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  }
}

Win32Form::~Win32Form() {
  events_ = nullptr;
  if (window_ != nullptr) {
    ::DestroyWindow(window_);
  }
}

double Win32Form::TwipsPerPixel() const { return 1440.0 / dpi_; }

// Picture boxes stand in front of the other controls (a thumb over its track); the others keep the order
// of creation, which is the order of the Tab key.
Control Win32Form::Add(const ControlDesign& design) {
  const auto control = static_cast<Control>(controls_.size() + 1);
  Entry entry{design, nullptr, nullptr};
  const std::wstring caption = ToWide(design.caption);
  const auto child = [&](const wchar_t* windowClass, DWORD style) {
    return ::CreateWindowExW(0, windowClass, caption.c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style,
                             0, 0, 0, 0, window_,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(ChildId(control))),
                             ::GetModuleHandleW(nullptr), nullptr);
  };
  switch (design.kind) {
    case ControlKind::Label:
      entry.window =
          child(L"STATIC", (design.centred ? SS_CENTER : SS_LEFT) | (design.bordered ? WS_BORDER : 0));
      break;
    case ControlKind::CheckBox:
      entry.window = child(L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP);
      break;
    case ControlKind::CommandButton:
      entry.window = child(L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP);
      break;
    case ControlKind::PictureBox:
      entry.picture =
          std::make_unique<Win32PictureBox>(*this, control, design, pictures_.Icon(design.picture),
                                            design.handCursor ? pictures_.HandCursor() : nullptr);
      entry.window = entry.picture->Window();
      ::SetWindowPos(entry.window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      break;
  }
  if (entry.window != nullptr && !entry.picture) {
    ::SendMessageW(entry.window, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  }
  controls_.push_back(std::move(entry));
  Layout(control);
  return control;
}

ControlDesign& Win32Form::Design(Control control) {
  return controls_.at(static_cast<std::size_t>(control - 1)).design;
}

HWND Win32Form::ControlWindow(Control control) {
  return controls_.at(static_cast<std::size_t>(control - 1)).window;
}

void Win32Form::Layout(Control control) {
  const Entry& entry = controls_.at(static_cast<std::size_t>(control - 1));
  const TwipsRect& place = entry.design.place;
  ::SetWindowPos(entry.window, nullptr, Pixels(place.left, dpi_), Pixels(place.top, dpi_),
                 Pixels(place.width, dpi_), Pixels(place.height, dpi_), SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Win32Form::Check(Control control, bool ticked) {
  HWND box = ControlWindow(control);
  if ((::SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED) == ticked) {
    return false;
  }
  ::SendMessageW(box, BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED, 0);
  return true;
}

void Win32Form::SetEdge(Control pictureBox, const PixelRect& rect) {
  if (const auto& picture = controls_.at(static_cast<std::size_t>(pictureBox - 1)).picture) {
    picture->SetEdge(rect);
  }
}

void Win32Form::Show() {
  ::ShowWindow(window_, SW_SHOW);
  ::UpdateWindow(window_);
  RestoreFocus();
}

void Win32Form::Close() {
  if (FormEvents* events = std::exchange(events_, nullptr)) {
    events->Form_Unload();
  }
  if (window_ != nullptr) {
    ::DestroyWindow(window_);
  }
}

void Win32Form::After(int milliseconds, std::function<void()> run) {
  if (window_ == nullptr) {
    return;
  }
  const std::uintptr_t id = nextTimer_++;
  timers_[id] = std::move(run);
  ::SetTimer(window_, id, static_cast<UINT>(milliseconds), nullptr);
}

bool Win32Form::PreTranslate(MSG& message) {
  if (window_ == nullptr || (message.hwnd != window_ && ::IsChild(window_, message.hwnd) == 0)) {
    return false;
  }
  if ((message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) && !DialogKey(message.wParam) &&
      events_ != nullptr) {
    events_->Form_KeyDown(static_cast<int>(message.wParam), ShiftState());
    if (window_ == nullptr) {
      return true;
    }
  }
  return ::IsDialogMessageW(window_, &message) != 0;
}

std::intptr_t Win32Form::Handle(unsigned int message, std::uintptr_t wParam, std::intptr_t lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      ::BeginPaint(window_, &paint);
      ::EndPaint(window_, &paint);
      if (events_ != nullptr) {
        events_->Form_Paint();
      }
      return 0;
    }
    case WM_CLOSE:
      Close();
      return 0;
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED && lParam != 0) {
        Command(reinterpret_cast<HWND>(lParam));  // NOLINT(performance-no-int-to-ptr)
      }
      return 0;
    case WM_MOUSEWHEEL:
      Wheel(wParam, lParam);
      return 0;
    case WM_TIMER:
      Timer(wParam);
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = ::GetFocus();
        if (focus != nullptr && ::IsChild(window_, focus) != 0) {
          lastFocus_ = focus;
        }
      }
      break;
    case WM_SETFOCUS:
      RestoreFocus();
      return 0;
    case WM_DPICHANGED:
      ChangeDpi(HIWORD(wParam), reinterpret_cast<const void*>(lParam));  // NOLINT(performance-no-int-to-ptr)
      return 0;
    case WM_DESTROY:
      timers_.clear();
      break;
    case WM_NCDESTROY: {
      HWND window = std::exchange(window_, nullptr);
      return ::DefWindowProcW(window, message, wParam, lParam);
    }
    default:
      break;
  }
  return ::DefWindowProcW(window_, message, wParam, lParam);
}

// Buttons and check boxes only: a picture box or a label sends no click.
void Win32Form::Command(HWND control) {
  for (std::size_t c = 0; c < controls_.size(); ++c) {
    const Entry& entry = controls_[c];
    if (entry.window == control && events_ != nullptr &&
        (entry.design.kind == ControlKind::CommandButton || entry.design.kind == ControlKind::CheckBox)) {
      events_->Control_Click(static_cast<Control>(c + 1));
    }
  }
}

// Whole notches only: fine-grained wheels and touchpads send less than a notch at a time.
void Win32Form::Wheel(std::uintptr_t wParam, std::intptr_t lParam) {
  wheelDelta_ += GET_WHEEL_DELTA_WPARAM(wParam);
  const int steps = wheelDelta_ / WHEEL_DELTA;
  wheelDelta_ -= steps * WHEEL_DELTA;
  if (steps == 0 || events_ == nullptr) {
    return;
  }
  POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ::ScreenToClient(window_, &point);
  events_->Form_MouseWheel(steps, static_cast<float>(point.x * TwipsPerPixel()),
                           static_cast<float>(point.y * TwipsPerPixel()));
}

void Win32Form::Timer(std::uintptr_t id) {
  ::KillTimer(window_, id);
  const auto found = timers_.find(id);
  if (found == timers_.end()) {
    return;
  }
  const std::function<void()> run = std::move(found->second);
  timers_.erase(found);
  run();
}

// Where the focus was when the window was last left, else the first control that takes it.
void Win32Form::RestoreFocus() {
  HWND target =
      lastFocus_ != nullptr && ::IsWindowVisible(lastFocus_) != 0 && ::IsWindowEnabled(lastFocus_) != 0
          ? lastFocus_
          : ::GetNextDlgTabItem(window_, nullptr, FALSE);
  if (target != nullptr) {
    ::SetFocus(target);
  }
}

// A move to a screen of another DPI: the same twips in that screen's pixels, at the place Windows
// suggests.
void Win32Form::ChangeDpi(unsigned int dpi, const void* suggested) {
  for (Entry& entry : controls_) {
    if (entry.picture) {
      entry.picture->ScaleEdge(dpi_, dpi);
    }
  }
  dpi_ = dpi;
  MakeFont();
  for (std::size_t c = 0; c < controls_.size(); ++c) {
    Layout(static_cast<Control>(c + 1));
  }
  const RECT& place = *static_cast<const RECT*>(suggested);
  ::SetWindowPos(window_, nullptr, place.left, place.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SizeToClient();
  ::InvalidateRect(window_, nullptr, TRUE);
}

void Win32Form::SizeToClient() {
  const OuterSize size =
      WindowSizeFor(Pixels(clientWidth_, dpi_), Pixels(clientHeight_, dpi_), Style, ExStyle, dpi_);
  ::SetWindowPos(window_, nullptr, 0, 0, size.width, size.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The system's message font, bold as the design has it, at the window's DPI.
void Win32Form::MakeFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  LOGFONTW font{};
  if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0) != 0) {
    font = metrics.lfMessageFont;
    font.lfHeight = ::MulDiv(font.lfHeight, static_cast<int>(dpi_), static_cast<int>(ScreenDpi()));
  } else {
    font.lfHeight = -::MulDiv(9, static_cast<int>(dpi_), 72);
  }
  font.lfWeight = FW_BOLD;
  std::unique_ptr<HFONT__, DeleteFont> made(::CreateFontIndirectW(&font));
  for (const Entry& entry : controls_) {
    if (!entry.picture) {
      ::SendMessageW(entry.window, WM_SETFONT, reinterpret_cast<WPARAM>(made.get()), TRUE);
    }
  }
  font_ = std::move(made);  // the controls no longer use the previous one
}

}  // namespace sonaru::platform

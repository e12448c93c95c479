// The picture box's window class: paint, cursor, and the mouse in twips with the capture held.
#include "platform/win32/win32_picture_box.h"

#include <windows.h>
#include <windowsx.h>

#include "platform/win32/win32_form.h"

namespace sonaru::platform {

namespace {

constexpr const wchar_t* ClassName = L"SonaruPictureBox";

// The buttons held, as the events' button bits.
int HeldButtons(WPARAM wParam) {
  return ((wParam & MK_LBUTTON) != 0 ? vbLeftButton : 0) | ((wParam & MK_RBUTTON) != 0 ? vbRightButton : 0) |
         ((wParam & MK_MBUTTON) != 0 ? vbMiddleButton : 0);
}

}  // namespace

Win32PictureBox::Win32PictureBox(Win32Form& form, Control control, const ControlDesign& design, HICON picture,
                                 HICON cursor)
    : form_(form), control_(control), picture_(picture), cursor_(cursor) {
  if (design.backColor) {
    face_ = RGB(design.backColor->red, design.backColor->green, design.backColor->blue);
  }
  RegisterWindowClass(ClassName, false);
  ::CreateWindowExW(0, ClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, 0, form.Window(),
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(ChildId(control))),
                    ::GetModuleHandleW(nullptr), static_cast<Win32WindowMessages*>(this));
}

void Win32PictureBox::SetEdge(const PixelRect& rect) {
  if (!edge_ || edge_->left != rect.left || edge_->top != rect.top || edge_->right != rect.right ||
      edge_->bottom != rect.bottom) {
    edge_ = rect;
    ::InvalidateRect(window_, nullptr, TRUE);
  }
}

void Win32PictureBox::ScaleEdge(unsigned int from, unsigned int to) {
  if (edge_) {
    const auto scale = [from, to](int pixels) {
      return ::MulDiv(pixels, static_cast<int>(to), static_cast<int>(from));
    };
    edge_ = PixelRect{scale(edge_->left), scale(edge_->top), scale(edge_->right), scale(edge_->bottom)};
  }
}

std::intptr_t Win32PictureBox::Handle(unsigned int message, std::uintptr_t wParam, std::intptr_t lParam) {
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the paint covers the whole box
    case WM_SETCURSOR:
      if (cursor_ != nullptr && LOWORD(lParam) == HTCLIENT) {
        ::SetCursor(cursor_);
        return TRUE;
      }
      break;
    case WM_LBUTTONDOWN:
      Forward(Mouse::Down, vbLeftButton, wParam, lParam);
      return 0;
    case WM_RBUTTONDOWN:
      Forward(Mouse::Down, vbRightButton, wParam, lParam);
      return 0;
    case WM_MBUTTONDOWN:
      Forward(Mouse::Down, vbMiddleButton, wParam, lParam);
      return 0;
    case WM_MOUSEMOVE:
      Forward(Mouse::Move, HeldButtons(wParam), wParam, lParam);
      return 0;
    case WM_LBUTTONUP:
      Forward(Mouse::Up, vbLeftButton, wParam, lParam);
      return 0;
    case WM_RBUTTONUP:
      Forward(Mouse::Up, vbRightButton, wParam, lParam);
      return 0;
    case WM_MBUTTONUP:
      Forward(Mouse::Up, vbMiddleButton, wParam, lParam);
      return 0;
    case WM_NCDESTROY:
      window_ = nullptr;
      break;
    default:
      break;
  }
  return ::DefWindowProcW(window_, message, wParam, lParam);
}

// The face, the picture stretched over the box (32 pixels at 96 dots per inch), then DrawEdge's raised
// edge.
void Win32PictureBox::Paint() {
  PAINTSTRUCT paint;
  HDC dc = ::BeginPaint(window_, &paint);
  RECT box;
  ::GetClientRect(window_, &box);
  if (face_) {
    ::SetDCBrushColor(dc, *face_);
    ::FillRect(dc, &box, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
  } else {
    ::FillRect(dc, &box, ::GetSysColorBrush(COLOR_BTNFACE));
  }
  if (picture_ != nullptr) {
    ::DrawIconEx(dc, 0, 0, picture_, box.right, box.bottom, 0, nullptr, DI_NORMAL);
  }
  if (edge_) {
    RECT edge{edge_->left, edge_->top, edge_->right, edge_->bottom};
    ::DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT);
  }
  ::EndPaint(window_, &paint);
}

// The capture lasts while a button is held; moves report every button held, the others the one that
// changed. A release's wParam holds the buttons still down.
void Win32PictureBox::Forward(Mouse kind, int button, std::uintptr_t wParam, std::intptr_t lParam) {
  if (kind == Mouse::Down) {
    ::SetCapture(window_);
  } else if (kind == Mouse::Up && HeldButtons(wParam) == 0) {
    ::ReleaseCapture();
  }
  FormEvents* events = form_.Events();
  if (events == nullptr) {
    return;
  }
  const double twips = form_.TwipsPerPixel();
  const auto x = static_cast<float>(GET_X_LPARAM(lParam) * twips);
  const auto y = static_cast<float>(GET_Y_LPARAM(lParam) * twips);
  switch (kind) {
    case Mouse::Down:
      events->Control_MouseDown(control_, button, ShiftState(), x, y);
      break;
    case Mouse::Move:
      events->Control_MouseMove(control_, button, ShiftState(), x, y);
      break;
    case Mouse::Up:
      events->Control_MouseUp(control_, button, ShiftState(), x, y);
      break;
  }
}

}  // namespace sonaru::platform

// The picture box: a child window showing a picture or a coloured face, with an optional raised edge.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/toolkit.h"
#include "platform/win32/win32_window_messages.h"

struct HWND__;
struct HICON__;

namespace sonaru::platform {

class Win32Form;

/// Draws itself and forwards its mouse to the form's events, in twips. A button that goes down captures
/// the mouse, so that this box gets every move and the release wherever the pointer goes.
class Win32PictureBox final : public Win32WindowMessages {
 public:
  /// The picture and the cursor are borrowed: their owner outlives the box.
  Win32PictureBox(Win32Form& form, Control control, const ControlDesign& design, HICON__* picture,
                  HICON__* cursor);

  /// The edge over the face from now on, in the box's pixels.
  void SetEdge(const PixelRect& rect);
  /// The edge drawn at `from` dots per inch, drawn at `to` from now on.
  void ScaleEdge(unsigned int from, unsigned int to);

 private:
  enum class Mouse { Down, Move, Up };

  std::intptr_t Handle(unsigned int message, std::uintptr_t wParam, std::intptr_t lParam) override;
  void Paint();
  void Forward(Mouse kind, int button, std::uintptr_t wParam, std::intptr_t lParam);

  Win32Form& form_;
  Control control_;
  HICON__* picture_;
  HICON__* cursor_;
  std::optional<std::uint32_t> face_;  // a COLORREF
  std::optional<PixelRect> edge_;
};

}  // namespace sonaru::platform

// Dots per inch: the screen's, a window's, and what twips and client areas come to in pixels.
#pragma once

struct HWND__;

namespace sonaru::platform {

/// Pixels for `twips` at `dpi` dots per inch, to the nearest.
int Pixels(double twips, unsigned int dpi);

/// The screen's dots per inch (the system's, for a program that scales itself for each monitor).
unsigned int ScreenDpi();

/// The dots per inch of the monitor that shows `window` (Windows 10 1607 and later), else the screen's.
unsigned int WindowDpi(HWND__* window);

struct OuterSize {
  int width = 0, height = 0;
};

/// The size of a window of `style` and `exStyle` whose client area is `width` by `height` pixels, with
/// the frame and caption of `dpi`.
OuterSize WindowSizeFor(int width, int height, unsigned long style, unsigned long exStyle, unsigned int dpi);

}  // namespace sonaru::platform

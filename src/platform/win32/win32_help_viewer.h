// The help viewer on Windows: HTML Help's own window on the compiled help file.
#pragma once

#include "platform/help_viewer.h"

namespace sonaru::platform {

/// HTML Help (hhctrl.ocx), loaded at the first call so that the windowless runs never load it. Its window
/// belongs to the window that is active in the calling thread (the main window, when F1 is pressed
/// there), else to the desktop. Destroying the viewer closes the windows it opened.
class Win32HelpViewer final : public HelpViewer {
 public:
  Win32HelpViewer() = default;
  ~Win32HelpViewer() override;
  Win32HelpViewer(const Win32HelpViewer&) = delete;
  Win32HelpViewer& operator=(const Win32HelpViewer&) = delete;

  /// Each call brings the window forward at the default topic, read afresh from `file`.
  void HtmlHelpA(const std::string& file, std::uint32_t command) override;

 private:
  void* library_ = nullptr;  // hhctrl.ocx, once loaded
};

}  // namespace sonaru::platform

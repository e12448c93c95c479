// The help viewer service: the program's compiled help file shown beside the main window.
#pragma once

#include <cstdint>
#include <string>

namespace sonaru::platform {

/// Show the help file's default topic.
inline constexpr std::uint32_t HH_DISPLAY_TOPIC = 0;

class HelpViewer {
 public:
  virtual ~HelpViewer() = default;

  /// Opens the help file `file` with `command` HH_DISPLAY_TOPIC, the only command supported, and returns
  /// without waiting for the viewer. Reports nothing: a missing file shows whatever the viewer shows.
  virtual void HtmlHelpA(const std::string& file, std::uint32_t command) = 0;
};

}  // namespace sonaru::platform

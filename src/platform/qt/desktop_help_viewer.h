// The help file handed to the desktop's own viewer for its kind of file.
#pragma once

#include "platform/help_viewer.h"

namespace sonaru::platform {

class DesktopHelpViewer final : public HelpViewer {
 public:
  void HtmlHelpA(const std::string& file, std::uint32_t command) override;
};

}  // namespace sonaru::platform

// Fakes of the sound and help services that record what they were asked.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/help_viewer.h"
#include "platform/sound.h"

namespace sonaru::test {

class RecordingSound final : public platform::Sound {
 public:
  std::vector<std::pair<std::string, std::uint32_t>> played;
  bool sndPlaySoundA(const std::string& fileName, std::uint32_t flags) override {
    played.emplace_back(fileName, flags);
    return true;
  }
};

class RecordingHelpViewer final : public platform::HelpViewer {
 public:
  std::vector<std::pair<std::string, std::uint32_t>> opened;
  void HtmlHelpA(const std::string& file, std::uint32_t command) override {
    opened.emplace_back(file, command);
  }
};

}  // namespace sonaru::test

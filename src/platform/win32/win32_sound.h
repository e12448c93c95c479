// Sounds on Windows: winmm's PlaySoundW plays a WAV file in the background.
#pragma once

#include <vector>

#include "platform/sound.h"

namespace sonaru::platform {

/// One sound at a time for the process. The file is read whole and played from memory: winmm opens files
/// by their name in the ANSI code page, which cannot name every folder, and starts a file it cannot read
/// as if it played. Destroying the player stops the sound that plays.
class Win32Sound final : public Sound {
 public:
  Win32Sound() = default;
  ~Win32Sound() override;
  Win32Sound(const Win32Sound&) = delete;
  Win32Sound& operator=(const Win32Sound&) = delete;

  bool sndPlaySoundA(const std::string& fileName, std::uint32_t flags) override;

 private:
  // The sound last started, which the system reads while it plays.
  std::vector<char> playing_;
};

}  // namespace sonaru::platform

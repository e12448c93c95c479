// The sound service: a short WAV file played in the background.
#pragma once

#include <cstdint>
#include <string>

namespace sonaru::platform {

/// Return at once while the sound plays on.
inline constexpr std::uint32_t SND_ASYNC = 0x0001;
/// Play nothing while another sound is still playing.
inline constexpr std::uint32_t SND_NOSTOP = 0x0010;

class Sound {
 public:
  virtual ~Sound() = default;

  /// Starts playing the WAV file `fileName` with `flags` SND_ASYNC | SND_NOSTOP, the only flags supported.
  /// False when nothing was started: a sound still plays, the file cannot be read, or other flags.
  virtual bool sndPlaySoundA(const std::string& fileName, std::uint32_t flags) = 0;
};

}  // namespace sonaru::platform

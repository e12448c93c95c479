// Sounds on Linux: libsndfile decodes the file, an ALSA PCM device plays it on a worker thread.
#pragma once

#include <atomic>
#include <string>
#include <thread>

#include "platform/sound.h"

namespace sonaru::platform {

/// One sound at a time. Destroying the player stops the sound that plays.
class SndfileSound final : public Sound {
 public:
  /// `device` is the ALSA PCM that plays: "default" for the user's sound output.
  explicit SndfileSound(std::string device = "default");
  ~SndfileSound() override;
  SndfileSound(const SndfileSound&) = delete;
  SndfileSound& operator=(const SndfileSound&) = delete;

  bool sndPlaySoundA(const std::string& fileName, std::uint32_t flags) override;

  /// True while a sound is still playing.
  bool Playing() const { return playing_; }

 private:
  std::string device_;
  std::thread worker_;
  std::atomic<bool> playing_{false};
  std::atomic<bool> stop_{false};
};

}  // namespace sonaru::platform

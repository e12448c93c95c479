// The master volume of the default playback endpoint, through Core Audio.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/win32/com.h"

struct IAudioEndpointVolume;

namespace sonaru::platform {

/// Level and mute of the default render endpoint (eRender, eMultimedia), the ones the system's volume
/// control shows and every program plays at. Levels are winmm's, between a control's bounds, on Core
/// Audio's scalar 0..1. Calls answer false when Core Audio fails. Used on a thread in a COM apartment.
class EndpointVolume {
 public:
  /// The endpoint, when Core Audio reaches it and takes its own level written back; nothing where there is
  /// no Core Audio (Windows XP), no playback device, or only a stub (Wine 8 refuses every level).
  static std::unique_ptr<EndpointVolume> Open();
  ~EndpointVolume();
  EndpointVolume(const EndpointVolume&) = delete;
  EndpointVolume& operator=(const EndpointVolume&) = delete;

  bool GetLevel(std::int32_t minimum, std::int32_t maximum, std::int32_t& level) const;
  bool SetLevel(std::int32_t minimum, std::int32_t maximum, std::int32_t level) const;
  bool GetMute(bool& muted) const;
  bool SetMute(bool muted) const;

 private:
  EndpointVolume() = default;

  ComPtr<IAudioEndpointVolume> volume_;
};

/// A level between `minimum` and `maximum` (held within them) on the scalar 0..1, and back, rounded so that
/// every level reads back as itself.
float ScalarOfLevel(std::int32_t minimum, std::int32_t maximum, std::int32_t level);
std::int32_t LevelOfScalar(std::int32_t minimum, std::int32_t maximum, float scalar);

}  // namespace sonaru::platform

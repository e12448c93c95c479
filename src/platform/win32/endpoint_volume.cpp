// IMMDeviceEnumerator's default render endpoint, activated as IAudioEndpointVolume.
#include "platform/win32/endpoint_volume.h"

#include <windows.h>
// After windows.h, which they need.
#include <endpointvolume.h>
#include <mmdeviceapi.h>

#include <algorithm>
#include <cmath>

namespace sonaru::platform {

std::unique_ptr<EndpointVolume> EndpointVolume::Open() {
  ComPtr<IMMDeviceEnumerator> devices;
  ComPtr<IMMDevice> speakers;
  std::unique_ptr<EndpointVolume> endpoint(new EndpointVolume);
  float level = 0;
  if (FAILED(::CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_INPROC_SERVER,
                                __uuidof(IMMDeviceEnumerator), devices.PutVoid())) ||
      FAILED(devices->GetDefaultAudioEndpoint(eRender, eMultimedia, speakers.Put())) ||
      FAILED(speakers->Activate(__uuidof(IAudioEndpointVolume), CLSCTX_INPROC_SERVER, nullptr,
                                endpoint->volume_.PutVoid())) ||
      FAILED(endpoint->volume_->GetMasterVolumeLevelScalar(&level)) ||
      FAILED(endpoint->volume_->SetMasterVolumeLevelScalar(level, nullptr))) {
    return nullptr;
  }
  return endpoint;
}

EndpointVolume::~EndpointVolume() = default;

bool EndpointVolume::GetLevel(std::int32_t minimum, std::int32_t maximum, std::int32_t& level) const {
  float scalar = 0;
  if (FAILED(volume_->GetMasterVolumeLevelScalar(&scalar))) {
    return false;
  }
  level = LevelOfScalar(minimum, maximum, scalar);
  return true;
}

bool EndpointVolume::SetLevel(std::int32_t minimum, std::int32_t maximum, std::int32_t level) const {
  return SUCCEEDED(volume_->SetMasterVolumeLevelScalar(ScalarOfLevel(minimum, maximum, level), nullptr));
}

bool EndpointVolume::GetMute(bool& muted) const {
  BOOL state = FALSE;
  if (FAILED(volume_->GetMute(&state))) {
    return false;
  }
  muted = state != FALSE;
  return true;
}

bool EndpointVolume::SetMute(bool muted) const {
  return SUCCEEDED(volume_->SetMute(muted ? TRUE : FALSE, nullptr));
}

float ScalarOfLevel(std::int32_t minimum, std::int32_t maximum, std::int32_t level) {
  if (maximum <= minimum) {
    return 0;
  }
  const double span = static_cast<double>(maximum) - minimum;
  return static_cast<float>((std::clamp(level, minimum, maximum) - static_cast<double>(minimum)) / span);
}

std::int32_t LevelOfScalar(std::int32_t minimum, std::int32_t maximum, float scalar) {
  const double span = std::max(static_cast<double>(maximum) - minimum, 0.0);
  return minimum +
         static_cast<std::int32_t>(std::lround(std::clamp(static_cast<double>(scalar), 0.0, 1.0) * span));
}

}  // namespace sonaru::platform

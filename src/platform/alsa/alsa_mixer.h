// The mixer service on Linux: the ALSA simple mixer of one ctl device.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "platform/mixer.h"

namespace sonaru::platform {

/// Each open handle holds its own simple mixer on the device named at construction ("default", or the
/// device the user chose). Lines are the first existing element of each component type's candidates.
class AlsaMixer final : public Mixer {
 public:
  explicit AlsaMixer(std::string device);
  ~AlsaMixer() override;
  AlsaMixer(const AlsaMixer&) = delete;
  AlsaMixer& operator=(const AlsaMixer&) = delete;

  MMRESULT mixerOpen(HMIXER* handle, std::uint32_t deviceId) override;
  MMRESULT mixerClose(HMIXER handle) override;
  MMRESULT mixerGetLineInfoA(HMIXER handle, MIXERLINE& line, std::uint32_t flags) override;
  MMRESULT mixerGetLineControlsA(HMIXER handle, std::uint32_t lineId, std::uint32_t controlType,
                                 MIXERCONTROL& control) override;
  MMRESULT mixerGetControlDetailsA(HMIXER handle, std::uint32_t controlId, std::int32_t& value) override;
  MMRESULT mixerSetControlDetails(HMIXER handle, std::uint32_t controlId, std::int32_t value) override;
  std::vector<int> mixerChangeDescriptors(HMIXER handle) override;
  MixerChange mixerTakeChanges(HMIXER handle) override;

 private:
  struct Session;
  struct Target;

  Session* SessionOf(HMIXER handle);
  /// The control a value call addresses, with the device's latest values taken in.
  MMRESULT Reach(HMIXER handle, std::uint32_t controlId, Target& target);

  std::string device_;
  std::map<HMIXER, std::unique_ptr<Session>> sessions_;
};

}  // namespace sonaru::platform

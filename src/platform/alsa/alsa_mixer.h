// The mixer service on Linux: the mixer controls of one ALSA ctl device.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "platform/mixer.h"

namespace sonaru::platform {

/// Each open handle holds its own connection to the device named at construction ("default", or the
/// device the user chose). A line is the first existing element, as alsa-lib's simple mixer names them, of
/// its component type's candidates; its controls are that element's control elements, found when the
/// handle is opened, so that a write is one operation on the device and a read at most one.
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

  /// Starts opening the device, finding its controls and reading their values on a thread of its own, for
  /// the next mixerOpen to take: a window that is about to load its libraries then does not wait for a
  /// sound server to answer before its first picture. The device's events keep the values up to date
  /// until then, as they do for any open handle.
  void OpenAhead();

 private:
  struct Session;
  struct Opening;

  Session* SessionOf(HMIXER handle);

  std::string device_;
  std::map<HMIXER, std::unique_ptr<Session>> sessions_;
  std::unique_ptr<Opening> opening_;  // the device opened ahead, until a mixerOpen takes it
};

}  // namespace sonaru::platform

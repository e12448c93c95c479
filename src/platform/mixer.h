// The sound mixer service: lines found by component type, one volume and one mute control per line.
#pragma once

#include <cstdint>
#include <vector>

namespace sonaru::platform {

using HMIXER = std::uint32_t;
using MMRESULT = std::uint32_t;

inline constexpr MMRESULT MMSYSERR_NOERROR = 0;
inline constexpr MMRESULT MMSYSERR_ERROR = 1;
inline constexpr MMRESULT MMSYSERR_BADDEVICEID = 2;
inline constexpr MMRESULT MMSYSERR_INVALHANDLE = 5;
inline constexpr MMRESULT MMSYSERR_INVALFLAG = 10;
inline constexpr MMRESULT MIXERR_INVALLINE = 1024;
inline constexpr MMRESULT MIXERR_INVALCONTROL = 1025;

inline constexpr std::uint32_t MIXERLINE_COMPONENTTYPE_DST_SPEAKERS = 4;
inline constexpr std::uint32_t MIXERLINE_COMPONENTTYPE_SRC_LINE = 0x1002;
inline constexpr std::uint32_t MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE = 0x1003;
inline constexpr std::uint32_t MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER = 0x1004;
inline constexpr std::uint32_t MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC = 0x1005;
inline constexpr std::uint32_t MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT = 0x1008;
inline constexpr std::uint32_t MIXERLINE_COMPONENTTYPE_SRC_AUXILIARY = 0x1009;

inline constexpr std::uint32_t MIXERCONTROL_CONTROLTYPE_VOLUME = 0x50030001;
inline constexpr std::uint32_t MIXERCONTROL_CONTROLTYPE_MUTE = 0x20010002;

inline constexpr std::uint32_t MIXER_GETLINEINFOF_LINEID = 2;
inline constexpr std::uint32_t MIXER_GETLINEINFOF_COMPONENTTYPE = 3;

struct MIXERLINE {
  std::uint32_t dwLineID = 0;
  std::uint32_t dwComponentType = 0;
};

struct MIXERCONTROL {
  std::uint32_t dwControlID = 0;
  std::uint32_t dwControlType = 0;
  std::int32_t lMinimum = 0;
  std::int32_t lMaximum = 0;
};

/// What happened on a device since the changes were last taken in.
enum class MixerChange { None, Values, DeviceLost };

/// Access to the machine's mixer devices. Abstract so that the logic runs against a fake in tests.
/// Every call answers MMSYSERR_NOERROR (0) on success and another result code on failure.
class Mixer {
 public:
  virtual ~Mixer() = default;

  /// Opens mixer device `deviceId` (0 is the first) and stores its handle. On failure the handle is 0.
  virtual MMRESULT mixerOpen(HMIXER* handle, std::uint32_t deviceId) = 0;
  /// Closes a handle; a handle of 0 or one already closed answers MMSYSERR_INVALHANDLE.
  virtual MMRESULT mixerClose(HMIXER handle) = 0;
  /// Finds a line by `line.dwComponentType` (MIXER_GETLINEINFOF_COMPONENTTYPE) or by `line.dwLineID`
  /// (MIXER_GETLINEINFOF_LINEID) and fills in both fields; MIXERR_INVALLINE when there is none.
  virtual MMRESULT mixerGetLineInfoA(HMIXER handle, MIXERLINE& line, std::uint32_t flags) = 0;
  /// Finds the control of `controlType` on line `lineId` (id, type, bounds); MIXERR_INVALCONTROL when none.
  virtual MMRESULT mixerGetLineControlsA(HMIXER handle, std::uint32_t lineId, std::uint32_t controlType,
                                         MIXERCONTROL& control) = 0;
  /// Reads a control's current value as the device holds it now. Control id 0 never names a control.
  virtual MMRESULT mixerGetControlDetailsA(HMIXER handle, std::uint32_t controlId, std::int32_t& value) = 0;
  /// Writes a control's value (to all its channels alike). Control id 0 is refused.
  virtual MMRESULT mixerSetControlDetails(HMIXER handle, std::uint32_t controlId, std::int32_t value) = 0;

  /// The file descriptors that become readable when something happens on the device behind `handle`: a
  /// value changed, by this program or another, or the device went away. Empty when the backend cannot
  /// tell, or for a handle that is not open.
  virtual std::vector<int> mixerChangeDescriptors(HMIXER handle) = 0;
  /// Takes in what happened since the last call: MixerChange::Values when a value may have changed other
  /// than by this handle's own writes, MixerChange::DeviceLost when the device is gone (the handle then
  /// stays useless until closed).
  virtual MixerChange mixerTakeChanges(HMIXER handle) = 0;
};

}  // namespace sonaru::platform

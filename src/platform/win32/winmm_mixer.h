// The mixer service on Windows: winmm's mixer devices, through its wide-character calls.
#pragma once

#include <map>
#include <memory>
#include <optional>

#include "platform/mixer.h"
#include "platform/win32/com.h"

namespace sonaru::platform {

/// The interface maps one to one onto winmm: component types, control types and result codes have winmm's
/// values; a line is found with MIXER_GETLINEINFOF_COMPONENTTYPE or MIXER_GETLINEINFOF_LINEID, a control
/// with MIXER_GETLINECONTROLSF_ONEBYTYPE, and a value is one MIXERCONTROLDETAILS_BOOLEAN (switches: reads 0
/// or 1, any written value but 0 sets it) or MIXERCONTROLDETAILS_UNSIGNED with cChannels 1, so that every
/// channel holds the same value. Bounds are MIXERCONTROL's unsigned dwMinimum and dwMaximum taken as signed
/// (0..65535 on Windows and Wine).
///
/// Devices: a handle opens winmm mixer `deviceId` and looks every line up there. A microphone that it lacks
/// is looked for on the other mixers, in order: Windows since Vista and Wine give each capture endpoint a
/// mixer of its own. A handle may so own several winmm handles, all closed with it. Handles are small
/// integers from 1 that this class hands out.
///
/// Ids: winmm's line and control ids are per device, and 0 is a real control there (Wine's speakers
/// volume), while the interface keeps control id 0 for "no control". Line and control ids are therefore
/// positions, from 1, in tables of (winmm device, winmm id) that a handle fills as lookups find them.
///
/// Levels: since Vista, winmm's mixer controls act on this process's own audio session on the endpoint, not
/// on the endpoint's master volume (unless the program runs in Windows XP compatibility mode). VOL's volume
/// and mute controls (the speakers destination's) therefore go through Core Audio's IAudioEndpointVolume on
/// the default playback endpoint (EndpointVolume), with winmm's bounds; where Core Audio is missing, lacks
/// the endpoint or fails a call, winmm answers as for every other line. Wine 8 refuses Core Audio's levels,
/// so there VOL stays on winmm, whose levels Wine keeps within the process.
///
/// COM: the first handle joins the thread to the multithreaded apartment, or leaves it in the apartment it
/// is in, until the mixer goes.
///
/// Changes: winmm reports changes only as window messages (MM_MIXM_CONTROL_CHANGE), never as descriptors:
/// on Windows the window does not follow changes made by other programs.
class WinmmMixer final : public Mixer {
 public:
  WinmmMixer();
  ~WinmmMixer() override;
  WinmmMixer(const WinmmMixer&) = delete;
  WinmmMixer& operator=(const WinmmMixer&) = delete;

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
  /// The winmm control that a value call addresses.
  MMRESULT Reach(HMIXER handle, std::uint32_t controlId, Target& target);

  std::optional<ComApartment> apartment_;  // before the sessions, whose COM objects go first
  std::map<HMIXER, std::unique_ptr<Session>> sessions_;
};

}  // namespace sonaru::platform

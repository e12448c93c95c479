// Lines and controls on winmm's mixers. Interface ids are positions in tables of (device, winmm id) pairs.
#include "platform/win32/winmm_mixer.h"

#include <windows.h>
// mmsystem.h needs the types of windows.h.
#include <mmsystem.h>

#include <algorithm>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/win32/endpoint_volume.h"

// Past this point the interface's constants (MMSYSERR_*, MIXERR_*, MIXERLINE_*, MIXERCONTROL_*, MIXER_*) are
// winmm's macros of the same names and values; winmm's own HMIXER is ::HMIXER, and its calls are named
// with :: where a member shares their name.

namespace sonaru::platform {

namespace {

struct MixerCloser {
  void operator()(::HMIXER mixer) const { ::mixerClose(mixer); }
};

/// Owns one winmm mixer handle.
using unique_hmixer = std::unique_ptr<std::remove_pointer_t<::HMIXER>, MixerCloser>;

struct Device {
  UINT id;  // winmm's device id
  unique_hmixer mixer;
};

// winmm's ids hold within one device: a line or a control is known by its device as well.
struct LineRef {
  std::size_t device;  // position in Session::devices
  DWORD lineId;
  DWORD componentType;
  bool operator==(const LineRef&) const = default;
};

struct ControlRef {
  std::size_t device;
  DWORD controlId;
  DWORD controlType;
  bool master;  // VOL's volume or mute, which the endpoint serves
  std::int32_t minimum;
  std::int32_t maximum;
  bool operator==(const ControlRef&) const = default;
};

// The interface's id of `entry`: its position in `table`, from 1, where it is added when new.
template <typename Entry>
std::uint32_t IdOf(std::vector<Entry>& table, const Entry& entry) {
  auto it = std::find(table.begin(), table.end(), entry);
  if (it == table.end()) {
    it = table.insert(table.end(), entry);
  }
  return static_cast<std::uint32_t>(it - table.begin() + 1);
}

template <typename Entry>
const Entry* EntryAt(const std::vector<Entry>& table, std::uint32_t id) {
  return id >= 1 && id <= table.size() ? &table[id - 1] : nullptr;
}

HMIXEROBJ Object(const unique_hmixer& mixer) { return reinterpret_cast<HMIXEROBJ>(mixer.get()); }

MMRESULT OpenDevice(UINT id, unique_hmixer& mixer) {
  ::HMIXER opened = nullptr;
  const MMRESULT result = ::mixerOpen(&opened, id, 0, 0, MIXER_OBJECTF_MIXER);
  mixer.reset(result == MMSYSERR_NOERROR ? opened : nullptr);
  return result;
}

MMRESULT GetLine(const unique_hmixer& mixer, MIXERLINEW& line, DWORD flags) {
  line.cbStruct = sizeof line;
  return mixerGetLineInfoW(Object(mixer), &line, flags | MIXER_OBJECTF_HMIXER);
}

MMRESULT LineOfType(const unique_hmixer& mixer, DWORD componentType, MIXERLINEW& line) {
  line = {};
  line.dwComponentType = componentType;
  return GetLine(mixer, line, MIXER_GETLINEINFOF_COMPONENTTYPE);
}

// One value of a control, in winmm's structure for its kind: a switch's BOOLEAN, anything else's UNSIGNED.
class ControlValue {
 public:
  ControlValue(DWORD controlId, DWORD controlType)
      : isSwitch_((controlType & MIXERCONTROL_CT_UNITS_MASK) == MIXERCONTROL_CT_UNITS_BOOLEAN) {
    details_.cbStruct = sizeof details_;
    details_.dwControlID = controlId;
    details_.cChannels = 1;
    details_.cbDetails = isSwitch_ ? sizeof state_ : sizeof level_;
    details_.paDetails = isSwitch_ ? static_cast<void*>(&state_) : static_cast<void*>(&level_);
  }
  ControlValue(const ControlValue&) = delete;
  ControlValue& operator=(const ControlValue&) = delete;

  LPMIXERCONTROLDETAILS Details() { return &details_; }
  std::int32_t Get() const {
    return isSwitch_ ? (state_.fValue != 0 ? 1 : 0) : static_cast<std::int32_t>(level_.dwValue);
  }
  void Set(std::int32_t value) {
    state_.fValue = value != 0 ? TRUE : FALSE;
    level_.dwValue = static_cast<DWORD>(value);
  }

 private:
  bool isSwitch_;
  MIXERCONTROLDETAILS_BOOLEAN state_{};
  MIXERCONTROLDETAILS_UNSIGNED level_{};
  MIXERCONTROLDETAILS details_{};
};

}  // namespace

struct WinmmMixer::Session {
  // The line of `componentType` on the devices held, then, for a microphone, on the other mixers.
  MMRESULT FindLine(DWORD componentType, MIXERLINEW& line, std::size_t& device) {
    for (device = 0; device < devices.size(); ++device) {
      if (const MMRESULT result = LineOfType(devices[device].mixer, componentType, line);
          result != MIXERR_INVALLINE) {
        return result;
      }
    }
    if (componentType != MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE) {
      return MIXERR_INVALLINE;
    }
    for (UINT id = 0, count = mixerGetNumDevs(); id < count; ++id) {
      Device other{id, nullptr};
      if (!Holds(id) && OpenDevice(id, other.mixer) == MMSYSERR_NOERROR &&
          LineOfType(other.mixer, componentType, line) == MMSYSERR_NOERROR) {
        devices.push_back(std::move(other));
        device = devices.size() - 1;
        return MMSYSERR_NOERROR;
      }
    }
    return MIXERR_INVALLINE;
  }

  bool Holds(UINT id) const {
    return std::any_of(devices.begin(), devices.end(), [id](const Device& held) { return held.id == id; });
  }

  HMIXEROBJ MixerOf(std::size_t device) const { return Object(devices[device].mixer); }

  std::vector<Device> devices;               // the device opened, then any other that holds the microphone
  std::unique_ptr<EndpointVolume> endpoint;  // VOL's, where Core Audio serves it
  std::vector<LineRef> lines;                // line id = position + 1
  std::vector<ControlRef> controls;          // control id = position + 1
};

// A control, ready to be read or written.
struct WinmmMixer::Target {
  // Through the endpoint; false where it does not serve the control or fails, and winmm answers.
  bool ReadEndpoint(std::int32_t& value) const {
    if (endpoint == nullptr) {
      return false;
    }
    if (controlType != MIXERCONTROL_CONTROLTYPE_MUTE) {
      return endpoint->GetLevel(minimum, maximum, value);
    }
    bool muted = false;
    if (!endpoint->GetMute(muted)) {
      return false;
    }
    value = muted ? 1 : 0;
    return true;
  }
  bool WriteEndpoint(std::int32_t value) const {
    return endpoint != nullptr &&
           (controlType == MIXERCONTROL_CONTROLTYPE_MUTE ? endpoint->SetMute(value != 0)
                                                         : endpoint->SetLevel(minimum, maximum, value));
  }

  HMIXEROBJ mixer = nullptr;
  DWORD controlId = 0;  // winmm's
  DWORD controlType = 0;
  const EndpointVolume* endpoint = nullptr;
  std::int32_t minimum = 0;
  std::int32_t maximum = 0;
};

WinmmMixer::WinmmMixer() = default;

WinmmMixer::~WinmmMixer() = default;

WinmmMixer::Session* WinmmMixer::SessionOf(HMIXER handle) {
  const auto it = sessions_.find(handle);
  return it == sessions_.end() ? nullptr : it->second.get();
}

MMRESULT WinmmMixer::mixerOpen(HMIXER* handle, std::uint32_t deviceId) {
  if (handle == nullptr) {
    return MMSYSERR_INVALPARAM;
  }
  *handle = 0;
  auto session = std::make_unique<Session>();
  session->devices.push_back({deviceId, nullptr});
  if (const MMRESULT result = OpenDevice(deviceId, session->devices.front().mixer);
      result != MMSYSERR_NOERROR) {
    return result;
  }
  if (!apartment_) {
    apartment_.emplace();
  }
  session->endpoint = EndpointVolume::Open();
  HMIXER free = 1;
  while (sessions_.contains(free)) {
    ++free;
  }
  sessions_.emplace(free, std::move(session));
  *handle = free;
  return MMSYSERR_NOERROR;
}

MMRESULT WinmmMixer::mixerClose(HMIXER handle) {
  return sessions_.erase(handle) == 1 ? MMSYSERR_NOERROR : MMSYSERR_INVALHANDLE;
}

MMRESULT WinmmMixer::mixerGetLineInfoA(HMIXER handle, MIXERLINE& line, std::uint32_t flags) {
  Session* s = SessionOf(handle);
  if (s == nullptr) {
    return MMSYSERR_INVALHANDLE;
  }
  MIXERLINEW found{};
  std::size_t device = 0;
  MMRESULT result = MMSYSERR_NOERROR;
  if (flags == MIXER_GETLINEINFOF_COMPONENTTYPE) {
    result = s->FindLine(line.dwComponentType, found, device);
  } else if (flags == MIXER_GETLINEINFOF_LINEID) {
    const LineRef* known = EntryAt(s->lines, line.dwLineID);
    if (known == nullptr) {
      return MIXERR_INVALLINE;
    }
    device = known->device;
    found.dwLineID = known->lineId;
    result = GetLine(s->devices[device].mixer, found, MIXER_GETLINEINFOF_LINEID);
  } else {
    return MMSYSERR_INVALFLAG;
  }
  if (result != MMSYSERR_NOERROR) {
    return result;
  }
  line.dwLineID = IdOf(s->lines, LineRef{device, found.dwLineID, found.dwComponentType});
  line.dwComponentType = found.dwComponentType;
  return MMSYSERR_NOERROR;
}

MMRESULT WinmmMixer::mixerGetLineControlsA(HMIXER handle, std::uint32_t lineId, std::uint32_t controlType,
                                           MIXERCONTROL& control) {
  Session* s = SessionOf(handle);
  if (s == nullptr) {
    return MMSYSERR_INVALHANDLE;
  }
  const LineRef* line = EntryAt(s->lines, lineId);
  if (line == nullptr) {
    return MIXERR_INVALLINE;
  }
  MIXERCONTROLW found{};
  found.cbStruct = sizeof found;
  MIXERLINECONTROLSW query{};
  query.cbStruct = sizeof query;
  query.dwLineID = line->lineId;
  query.dwControlType = controlType;
  query.cControls = 1;
  query.cbmxctrl = sizeof found;
  query.pamxctrl = &found;
  const MMRESULT result = mixerGetLineControlsW(s->MixerOf(line->device), &query,
                                                MIXER_GETLINECONTROLSF_ONEBYTYPE | MIXER_OBJECTF_HMIXER);
  // Wine answers MMSYSERR_NOTSUPPORTED for a control type that the line lacks.
  if (result == MMSYSERR_NOTSUPPORTED) {
    return MIXERR_INVALCONTROL;
  }
  if (result != MMSYSERR_NOERROR) {
    return result;
  }
  control.dwControlType = found.dwControlType;
  control.lMinimum = static_cast<std::int32_t>(found.Bounds.dwMinimum);
  control.lMaximum = static_cast<std::int32_t>(found.Bounds.dwMaximum);
  const bool master =
      line->componentType == MIXERLINE_COMPONENTTYPE_DST_SPEAKERS &&
      (controlType == MIXERCONTROL_CONTROLTYPE_VOLUME || controlType == MIXERCONTROL_CONTROLTYPE_MUTE);
  control.dwControlID = IdOf(s->controls, ControlRef{line->device, found.dwControlID, found.dwControlType,
                                                     master, control.lMinimum, control.lMaximum});
  return MMSYSERR_NOERROR;
}

MMRESULT WinmmMixer::Reach(HMIXER handle, std::uint32_t controlId, Target& target) {
  Session* s = SessionOf(handle);
  if (s == nullptr) {
    return MMSYSERR_INVALHANDLE;
  }
  const ControlRef* control = EntryAt(s->controls, controlId);
  if (control == nullptr) {
    return MIXERR_INVALCONTROL;
  }
  target = {s->MixerOf(control->device),
            control->controlId,
            control->controlType,
            control->master ? s->endpoint.get() : nullptr,
            control->minimum,
            control->maximum};
  return MMSYSERR_NOERROR;
}

MMRESULT WinmmMixer::mixerGetControlDetailsA(HMIXER handle, std::uint32_t controlId, std::int32_t& value) {
  Target target;
  if (const MMRESULT result = Reach(handle, controlId, target); result != MMSYSERR_NOERROR) {
    return result;
  }
  if (target.ReadEndpoint(value)) {
    return MMSYSERR_NOERROR;
  }
  ControlValue current(target.controlId, target.controlType);
  const MMRESULT result = mixerGetControlDetailsW(target.mixer, current.Details(),
                                                  MIXER_GETCONTROLDETAILSF_VALUE | MIXER_OBJECTF_HMIXER);
  if (result == MMSYSERR_NOERROR) {
    value = current.Get();
  }
  return result;
}

MMRESULT WinmmMixer::mixerSetControlDetails(HMIXER handle, std::uint32_t controlId, std::int32_t value) {
  Target target;
  if (const MMRESULT result = Reach(handle, controlId, target); result != MMSYSERR_NOERROR) {
    return result;
  }
  if (target.WriteEndpoint(value)) {
    return MMSYSERR_NOERROR;
  }
  ControlValue wanted(target.controlId, target.controlType);
  wanted.Set(value);
  return ::mixerSetControlDetails(target.mixer, wanted.Details(),
                                  MIXER_SETCONTROLDETAILSF_VALUE | MIXER_OBJECTF_HMIXER);
}

std::vector<int> WinmmMixer::mixerChangeDescriptors(HMIXER) { return {}; }

MixerChange WinmmMixer::mixerTakeChanges(HMIXER) { return MixerChange::None; }

}  // namespace sonaru::platform

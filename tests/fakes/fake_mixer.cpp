// The fake mixer's lookups and value calls, each written to the call log.
#include "fakes/fake_mixer.h"

#include <stdexcept>
#include <utility>

namespace sonaru::test {

using namespace platform;

FakeLine& FakeMixer::AddLine(std::uint32_t componentType, std::optional<FakeControl> volume,
                             std::optional<FakeControl> mute) {
  lines_.push_back({componentType, volume, mute});
  return lines_.back();
}

FakeLine& FakeMixer::Line(std::uint32_t componentType) {
  for (FakeLine& line : lines_) {
    if (line.componentType == componentType) {
      return line;
    }
  }
  throw std::out_of_range("no fake line of component type " + std::to_string(componentType));
}

// Line i has id i + 1; its volume control id 2i + 1 and its mute control id 2i + 2.
std::uint32_t FakeMixer::ControlId(std::size_t lineIndex, bool mute) const {
  return static_cast<std::uint32_t>(2 * lineIndex + (mute ? 2 : 1));
}

FakeControl* FakeMixer::ControlById(std::uint32_t controlId) {
  if (controlId == 0 || controlId > 2 * lines_.size()) {
    return nullptr;
  }
  FakeLine& line = lines_[(controlId - 1) / 2];
  std::optional<FakeControl>& control = controlId % 2 == 1 ? line.volume : line.mute;
  return control ? &*control : nullptr;
}

MMRESULT FakeMixer::mixerOpen(HMIXER* handle, std::uint32_t deviceId) {
  calls.push_back("open " + std::to_string(deviceId));
  if (openFails) {
    *handle = 0;
    return MMSYSERR_BADDEVICEID;
  }
  *handle = nextHandle_++;
  handles_[*handle] = true;
  ++openHandles;
  return MMSYSERR_NOERROR;
}

MMRESULT FakeMixer::mixerClose(HMIXER handle) {
  calls.push_back("close " + std::to_string(handle));
  if (handles_.erase(handle) == 0) {
    return MMSYSERR_INVALHANDLE;
  }
  --openHandles;
  return MMSYSERR_NOERROR;
}

MMRESULT FakeMixer::mixerGetLineInfoA(HMIXER handle, MIXERLINE& line, std::uint32_t flags) {
  const bool byType = flags == MIXER_GETLINEINFOF_COMPONENTTYPE;
  calls.push_back(byType ? "lineinfo type " + std::to_string(line.dwComponentType)
                         : "lineinfo id " + std::to_string(line.dwLineID));
  if (!handles_.contains(handle)) {
    return MMSYSERR_INVALHANDLE;
  }
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const std::uint32_t id = static_cast<std::uint32_t>(i + 1);
    if (byType ? lines_[i].componentType == line.dwComponentType : id == line.dwLineID) {
      line.dwLineID = id;
      line.dwComponentType = lines_[i].componentType;
      return MMSYSERR_NOERROR;
    }
  }
  return MIXERR_INVALLINE;
}

MMRESULT FakeMixer::mixerGetLineControlsA(HMIXER handle, std::uint32_t lineId, std::uint32_t controlType,
                                          MIXERCONTROL& control) {
  const bool mute = controlType == MIXERCONTROL_CONTROLTYPE_MUTE;
  calls.push_back(std::string(mute ? "mutecontrol " : "volumecontrol ") + std::to_string(lineId));
  if (!handles_.contains(handle)) {
    return MMSYSERR_INVALHANDLE;
  }
  if (lineId == 0 || lineId > lines_.size()) {
    return MIXERR_INVALLINE;
  }
  const std::optional<FakeControl>& found = mute ? lines_[lineId - 1].mute : lines_[lineId - 1].volume;
  if (!found) {
    return MIXERR_INVALCONTROL;
  }
  control = {ControlId(lineId - 1, mute), controlType, found->minimum, found->maximum};
  return MMSYSERR_NOERROR;
}

MMRESULT FakeMixer::mixerGetControlDetailsA(HMIXER handle, std::uint32_t controlId, std::int32_t& value) {
  calls.push_back("get " + std::to_string(controlId));
  FakeControl* control = ControlById(controlId);
  if (!handles_.contains(handle) || control == nullptr) {
    value = -1;  // a failed read may leave anything behind
    return MIXERR_INVALCONTROL;
  }
  value = control->value;
  return MMSYSERR_NOERROR;
}

MMRESULT FakeMixer::mixerSetControlDetails(HMIXER handle, std::uint32_t controlId, std::int32_t value) {
  calls.push_back("set " + std::to_string(controlId) + " " + std::to_string(value));
  FakeControl* control = ControlById(controlId);
  if (!handles_.contains(handle) || control == nullptr) {
    return MIXERR_INVALCONTROL;
  }
  if (writesFail) {
    return MMSYSERR_ERROR;
  }
  control->value = value;
  return MMSYSERR_NOERROR;
}

std::vector<int> FakeMixer::mixerChangeDescriptors(HMIXER handle) {
  return handles_.contains(handle) ? changeDescriptors : std::vector<int>{};
}

platform::MixerChange FakeMixer::mixerTakeChanges(HMIXER handle) {
  calls.push_back("changes " + std::to_string(handle));
  return std::exchange(pendingChange, platform::MixerChange::None);
}

std::vector<std::string> FakeMixer::ValueCalls() const {
  std::vector<std::string> result;
  for (const std::string& call : calls) {
    if (call.starts_with("get ") || call.starts_with("set ")) {
      result.push_back(call);
    }
  }
  return result;
}

}  // namespace sonaru::test

// A scriptable mixer: lines with optional volume and mute controls, and a log of every call.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/mixer.h"

namespace sonaru::test {

struct FakeControl {
  std::int32_t minimum = 0;
  std::int32_t maximum = 65535;
  std::int32_t value = 0;
};

struct FakeLine {
  std::uint32_t componentType = 0;
  std::optional<FakeControl> volume;
  std::optional<FakeControl> mute;
};

class FakeMixer final : public platform::Mixer {
 public:
  /// Adds a line; its id and its controls' ids are assigned in the order of addition, never 0.
  FakeLine& AddLine(std::uint32_t componentType, std::optional<FakeControl> volume,
                    std::optional<FakeControl> mute = FakeControl{0, 1, 0});
  FakeLine& Line(std::uint32_t componentType);

  bool openFails = false;
  bool writesFail = false;
  std::vector<std::string> calls;  // e.g. "open 0", "lineinfo type 4", "get 3", "set 3 100", "close 1"
  int openHandles = 0;
  /// What the next mixerTakeChanges reports (then None again), and the descriptors it is told by.
  platform::MixerChange pendingChange = platform::MixerChange::None;
  std::vector<int> changeDescriptors = {42};

  platform::MMRESULT mixerOpen(platform::HMIXER* handle, std::uint32_t deviceId) override;
  platform::MMRESULT mixerClose(platform::HMIXER handle) override;
  platform::MMRESULT mixerGetLineInfoA(platform::HMIXER handle, platform::MIXERLINE& line,
                                       std::uint32_t flags) override;
  platform::MMRESULT mixerGetLineControlsA(platform::HMIXER handle, std::uint32_t lineId,
                                           std::uint32_t controlType,
                                           platform::MIXERCONTROL& control) override;
  platform::MMRESULT mixerGetControlDetailsA(platform::HMIXER handle, std::uint32_t controlId,
                                             std::int32_t& value) override;
  platform::MMRESULT mixerSetControlDetails(platform::HMIXER handle, std::uint32_t controlId,
                                            std::int32_t value) override;

  std::vector<int> mixerChangeDescriptors(platform::HMIXER handle) override;
  platform::MixerChange mixerTakeChanges(platform::HMIXER handle) override;

  /// The calls that read or write control values, in order.
  std::vector<std::string> ValueCalls() const;

 private:
  FakeControl* ControlById(std::uint32_t controlId);
  std::uint32_t ControlId(std::size_t lineIndex, bool mute) const;

  std::vector<FakeLine> lines_;
  std::map<platform::HMIXER, bool> handles_;
  platform::HMIXER nextHandle_ = 1;
};

}  // namespace sonaru::test

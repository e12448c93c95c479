// A test fixture that runs the logic against fakes of every service.
#pragma once

#include <gtest/gtest.h>

#include "fakes/fake_mixer.h"
#include "fakes/memory_profile_file.h"
#include "fakes/simple_fakes.h"
#include "mixer/shared_mixer.h"
#include "platform/services.h"

namespace sonaru::test {

/// The component type of each channel's line, in channel order.
inline constexpr std::uint32_t ChannelTypes[] = {
    platform::MIXERLINE_COMPONENTTYPE_DST_SPEAKERS,    platform::MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE,
    platform::MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT,     platform::MIXERLINE_COMPONENTTYPE_SRC_LINE,
    platform::MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC, platform::MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER};

class ServicesTest : public ::testing::Test {
 protected:
  void SetUp() override { platform::services() = {&mixer, &profile, &messages, &process}; }
  void TearDown() override {
    gMixer.reset();
    platform::services() = {};
  }

  /// The settings file's text where the logic keeps it by default.
  std::string& SettingsText() { return profile.files["/opt/sonaru/Sonaru.ini"]; }

  /// A mixer with all six channels on the usual component types, each with bounds 0..65535 and a mute.
  void AddAllChannels();

  FakeMixer mixer;
  MemoryProfileFile profile;
  RecordingMessageBox messages;
  FakeProcess process;
};

inline void ServicesTest::AddAllChannels() {
  for (std::uint32_t type : ChannelTypes) {
    mixer.AddLine(type, FakeControl{0, 65535, 0});
  }
}

}  // namespace sonaru::test

// The winmm mixer service under Wine, whose winepulse driver serves a private PulseAudio server with a null
// sink and a null source (with_pulseaudio.sh). Wine keeps mixer levels within the process, like Windows
// since Vista: a level saved by one process and restored by another cannot be checked here. Wine 8 refuses
// Core Audio's endpoint levels (E_NOTIMPL), so VOL stays on winmm here (its mapping: endpoint_volume_test).
#include "platform/win32/winmm_mixer.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <vector>

namespace sonaru::platform {
namespace {

constexpr std::uint32_t Speakers = MIXERLINE_COMPONENTTYPE_DST_SPEAKERS;
constexpr std::uint32_t Microphone = MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE;
constexpr std::uint32_t WaveOut = MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT;
constexpr std::uint32_t Volume = MIXERCONTROL_CONTROLTYPE_VOLUME;
constexpr std::uint32_t Mute = MIXERCONTROL_CONTROLTYPE_MUTE;
constexpr std::uint32_t Bass = MIXERCONTROL_CONTROLTYPE_VOLUME + 1;  // a fader that Wine's lines lack

class WinmmMixerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(mixer.mixerOpen(&handle, 0), MMSYSERR_NOERROR) << "no mixer: is the sound server there?";
    ASSERT_NE(handle, 0u);
  }

  void TearDown() override {
    if (handle != 0) {
      EXPECT_EQ(mixer.mixerClose(handle), MMSYSERR_NOERROR);
    }
  }

  // A control as clsVolume finds it: the line by component type, again by the id found (as for a mute
  // control), then the control by type on that line.
  std::optional<MIXERCONTROL> Control(std::uint32_t componentType, std::uint32_t controlType, HMIXER on = 0) {
    on = on != 0 ? on : handle;
    MIXERLINE line;
    line.dwComponentType = componentType;
    if (mixer.mixerGetLineInfoA(on, line, MIXER_GETLINEINFOF_COMPONENTTYPE) != MMSYSERR_NOERROR) {
      return std::nullopt;
    }
    MIXERLINE again;
    again.dwLineID = line.dwLineID;
    EXPECT_EQ(mixer.mixerGetLineInfoA(on, again, MIXER_GETLINEINFOF_LINEID), MMSYSERR_NOERROR);
    EXPECT_EQ(again.dwComponentType, componentType);
    MIXERCONTROL found;
    if (mixer.mixerGetLineControlsA(on, line.dwLineID, controlType, found) != MMSYSERR_NOERROR) {
      return std::nullopt;
    }
    EXPECT_EQ(found.dwControlType, controlType);
    return found;
  }

  std::int32_t Read(const MIXERCONTROL& control, HMIXER on = 0) {
    std::int32_t value = -12345;
    EXPECT_EQ(mixer.mixerGetControlDetailsA(on != 0 ? on : handle, control.dwControlID, value),
              MMSYSERR_NOERROR);
    return value;
  }

  WinmmMixer mixer;
  HMIXER handle = 0;
};

TEST_F(WinmmMixerTest, SpeakersKeepTheLevelAndMuteStateWritten) {
  const auto volume = Control(Speakers, Volume);
  const auto mute = Control(Speakers, Mute);
  ASSERT_TRUE(volume && mute);
  EXPECT_EQ(volume->lMinimum, 0);
  EXPECT_EQ(volume->lMaximum, 65535);

  struct Write {
    MIXERCONTROL control;
    std::int32_t written;
    std::int32_t read;
  };
  // Any value but 0 mutes.
  const std::vector<Write> writes = {{*volume, 0, 0}, {*volume, 65535, 65535}, {*volume, 12345, 12345},
                                     {*mute, 1, 1},   {*mute, 0, 0},           {*mute, 7, 1}};
  for (const auto& [control, written, read] : writes) {
    EXPECT_EQ(mixer.mixerSetControlDetails(handle, control.dwControlID, written), MMSYSERR_NOERROR);
    EXPECT_EQ(Read(control), read) << "written " << written;
  }
  EXPECT_EQ(Read(*volume), 12345) << "a mute write leaves the level alone";
}

// winmm numbers controls per device from 0, and Wine's capture mixer uses the same numbers as the playback
// one: the ids handed out must still tell every control apart and never be 0.
TEST_F(WinmmMixerTest, EveryControlHasItsOwnIdAndKeepsIt) {
  std::vector<std::uint32_t> ids;
  for (const std::uint32_t componentType : {Speakers, WaveOut, Microphone}) {
    for (const std::uint32_t controlType : {Volume, Mute}) {
      if (const auto found = Control(componentType, controlType)) {
        ids.push_back(found->dwControlID);
        EXPECT_EQ(Control(componentType, controlType)->dwControlID, found->dwControlID);
      }
    }
  }
  ASSERT_EQ(ids.size(), 6u);
  EXPECT_EQ(std::set<std::uint32_t>(ids.begin(), ids.end()).size(), ids.size());
  EXPECT_EQ(std::set<std::uint32_t>(ids.begin(), ids.end()).count(0), 0u);
}

// Wine has no microphone on the first mixer, a playback device, but one on each capture device's mixer.
// It leaves a source line's controls unimplemented (reads return nothing, writes are dropped), so only the
// calls' answers are checked there.
TEST_F(WinmmMixerTest, MicrophoneIsFoundOnAnotherMixer) {
  const auto volume = Control(Microphone, Volume);
  const auto mute = Control(Microphone, Mute);
  ASSERT_TRUE(volume && mute);
  EXPECT_EQ(volume->lMaximum, 65535);
  std::int32_t value = 0;
  for (const MIXERCONTROL& control : {*volume, *mute}) {
    EXPECT_EQ(mixer.mixerSetControlDetails(handle, control.dwControlID, 1), MMSYSERR_NOERROR);
    EXPECT_EQ(mixer.mixerGetControlDetailsA(handle, control.dwControlID, value), MMSYSERR_NOERROR);
  }
}

TEST_F(WinmmMixerTest, UnknownLinesAndControlsAreRefused) {
  const auto speakers = Control(Speakers, Volume);
  ASSERT_TRUE(speakers);
  MIXERLINE line;
  line.dwComponentType = Speakers;
  ASSERT_EQ(mixer.mixerGetLineInfoA(handle, line, MIXER_GETLINEINFOF_COMPONENTTYPE), MMSYSERR_NOERROR);

  MIXERLINE absent;
  absent.dwComponentType = MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC;
  EXPECT_EQ(mixer.mixerGetLineInfoA(handle, absent, MIXER_GETLINEINFOF_COMPONENTTYPE), MIXERR_INVALLINE);
  for (const std::uint32_t lineId : {0u, line.dwLineID + 100}) {
    MIXERLINE byId;
    byId.dwLineID = lineId;
    EXPECT_EQ(mixer.mixerGetLineInfoA(handle, byId, MIXER_GETLINEINFOF_LINEID), MIXERR_INVALLINE) << lineId;
    MIXERCONTROL control;
    EXPECT_EQ(mixer.mixerGetLineControlsA(handle, lineId, Volume, control), MIXERR_INVALLINE) << lineId;
  }
  EXPECT_EQ(mixer.mixerGetLineInfoA(handle, line, 0), MMSYSERR_INVALFLAG);
  MIXERCONTROL control;
  EXPECT_EQ(mixer.mixerGetLineControlsA(handle, line.dwLineID, Bass, control), MIXERR_INVALCONTROL);

  for (const std::uint32_t controlId : {0u, speakers->dwControlID + 100}) {
    std::int32_t value = 0;
    EXPECT_EQ(mixer.mixerGetControlDetailsA(handle, controlId, value), MIXERR_INVALCONTROL) << controlId;
    EXPECT_EQ(mixer.mixerSetControlDetails(handle, controlId, 1), MIXERR_INVALCONTROL) << controlId;
  }
}

TEST_F(WinmmMixerTest, HandlesAreSmallNumbersOnTheSameDevice) {
  HMIXER second = 0;
  ASSERT_EQ(mixer.mixerOpen(&second, 0), MMSYSERR_NOERROR);
  EXPECT_EQ(second, handle + 1);
  const auto first = Control(Speakers, Volume);
  const auto other = Control(Speakers, Volume, second);
  ASSERT_TRUE(first && other);
  ASSERT_EQ(mixer.mixerSetControlDetails(handle, first->dwControlID, 23456), MMSYSERR_NOERROR);
  EXPECT_EQ(Read(*other, second), 23456);
  EXPECT_TRUE(mixer.mixerChangeDescriptors(second).empty());
  EXPECT_EQ(mixer.mixerTakeChanges(second), MixerChange::None);

  EXPECT_EQ(mixer.mixerClose(second), MMSYSERR_NOERROR);
  EXPECT_EQ(Read(*first), 23456);
  std::int32_t value = 0;
  MIXERLINE line;
  line.dwComponentType = Speakers;
  for (const HMIXER gone : {second, HMIXER{0}}) {
    EXPECT_EQ(mixer.mixerClose(gone), MMSYSERR_INVALHANDLE);
    EXPECT_EQ(mixer.mixerGetLineInfoA(gone, line, MIXER_GETLINEINFOF_COMPONENTTYPE), MMSYSERR_INVALHANDLE);
    EXPECT_EQ(mixer.mixerGetControlDetailsA(gone, other->dwControlID, value), MMSYSERR_INVALHANDLE);
    EXPECT_EQ(mixer.mixerSetControlDetails(gone, other->dwControlID, 1), MMSYSERR_INVALHANDLE);
  }

  HMIXER none = 99;
  EXPECT_EQ(mixer.mixerOpen(&none, 1000), MMSYSERR_BADDEVICEID);
  EXPECT_EQ(none, 0u);
}

}  // namespace
}  // namespace sonaru::platform

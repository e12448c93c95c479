// The mixer access object against a scripted mixer: lookups, fallback, bounds, clamping, presence.
#include "mixer/clsVolume.h"

#include <gmock/gmock.h>

#include "fakes/services_fixture.h"

namespace sonaru::test {
namespace {

using namespace platform;
using ::testing::ElementsAre;

class ClsVolumeTest : public ServicesTest {};

TEST_F(ClsVolumeTest, WithoutMixerShowsMessageOncePerInstanceAndReadsZero) {
  mixer.openFails = true;
  {
    clsVolume first;
    clsVolume second;
    EXPECT_EQ(messages.shown, (std::vector<std::string>{"No mixer found!", "No mixer found!"}));
    EXPECT_FALSE(first.MixerOpened());
    EXPECT_FALSE(first.ChannelPresent(63));
    EXPECT_FALSE(first.MutePresent(63));
    EXPECT_EQ(first.MaxWaveVolume(), 0);
    EXPECT_EQ(first.WaveVolume(), 0);
    EXPECT_EQ(first.CD_Mute(), 0);
  }
  // Closing is attempted even for the handle that never opened.
  EXPECT_THAT(mixer.calls, ElementsAre("open 0", "open 0", "get 0", "get 0", "close 0", "close 0"));
}

TEST_F(ClsVolumeTest, LooksUpChannelsInTableOrderVolumeThenMuteOnTheSameLine) {
  AddAllChannels();
  { clsVolume volume; }
  EXPECT_THAT(
      mixer.calls,
      ElementsAre("open 0", "lineinfo type 4", "volumecontrol 1", "lineinfo id 1", "mutecontrol 1",
                  "lineinfo type 4099", "volumecontrol 2", "lineinfo id 2", "mutecontrol 2",
                  "lineinfo type 4104", "volumecontrol 3", "lineinfo id 3", "mutecontrol 3",
                  "lineinfo type 4098", "volumecontrol 4", "lineinfo id 4", "mutecontrol 4",
                  "lineinfo type 4101", "volumecontrol 5", "lineinfo id 5", "mutecontrol 5",
                  "lineinfo type 4100", "volumecontrol 6", "lineinfo id 6", "mutecontrol 6", "close 1"));
  EXPECT_EQ(mixer.openHandles, 0);
}

TEST_F(ClsVolumeTest, PropertiesAddressTheirOwnLines) {
  mixer.AddLine(MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT, FakeControl{0, 100, 11}, FakeControl{0, 1, 1});
  mixer.AddLine(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, FakeControl{-10, 200, 22}, FakeControl{0, 1, 0});
  mixer.AddLine(MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER, FakeControl{5, 31, 7}, std::nullopt);
  clsVolume volume;
  EXPECT_EQ(volume.WaveVolume(), 22);
  EXPECT_EQ(volume.WaveInVolume(), 11);
  EXPECT_EQ(volume.WaveInMute(), 1);
  EXPECT_EQ(volume.MinWaveVolume(), -10);
  EXPECT_EQ(volume.MaxWaveVolume(), 200);
  EXPECT_EQ(volume.MinMidVolume(), 5);
  EXPECT_EQ(volume.MaxMidVolume(), 31);
  EXPECT_EQ(volume.MIDIVolume(), 7);
  EXPECT_TRUE(volume.ChannelPresent(ChannelBit(Channel::MIDI)));
  EXPECT_FALSE(volume.MutePresent(ChannelBit(Channel::MIDI)));
  EXPECT_FALSE(volume.ChannelPresent(ChannelBit(Channel::Micro)));
  EXPECT_FALSE(volume.ChannelPresent(0));
  EXPECT_TRUE(volume.ChannelPresent(ChannelBit(Channel::Micro) | ChannelBit(Channel::Wave)));
}

TEST_F(ClsVolumeTest, LineInFallsBackToAuxiliaryWhenLineIsMissing) {
  mixer.AddLine(MIXERLINE_COMPONENTTYPE_SRC_AUXILIARY, FakeControl{0, 31, 9}, FakeControl{0, 1, 1});
  clsVolume volume;
  EXPECT_TRUE(volume.ChannelPresent(8));
  EXPECT_TRUE(volume.MutePresent(8));
  EXPECT_EQ(volume.MaxLineInVolume(), 31);
  EXPECT_EQ(volume.LineInVolume(), 9);
  EXPECT_EQ(volume.LineInMute(), 1);
}

TEST_F(ClsVolumeTest, LineInFallsBackToAuxiliaryWhenLineHasNoVolume) {
  mixer.AddLine(MIXERLINE_COMPONENTTYPE_SRC_LINE, std::nullopt, FakeControl{0, 1, 0});
  mixer.AddLine(MIXERLINE_COMPONENTTYPE_SRC_AUXILIARY, FakeControl{0, 31, 9}, FakeControl{0, 1, 1});
  clsVolume volume;
  EXPECT_EQ(volume.LineInVolume(), 9);
  EXPECT_EQ(volume.LineInMute(), 1);
}

TEST_F(ClsVolumeTest, LineWithVolumeButNoMuteDoesNotBorrowTheAuxiliaryMute) {
  mixer.AddLine(MIXERLINE_COMPONENTTYPE_SRC_LINE, FakeControl{0, 100, 50}, std::nullopt);
  mixer.AddLine(MIXERLINE_COMPONENTTYPE_SRC_AUXILIARY, FakeControl{0, 31, 9}, FakeControl{0, 1, 1});
  clsVolume volume;
  EXPECT_TRUE(volume.ChannelPresent(8));
  EXPECT_FALSE(volume.MutePresent(8));
  EXPECT_EQ(volume.LineInVolume(), 50);
}

TEST_F(ClsVolumeTest, MuteWithoutVolumeSetsNeitherBit) {
  mixer.AddLine(MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC, std::nullopt, FakeControl{0, 1, 1});
  clsVolume volume;
  EXPECT_FALSE(volume.ChannelPresent(16));
  EXPECT_FALSE(volume.MutePresent(16));
}

TEST_F(ClsVolumeTest, LevelsAreClampedToBoundsAndMutesPassUnchanged) {
  mixer.AddLine(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, FakeControl{10, 31, 0}, FakeControl{0, 1, 0});
  clsVolume volume;
  volume.WaveVolume(-5);
  EXPECT_EQ(mixer.Line(4).volume->value, 10);
  volume.WaveVolume(1000);
  EXPECT_EQ(mixer.Line(4).volume->value, 31);
  volume.WaveVolume(20);
  EXPECT_EQ(mixer.Line(4).volume->value, 20);
  volume.WaveMute(2);
  EXPECT_EQ(mixer.Line(4).mute->value, 2);
}

TEST_F(ClsVolumeTest, InvertedBoundsLetTheMaximumWin) {
  mixer.AddLine(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, FakeControl{50, 10, 0});
  clsVolume volume;
  volume.WaveVolume(0);
  EXPECT_EQ(mixer.Line(4).volume->value, 10);
}

TEST_F(ClsVolumeTest, EveryReadAndWriteIsOneMixerCall) {
  mixer.AddLine(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, FakeControl{0, 100, 40}, FakeControl{0, 1, 0});
  clsVolume volume;
  volume.WaveVolume();
  volume.WaveVolume();
  volume.WaveVolume(50);
  volume.WaveMute();
  EXPECT_THAT(mixer.ValueCalls(), ElementsAre("get 1", "get 1", "set 1 50", "get 2"));
}

TEST_F(ClsVolumeTest, AbsentChannelReachesTheMixerWithIdZeroAndReadsZero) {
  mixer.AddLine(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, FakeControl{0, 100, 40});
  clsVolume volume;
  EXPECT_EQ(volume.CD_Volume(), 0);  // the fake leaves -1 behind on a failed read
  volume.CD_Volume(77);              // bounds 0..0 clamp the level to 0
  EXPECT_THAT(mixer.ValueCalls(), ElementsAre("get 0", "set 0 0"));
}

}  // namespace
}  // namespace sonaru::test

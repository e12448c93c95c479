// The ALSA mixer service against alsa-lib's real simple mixer, on virtual cards served from files.
#include "platform/alsa/alsa_mixer.h"

#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "child_process.h"
#include "virtual_card.h"

namespace sonaru::platform {
namespace {

using test::CardElement;
using test::VirtualCard;
using Values = std::vector<long>;

constexpr std::uint32_t Speakers = MIXERLINE_COMPONENTTYPE_DST_SPEAKERS;
constexpr std::uint32_t Microphone = MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE;
constexpr std::uint32_t LineIn = MIXERLINE_COMPONENTTYPE_SRC_LINE;
constexpr std::uint32_t Auxiliary = MIXERLINE_COMPONENTTYPE_SRC_AUXILIARY;
constexpr std::uint32_t Volume = MIXERCONTROL_CONTROLTYPE_VOLUME;
constexpr std::uint32_t Mute = MIXERCONTROL_CONTROLTYPE_MUTE;

CardElement Level(std::string name, long min, long max, Values values) {
  return {std::move(name), false, min, max, std::move(values)};
}

CardElement OnOff(std::string name, Values values) {
  return {std::move(name), true, 0, 1, std::move(values)};
}

class AlsaMixerTest : public ::testing::Test {
 protected:
  void TearDown() override {
    if (handle != 0) {
      EXPECT_EQ(mixer.mixerClose(handle), MMSYSERR_NOERROR);
    }
  }

  // Sets up a card with these elements and opens a handle on it.
  void Open(std::vector<CardElement> elements) {
    card.emplace(std::move(elements));
    ASSERT_EQ(mixer.mixerOpen(&handle, 0), MMSYSERR_NOERROR);
    ASSERT_NE(handle, 0u);
  }

  MMRESULT FindLine(std::uint32_t componentType, MIXERLINE& line) {
    line.dwComponentType = componentType;
    return mixer.mixerGetLineInfoA(handle, line, MIXER_GETLINEINFOF_COMPONENTTYPE);
  }

  // The control of `controlType` on the line of `componentType`, or nothing when either lookup fails.
  std::optional<MIXERCONTROL> Control(std::uint32_t componentType, std::uint32_t controlType) {
    MIXERLINE line;
    MIXERCONTROL found;
    if (FindLine(componentType, line) != MMSYSERR_NOERROR ||
        mixer.mixerGetLineControlsA(handle, line.dwLineID, controlType, found) != MMSYSERR_NOERROR) {
      return std::nullopt;
    }
    EXPECT_NE(found.dwControlID, 0u);
    EXPECT_EQ(found.dwControlType, controlType);
    return found;
  }

  // Reads a control looked up earlier, so that nothing but the read itself touches the device.
  std::int32_t Value(const MIXERCONTROL& control) {
    std::int32_t value = -12345;
    EXPECT_EQ(mixer.mixerGetControlDetailsA(handle, control.dwControlID, value), MMSYSERR_NOERROR);
    return value;
  }

  std::int32_t Read(std::uint32_t componentType, std::uint32_t controlType) {
    const auto found = Control(componentType, controlType);
    EXPECT_TRUE(found.has_value());
    return found ? Value(*found) : -12345;
  }

  void Write(std::uint32_t componentType, std::uint32_t controlType, std::int32_t value) {
    const auto found = Control(componentType, controlType);
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(mixer.mixerSetControlDetails(handle, found->dwControlID, value), MMSYSERR_NOERROR);
  }

  std::optional<VirtualCard> card;
  AlsaMixer mixer{"vcard"};
  HMIXER handle = 0;
};

// Which element makes a component type's line: one card per case, each element with its own maximum so
// that the volume control's bounds tell which one was taken.
struct LineCase {
  std::uint32_t componentType;
  std::vector<std::string> elements;  // as they appear on the card
  std::string expected;               // the element that makes the line, or empty for no line
};

void PrintTo(const LineCase& lineCase, std::ostream* out) { *out << "line from " << lineCase.expected; }

std::string CaseName(const ::testing::TestParamInfo<LineCase>& info) {
  std::string name;
  for (const std::string& element : info.param.elements) {
    name += (name.empty() ? "" : "_") + element;
  }
  return name;
}

class LineChoiceTest : public AlsaMixerTest, public ::testing::WithParamInterface<LineCase> {};

TEST_P(LineChoiceTest, FirstExistingCandidateMakesTheLine) {
  std::vector<CardElement> elements;
  for (std::size_t i = 0; i < GetParam().elements.size(); ++i) {
    elements.push_back(
        Level(GetParam().elements[i] + " Playback Volume", 0, 100 + static_cast<long>(i), {1}));
  }
  Open(elements);
  if (GetParam().expected.empty()) {
    MIXERLINE line;
    EXPECT_EQ(FindLine(GetParam().componentType, line), MIXERR_INVALLINE);
    return;
  }
  const auto volume = Control(GetParam().componentType, Volume);
  ASSERT_TRUE(volume.has_value());
  const auto expected =
      std::find(GetParam().elements.begin(), GetParam().elements.end(), GetParam().expected);
  EXPECT_EQ(volume->lMaximum, 100 + (expected - GetParam().elements.begin()));
}

INSTANTIATE_TEST_SUITE_P(
    ComponentTypes, LineChoiceTest,
    ::testing::Values(LineCase{Speakers, {"Master"}, "Master"}, LineCase{Speakers, {"Front"}, "Front"},
                      LineCase{Speakers, {"Speaker"}, "Speaker"},
                      LineCase{Speakers, {"Speaker", "Front", "Master"}, "Master"},
                      LineCase{Speakers, {"Speaker", "Front"}, "Front"},
                      LineCase{Speakers, {"Headphone"}, ""},
                      LineCase{MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT, {"Wave", "PCM"}, "PCM"},
                      LineCase{MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT, {"Wave"}, "Wave"},
                      LineCase{LineIn, {"Line"}, "Line"}, LineCase{Auxiliary, {"Aux"}, "Aux"},
                      LineCase{MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC, {"CD"}, "CD"},
                      LineCase{MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER, {"MIDI", "FM", "Synth"}, "Synth"},
                      LineCase{MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER, {"MIDI", "FM"}, "FM"},
                      LineCase{MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER, {"MIDI"}, "MIDI"},
                      LineCase{MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC, {"Line", "Aux"}, ""}),
    CaseName);

TEST_F(AlsaMixerTest, LinesAreFoundByComponentTypeAndById) {
  Open({Level("Line Playback Volume", 0, 31, {4, 4}), Level("Master Playback Volume", 0, 31, {9, 9})});
  MIXERLINE byType;
  ASSERT_EQ(FindLine(LineIn, byType), MMSYSERR_NOERROR);
  EXPECT_NE(byType.dwLineID, 0u);
  EXPECT_EQ(byType.dwComponentType, LineIn);

  MIXERLINE byId;
  byId.dwLineID = byType.dwLineID;
  ASSERT_EQ(mixer.mixerGetLineInfoA(handle, byId, MIXER_GETLINEINFOF_LINEID), MMSYSERR_NOERROR);
  EXPECT_EQ(byId.dwComponentType, LineIn);

  MIXERLINE speakers;
  ASSERT_EQ(FindLine(Speakers, speakers), MMSYSERR_NOERROR);
  EXPECT_NE(speakers.dwLineID, byType.dwLineID);
  EXPECT_EQ(Read(LineIn, Volume), 4);
  EXPECT_EQ(Read(Speakers, Volume), 9);

  for (std::uint32_t unknown : {0u, 99u}) {
    MIXERLINE line;
    line.dwLineID = unknown;
    EXPECT_EQ(mixer.mixerGetLineInfoA(handle, line, MIXER_GETLINEINFOF_LINEID), MIXERR_INVALLINE);
    MIXERCONTROL control;
    EXPECT_EQ(mixer.mixerGetLineControlsA(handle, unknown, Volume, control), MIXERR_INVALLINE);
  }
  MIXERLINE line;
  EXPECT_EQ(mixer.mixerGetLineInfoA(handle, line, 0), MMSYSERR_INVALFLAG);
}

TEST_F(AlsaMixerTest, CardWithOnlyAuxHasNoLineIn) {
  Open({Level("Aux Playback Volume", 0, 31, {17, 17}), OnOff("Aux Playback Switch", {1, 1})});
  MIXERLINE line;
  EXPECT_EQ(FindLine(LineIn, line), MIXERR_INVALLINE);
  EXPECT_EQ(Read(Auxiliary, Volume), 17);
  EXPECT_EQ(Read(Auxiliary, Mute), 0);
}

TEST_F(AlsaMixerTest, LineWithoutPlaybackVolumeHasNoVolumeControl) {
  Open({OnOff("Line Playback Switch", {0, 0}), Level("Line Capture Volume", 0, 31, {3, 3})});
  MIXERLINE line;
  ASSERT_EQ(FindLine(LineIn, line), MMSYSERR_NOERROR);
  MIXERCONTROL control;
  EXPECT_EQ(mixer.mixerGetLineControlsA(handle, line.dwLineID, Volume, control), MIXERR_INVALCONTROL);
  EXPECT_EQ(Read(LineIn, Mute), 1);
  EXPECT_EQ(mixer.mixerGetLineControlsA(handle, line.dwLineID, 0x12345678, control), MIXERR_INVALCONTROL);
}

TEST_F(AlsaMixerTest, LineWithoutPlaybackSwitchHasNoMuteControl) {
  Open({Level("Line Playback Volume", 0, 31, {3, 3}), OnOff("Line Capture Switch", {1, 1})});
  EXPECT_TRUE(Control(LineIn, Volume).has_value());
  EXPECT_FALSE(Control(LineIn, Mute).has_value());
}

TEST_F(AlsaMixerTest, VolumeBoundsAreTheElementsRawRange) {
  Open({Level("Master Playback Volume", 0, 65535, {0, 0}), Level("Line Playback Volume", 0, 31, {0, 0}),
        Level("Aux Playback Volume", -10239, 400, {0})});
  const auto master = Control(Speakers, Volume);
  const auto line = Control(LineIn, Volume);
  const auto aux = Control(Auxiliary, Volume);
  ASSERT_TRUE(master && line && aux);
  EXPECT_EQ(master->lMinimum, 0);
  EXPECT_EQ(master->lMaximum, 65535);
  EXPECT_EQ(line->lMinimum, 0);
  EXPECT_EQ(line->lMaximum, 31);
  EXPECT_EQ(aux->lMinimum, -10239);
  EXPECT_EQ(aux->lMaximum, 400);
  EXPECT_NE(master->dwControlID, line->dwControlID);
}

TEST_F(AlsaMixerTest, LevelIsReadFromTheFirstChannelAndWrittenToAll) {
  Open(
      {Level("Master Playback Volume", 0, 65535, {30000, 20000}), Level("Line Playback Volume", 0, 31, {7})});
  EXPECT_EQ(Read(Speakers, Volume), 30000);
  Write(Speakers, Volume, 12345);
  EXPECT_EQ(card->values("Master Playback Volume"), (Values{12345, 12345}));
  EXPECT_EQ(Read(Speakers, Volume), 12345);

  EXPECT_EQ(Read(LineIn, Volume), 7);
  Write(LineIn, Volume, 31);
  EXPECT_EQ(card->values("Line Playback Volume"), Values{31});
}

TEST_F(AlsaMixerTest, MuteIsTheInverseOfTheSwitch) {
  Open({OnOff("Master Playback Switch", {1, 0}), Level("Master Playback Volume", 0, 31, {5, 5})});
  EXPECT_EQ(Read(Speakers, Mute), 0);  // first channel on
  Write(Speakers, Mute, 1);
  EXPECT_EQ(card->values("Master Playback Switch"), (Values{0, 0}));
  EXPECT_EQ(Read(Speakers, Mute), 1);
  Write(Speakers, Mute, 0);
  EXPECT_EQ(card->values("Master Playback Switch"), (Values{1, 1}));
  EXPECT_EQ(Read(Speakers, Mute), 0);
  Write(Speakers, Mute, 2);
  EXPECT_EQ(card->values("Master Playback Switch"), (Values{0, 0}));
  Write(Speakers, Mute, 0);
  Write(Speakers, Mute, -1);
  EXPECT_EQ(card->values("Master Playback Switch"), (Values{0, 0}));
  EXPECT_EQ(card->values("Master Playback Volume"), (Values{5, 5}));
}

TEST_F(AlsaMixerTest, SwitchOnlyAndVolumeOnlyElementsHaveOneControl) {
  Open({OnOff("Master Playback Switch", {0}), Level("Line Playback Volume", 0, 31, {8, 8})});
  EXPECT_FALSE(Control(Speakers, Volume).has_value());
  EXPECT_EQ(Read(Speakers, Mute), 1);
  EXPECT_FALSE(Control(LineIn, Mute).has_value());
  EXPECT_EQ(Read(LineIn, Volume), 8);
}

TEST_F(AlsaMixerTest, UnknownControlIdsAreRefused) {
  Open({Level("Master Playback Volume", 0, 31, {5, 5}), OnOff("Master Playback Switch", {1, 1})});
  for (std::uint32_t unknown : {0u, 3u, 1000u}) {
    std::int32_t value = 0;
    EXPECT_NE(mixer.mixerGetControlDetailsA(handle, unknown, value), MMSYSERR_NOERROR) << unknown;
    EXPECT_NE(mixer.mixerSetControlDetails(handle, unknown, 0), MMSYSERR_NOERROR) << unknown;
  }
  EXPECT_EQ(card->values("Master Playback Volume"), (Values{5, 5}));
  EXPECT_EQ(card->values("Master Playback Switch"), (Values{1, 1}));
}

TEST_F(AlsaMixerTest, UnknownHandlesAreRefused) {
  Open({Level("Master Playback Volume", 0, 31, {5, 5})});
  const auto volume = Control(Speakers, Volume);
  ASSERT_TRUE(volume.has_value());
  for (HMIXER unknown : {HMIXER{0}, handle + 1}) {
    MIXERLINE line;
    line.dwComponentType = Speakers;
    MIXERCONTROL found;
    std::int32_t value = 0;
    EXPECT_EQ(mixer.mixerGetLineInfoA(unknown, line, MIXER_GETLINEINFOF_COMPONENTTYPE), MMSYSERR_INVALHANDLE);
    EXPECT_EQ(mixer.mixerGetLineControlsA(unknown, 1, Volume, found), MMSYSERR_INVALHANDLE);
    EXPECT_EQ(mixer.mixerGetControlDetailsA(unknown, volume->dwControlID, value), MMSYSERR_INVALHANDLE);
    EXPECT_EQ(mixer.mixerSetControlDetails(unknown, volume->dwControlID, 1), MMSYSERR_INVALHANDLE);
    EXPECT_EQ(mixer.mixerClose(unknown), MMSYSERR_INVALHANDLE);
  }
  ASSERT_EQ(mixer.mixerClose(handle), MMSYSERR_NOERROR);
  EXPECT_EQ(mixer.mixerClose(handle), MMSYSERR_INVALHANDLE);
  handle = 0;
}

TEST_F(AlsaMixerTest, MicrophoneMixedIntoThePlaybackIsControlledThere) {
  Open({Level("Mic Playback Volume", 0, 31, {10, 10}), OnOff("Mic Playback Switch", {0, 0}),
        Level("Mic Capture Volume", 0, 63, {40, 40}), OnOff("Mic Capture Switch", {1, 1}),
        Level("Capture Volume", 0, 127, {90, 90})});
  const auto volume = Control(Microphone, Volume);
  ASSERT_TRUE(volume.has_value());
  EXPECT_EQ(volume->lMaximum, 31);
  EXPECT_EQ(Read(Microphone, Volume), 10);
  EXPECT_EQ(Read(Microphone, Mute), 1);
  Write(Microphone, Volume, 20);
  Write(Microphone, Mute, 0);
  EXPECT_EQ(card->values("Mic Playback Volume"), (Values{20, 20}));
  EXPECT_EQ(card->values("Mic Playback Switch"), (Values{1, 1}));
  EXPECT_EQ(card->values("Mic Capture Volume"), (Values{40, 40}));
  EXPECT_EQ(card->values("Mic Capture Switch"), (Values{1, 1}));
}

TEST_F(AlsaMixerTest, MicrophoneWithoutPlaybackVolumeIsControlledAtItsInput) {
  Open({Level("Mic Capture Volume", 0, 63, {40}), OnOff("Mic Capture Switch", {0}),
        OnOff("Mic Playback Switch", {1}), Level("Capture Volume", 0, 127, {90, 90})});
  const auto volume = Control(Microphone, Volume);
  ASSERT_TRUE(volume.has_value());
  EXPECT_EQ(volume->lMaximum, 63);
  EXPECT_EQ(Read(Microphone, Volume), 40);
  EXPECT_EQ(Read(Microphone, Mute), 1);
  Write(Microphone, Volume, 50);
  Write(Microphone, Mute, 0);
  EXPECT_EQ(card->values("Mic Capture Volume"), Values{50});
  EXPECT_EQ(card->values("Mic Capture Switch"), Values{1});
  EXPECT_EQ(card->values("Mic Playback Switch"), Values{1});
  EXPECT_EQ(card->values("Capture Volume"), (Values{90, 90}));
}

TEST_F(AlsaMixerTest, WithoutMicTheCaptureElementIsTheMicrophone) {
  Open({Level("Capture Volume", 0, 127, {90, 80}), OnOff("Capture Switch", {1, 1}),
        Level("Master Playback Volume", 0, 31, {1, 1})});
  const auto volume = Control(Microphone, Volume);
  ASSERT_TRUE(volume.has_value());
  EXPECT_EQ(volume->lMaximum, 127);
  EXPECT_EQ(Read(Microphone, Volume), 90);
  EXPECT_EQ(Read(Microphone, Mute), 0);
  Write(Microphone, Volume, 100);
  Write(Microphone, Mute, 1);
  EXPECT_EQ(card->values("Capture Volume"), (Values{100, 100}));
  EXPECT_EQ(card->values("Capture Switch"), (Values{0, 0}));
}

TEST_F(AlsaMixerTest, OpeningFailsWithoutAUsableCard) {
  card.emplace(std::vector{Level("Master Playback Volume", 0, 31, {5, 5})});
  handle = 77;
  EXPECT_EQ(mixer.mixerOpen(&handle, 1), MMSYSERR_BADDEVICEID);
  EXPECT_EQ(handle, 0u);

  AlsaMixer unknown("sonaru-no-such-device");
  handle = 77;
  EXPECT_NE(unknown.mixerOpen(&handle, 0), MMSYSERR_NOERROR);
  EXPECT_EQ(handle, 0u);

  for (const char* text : {"Master Playback Volume;int;0;31;40 5\n", "Master Playback Volume;int;0;31\n",
                           "Master Playback Volume;float;0;31;1 1\n", "Master Playback Volume;int;9;1;5\n",
                           "Master Playback Switch;bool;0;2;1\n", "Master Playback Volume;int;0;31;x\n",
                           "A;int;0;1;1\nA;int;0;1;1\n"}) {
    std::ofstream(card->file()) << text;
    handle = 77;
    EXPECT_NE(mixer.mixerOpen(&handle, 0), MMSYSERR_NOERROR) << text;
    EXPECT_EQ(handle, 0u);
  }
  std::filesystem::remove(card->file());
  handle = 77;
  EXPECT_NE(mixer.mixerOpen(&handle, 0), MMSYSERR_NOERROR);
  EXPECT_EQ(handle, 0u);
}

TEST_F(AlsaMixerTest, DefaultDeviceIsTheCardUnderTheTestConfiguration) {
  card.emplace(std::vector{Level("Master Playback Volume", 0, 31, {21, 21})});
  AlsaMixer byDefault("default");
  ASSERT_EQ(byDefault.mixerOpen(&handle, 0), MMSYSERR_NOERROR);
  MIXERLINE line;
  line.dwComponentType = Speakers;
  EXPECT_EQ(byDefault.mixerGetLineInfoA(handle, line, MIXER_GETLINEINFOF_COMPONENTTYPE), MMSYSERR_NOERROR);
  EXPECT_EQ(byDefault.mixerClose(handle), MMSYSERR_NOERROR);
  handle = 0;
}

TEST_F(AlsaMixerTest, HandlesOpenAtOnceAreIndependent) {
  Open({Level("Master Playback Volume", 0, 31, {5, 5})});
  HMIXER second = 0;
  ASSERT_EQ(mixer.mixerOpen(&second, 0), MMSYSERR_NOERROR);
  EXPECT_NE(second, 0u);
  EXPECT_NE(second, handle);

  MIXERLINE line;
  MIXERCONTROL volume;
  line.dwComponentType = Speakers;
  ASSERT_EQ(mixer.mixerGetLineInfoA(second, line, MIXER_GETLINEINFOF_COMPONENTTYPE), MMSYSERR_NOERROR);
  ASSERT_EQ(mixer.mixerGetLineControlsA(second, line.dwLineID, Volume, volume), MMSYSERR_NOERROR);
  EXPECT_EQ(Read(Speakers, Volume), 5);
  ASSERT_EQ(mixer.mixerSetControlDetails(second, volume.dwControlID, 25), MMSYSERR_NOERROR);
  EXPECT_EQ(Read(Speakers, Volume), 25);

  ASSERT_EQ(mixer.mixerClose(handle), MMSYSERR_NOERROR);
  std::int32_t value = 0;
  EXPECT_EQ(mixer.mixerGetControlDetailsA(second, volume.dwControlID, value), MMSYSERR_NOERROR);
  EXPECT_EQ(value, 25);
  ASSERT_EQ(mixer.mixerOpen(&handle, 0), MMSYSERR_NOERROR);
  EXPECT_NE(handle, second);
  EXPECT_EQ(mixer.mixerClose(second), MMSYSERR_NOERROR);
}

// The window opens the device ahead, while it loads. What the handle then reads is the device as it is when
// read; a device that was not there is opened again; an opening never taken goes with the mixer.
TEST_F(AlsaMixerTest, ADeviceOpenedAheadServesTheNextHandleAsTheDeviceIsThen) {
  using std::chrono_literals::operator""ms;
  card.emplace(std::vector{Level("Master Playback Volume", 0, 31, {5, 5})});
  mixer.OpenAhead();
  std::this_thread::sleep_for(100ms);  // the opening has read 5 by now
  card->set("Master Playback Volume", {7, 7});
  ASSERT_EQ(mixer.mixerOpen(&handle, 0), MMSYSERR_NOERROR);
  EXPECT_EQ(Read(Speakers, Volume), 7);
  HMIXER second = 0;
  ASSERT_EQ(mixer.mixerOpen(&second, 0), MMSYSERR_NOERROR);
  EXPECT_NE(second, handle);
  EXPECT_EQ(mixer.mixerClose(second), MMSYSERR_NOERROR);

  const std::string away = card->file() + ".away";
  std::filesystem::rename(card->file(), away);
  AlsaMixer later("vcard");
  later.OpenAhead();
  std::this_thread::sleep_for(100ms);  // the opening has failed by now
  std::filesystem::rename(away, card->file());
  ASSERT_EQ(later.mixerOpen(&second, 0), MMSYSERR_NOERROR);
  EXPECT_EQ(later.mixerClose(second), MMSYSERR_NOERROR);

  AlsaMixer("vcard").OpenAhead();
}

constexpr const char* kAmixer = "/usr/bin/amixer";

TEST_F(AlsaMixerTest, ChangesByOtherProcessesAreSeenByAnOpenHandle) {
  Open({Level("Master Playback Volume", 0, 65535, {100, 100}), OnOff("Master Playback Switch", {1, 1})});
  const auto volume = Control(Speakers, Volume);
  const auto mute = Control(Speakers, Mute);
  ASSERT_TRUE(volume && mute);
  EXPECT_EQ(Value(*volume), 100);
  EXPECT_EQ(Value(*mute), 0);

  card->set("Master Playback Volume", {200, 300});
  card->set("Master Playback Switch", {0, 0});
  EXPECT_EQ(Value(*volume), 200);
  EXPECT_EQ(Value(*mute), 1);

  if (::access(kAmixer, X_OK) != 0) {
    GTEST_SKIP() << kAmixer << " (alsa-utils) is not installed";
  }
  const test::ProcessOptions options{card->environment(), {}, std::chrono::seconds(10)};
  auto result = test::RunProcess(
      {kAmixer, "-q", "-D", card->device(), "cset", "name=Master Playback Volume", "4000,5000"}, options);
  EXPECT_EQ(result.exitStatus, 0) << result.err;
  EXPECT_EQ(Value(*volume), 4000);
  result = test::RunProcess({kAmixer, "-q", "-D", card->device(), "sset", "Master", "unmute"}, options);
  EXPECT_EQ(result.exitStatus, 0) << result.err;
  EXPECT_EQ(Value(*mute), 0);
}

TEST_F(AlsaMixerTest, WritesGoToTheDeviceAsItIsNow) {
  Open({Level("Master Playback Volume", 0, 31, {10, 10}), Level("Line Playback Volume", 0, 31, {1, 1})});
  const auto volume = Control(Speakers, Volume);
  ASSERT_TRUE(volume.has_value());
  EXPECT_EQ(Value(*volume), 10);
  // Another process moves both; writing the level this handle last read must still reach the card, and
  // the other element's change must survive the write.
  card->set("Master Playback Volume", {20, 20});
  card->set("Line Playback Volume", {2, 2});
  EXPECT_EQ(mixer.mixerSetControlDetails(handle, volume->dwControlID, 10), MMSYSERR_NOERROR);
  EXPECT_EQ(card->values("Master Playback Volume"), (Values{10, 10}));
  EXPECT_EQ(card->values("Line Playback Volume"), (Values{2, 2}));
}

// Counts the replacements of a card file, each one write that reached the card. The temporary files' moves
// stand between them, so that inotify does not merge two replacements that are not read in between.
class CardWrites {
 public:
  explicit CardWrites(const std::filesystem::path& file)
      : name_(file.filename()), watch_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
    EXPECT_GE(::inotify_add_watch(watch_, file.parent_path().c_str(), IN_MOVED_FROM | IN_MOVED_TO), 0);
  }
  ~CardWrites() { ::close(watch_); }
  CardWrites(const CardWrites&) = delete;
  CardWrites& operator=(const CardWrites&) = delete;

  /// The writes since the last call.
  int Take() {
    int writes = 0;
    alignas(inotify_event) char buffer[4096];
    for (ssize_t length; (length = ::read(watch_, buffer, sizeof buffer)) > 0;) {
      for (char* p = buffer; p < buffer + length;) {
        const auto* event = reinterpret_cast<const inotify_event*>(p);
        writes += (event->mask & IN_MOVED_TO) != 0 && event->len > 0 && name_ == event->name ? 1 : 0;
        p += sizeof(inotify_event) + event->len;
      }
    }
    return writes;
  }

 private:
  std::string name_;
  int watch_;
};

// A drag writes a level at every move: one write of the device for all channels, none for the level that
// the device holds already, and never a channel changed alone.
TEST_F(AlsaMixerTest, AValueReachesEveryChannelInOneWrite) {
  Open({Level("Master Playback Volume", 0, 65535, {100, 200}), OnOff("Master Playback Switch", {1, 1})});
  const auto volume = Control(Speakers, Volume);
  const auto mute = Control(Speakers, Mute);
  ASSERT_TRUE(volume && mute);
  CardWrites writes(card->file());
  const struct {
    std::uint32_t controlId;
    std::int32_t value;
    int writes;
    Values volume, onOff;
  } steps[] = {
      {volume->dwControlID, 12345, 1, {12345, 12345}, {1, 1}},
      {volume->dwControlID, 12345, 0, {12345, 12345}, {1, 1}},
      {volume->dwControlID, 99999, 0, {12345, 12345}, {1, 1}},  // out of range, as alsa-lib's simple mixer
      {mute->dwControlID, 1, 1, {12345, 12345}, {0, 0}},
      {mute->dwControlID, 7, 0, {12345, 12345}, {0, 0}},
      {volume->dwControlID, 0, 1, {0, 0}, {0, 0}},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.value);
    EXPECT_EQ(mixer.mixerSetControlDetails(handle, step.controlId, step.value), MMSYSERR_NOERROR);
    EXPECT_EQ(writes.Take(), step.writes);
    EXPECT_EQ(card->values("Master Playback Volume"), step.volume);
    EXPECT_EQ(card->values("Master Playback Switch"), step.onOff);
  }
}

// The window follows changes made elsewhere, and not the echo of its own writes.
TEST_F(AlsaMixerTest, ChangesAreThoseTheHandleDidNotMake) {
  Open({Level("Master Playback Volume", 0, 31, {5, 5}), OnOff("Master Playback Switch", {1, 1})});
  EXPECT_FALSE(mixer.mixerChangeDescriptors(handle).empty());
  EXPECT_TRUE(mixer.mixerChangeDescriptors(handle + 1).empty());
  EXPECT_EQ(Read(Speakers, Volume), 5);
  Write(Speakers, Volume, 9);
  Write(Speakers, Mute, 1);
  EXPECT_EQ(mixer.mixerTakeChanges(handle), MixerChange::None);

  card->set("Master Playback Volume", {20, 20});
  EXPECT_EQ(mixer.mixerTakeChanges(handle), MixerChange::Values);
  EXPECT_EQ(mixer.mixerTakeChanges(handle), MixerChange::None);
  EXPECT_EQ(Read(Speakers, Volume), 20);
  EXPECT_EQ(mixer.mixerTakeChanges(handle + 1), MixerChange::None);
}

}  // namespace
}  // namespace sonaru::platform

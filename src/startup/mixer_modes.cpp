// Save, level options and restore through the shared mixer object.
#include "startup/mixer_modes.h"

#include <array>

#include "mixer/shared_mixer.h"
#include "platform/message_box.h"
#include "platform/services.h"
#include "settings/mixer_state.h"
#include "settings/number_text.h"
#include "settings/settings_messages.h"
#include "startup/arguments.h"
#include "startup/exit_status.h"

namespace sonaru {

namespace {

struct LevelOption {
  const char* option;
  Channel channel;
};

// Applied in this order whatever their order on the command line.
constexpr std::array<LevelOption, ChannelCount> LevelOptions = {{
    {"/S", Channel::Wave},
    {"/M", Channel::Micro},
    {"/W", Channel::WaveIn},
    {"/L", Channel::LineIn},
    {"/C", Channel::CD},
    {"/D", Channel::MIDI},
}};

void ApplyLevelOptions(clsVolume& mixer) {
  for (const LevelOption& level : LevelOptions) {
    const std::string value = GetArgument(level.option);
    if (!value.empty()) {
      mixer.SetLevel(level.channel, RoundToInt32(LeadingNumber(value)));
    }
  }
}

}  // namespace

// A state that could not be kept leaves the mixer alone: changing it would lose the way back.
int RunSaveMode() {
  clsVolume* mixer = SharedMixerWithMixer();
  if (mixer == nullptr) {
    return ExitNoMixer;
  }
  if (!WriteMixerState(*mixer)) {
    platform::messageBox().MsgBox(SaveFailedMessage());
    return ExitSettingsNotWritten;
  }
  ApplyLevelOptions(*mixer);
  return ExitDone;
}

int RunRestoreMode() {
  clsVolume* mixer = SharedMixerWithMixer();
  if (mixer == nullptr) {
    return ExitNoMixer;
  }
  const RestoreOutcome outcome = RestoreMixerState(*mixer, MissingLevel::LeftAsItIs);
  if (outcome != RestoreOutcome::Restored) {
    platform::messageBox().MsgBox(RestoreFailedMessage(outcome));
    return ExitSettingsNotRestored;
  }
  return ExitDone;
}

}  // namespace sonaru

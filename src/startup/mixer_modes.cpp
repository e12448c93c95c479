// Save, level options and restore through the shared mixer object.
#include "startup/mixer_modes.h"

#include <array>
#include <iostream>

#include "mixer/shared_mixer.h"
#include "settings/mixer_state.h"
#include "settings/number_text.h"
#include "settings/settings_file.h"
#include "settings/settings_keys.h"
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

int RunSaveMode() {
  clsVolume& mixer = SharedMixer();
  // Without a mixer every read gives 0: saving would replace the user's saved state with zeros.
  if (!mixer.MixerOpened()) {
    return ExitNoMixer;
  }
  if (!WriteMixerState(mixer)) {
    std::cerr << "Impossible d'enregistrer les réglages dans " << SettingsFilePath() << ".\n";
    return ExitSettingsNotWritten;
  }
  ApplyLevelOptions(mixer);
  return ExitDone;
}

// A missing level, one that does not start with a number and a stored 0 leave the level as it is;
// a missing mute state unmutes.
int RunRestoreMode() {
  clsVolume& mixer = SharedMixer();
  if (!mixer.MixerOpened()) {
    return ExitNoMixer;
  }
  for (Channel channel : AllChannels) {
    const char* key = KeysOf(channel).level;
    if (ReadLevel(key).value_or(0) != 0) {
      mixer.SetLevel(channel, RoundToInt32(ReadLevel(key).value_or(0)));
    }
  }
  for (Channel channel : AllChannels) {
    const std::optional<std::string> state = ReadMute(KeysOf(channel).mute);
    mixer.SetMute(channel, state ? MuteStateFromText(*state) : 0);
  }
  return ExitDone;
}

}  // namespace sonaru

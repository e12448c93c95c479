// A save is twelve reads then one write; a restore is twelve reads then twelve writes.
#include "settings/mixer_state.h"

#include <array>
#include <optional>
#include <string>

#include "mixer/clsVolume.h"
#include "settings/number_text.h"
#include "settings/settings_file.h"
#include "settings/settings_keys.h"

namespace sonaru {

namespace {

struct SavedChannel {
  std::optional<double> level;
  std::optional<std::string> mute;
};

}  // namespace

bool WriteMixerState(clsVolume& mixer) {
  SettingsSave save;
  for (Channel channel : AllChannels) {
    save.WriteSetting(KeysOf(channel).level, mixer.Level(channel));
    save.WriteSetting(KeysOf(channel).mute, mixer.Mute(channel));
  }
  return save.Commit();
}

// Everything is read before anything is set, so that what cannot be read leaves the mixer untouched.
RestoreOutcome RestoreMixerState(clsVolume& mixer, MissingLevel missing) {
  if (!SettingsReadable()) {
    return RestoreOutcome::Unreadable;
  }
  std::array<SavedChannel, ChannelCount> saved;
  bool anySaved = false;
  for (Channel channel : AllChannels) {
    SavedChannel& entry = saved[Index(channel)];
    entry = {ReadLevel(KeysOf(channel).level), ReadMute(KeysOf(channel).mute)};
    anySaved = anySaved || entry.level || entry.mute;
  }
  if (!anySaved) {
    return RestoreOutcome::NothingSaved;
  }
  for (Channel channel : AllChannels) {
    const double level = saved[Index(channel)].level.value_or(0);
    if (level != 0 || missing == MissingLevel::Set) {
      mixer.SetLevel(channel, RoundToInt32(level));
    }
  }
  for (Channel channel : AllChannels) {
    const std::optional<std::string>& state = saved[Index(channel)].mute;
    mixer.SetMute(channel, state ? MuteStateFromText(*state) : 0);
  }
  return RestoreOutcome::Restored;
}

}  // namespace sonaru

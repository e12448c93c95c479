// The Save and Restore buttons, both working through the shared mixer object.
#include <string>

#include "mixer/shared_mixer.h"
#include "platform/message_box.h"
#include "platform/process.h"
#include "platform/services.h"
#include "settings/mixer_state.h"
#include "settings/number_text.h"
#include "settings/settings_file.h"
#include "settings/settings_keys.h"
#include "window/frmVolume.h"

namespace sonaru {

namespace {

// The heading, a rule, then one "<key> : <value text>" line per level; no line break at the end.
std::string SaveSummary(clsVolume& mixer) {
  std::string text = "Volume sauvegardé \r\n__________________";
  for (Channel channel : AllChannels) {
    text += "\r\n";
    text += KeysOf(channel).level;
    text += " : " + ValueText(mixer.Level(channel));
  }
  return text;
}

}  // namespace

void frmVolume::cmdSauv_Click() {
  clsVolume& mixer = SharedMixer();
  // Without a mixer every read gives 0: saving would replace the user's saved state with zeros.
  if (!mixer.MixerOpened()) {
    return;
  }
  if (!WriteMixerState(mixer)) {
    platform::messageBox().MsgBox("Impossible d'enregistrer les réglages dans " + SettingsFilePath() + ".");
    return;
  }
  platform::messageBox().MsgBox(SaveSummary(mixer));
}

// Unlike the command line's restore, a missing level key sets the level to 0. All levels go before the
// first mute state.
void frmVolume::cmdRest_Click() {
  clsVolume& mixer = SharedMixer();
  if (!platform::process().FileExists(SettingsFilePath())) {
    platform::messageBox().MsgBox("Aucun réglage sauvegardé.");
    return;
  }
  for (Channel channel : AllChannels) {
    mixer.SetLevel(channel, RoundToInt32(ReadLevel(KeysOf(channel).level).value_or(0)));
  }
  for (Channel channel : AllChannels) {
    const std::optional<std::string> state = ReadMute(KeysOf(channel).mute);
    mixer.SetMute(channel, state ? MuteStateFromText(*state) : 0);
  }
  RefreshFromMixer();
  platform::messageBox().MsgBox("Volume restauré.");
}

}  // namespace sonaru

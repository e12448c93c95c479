// The Save and Restore buttons, both working through the shared mixer object.
#include <string>

#include "mixer/shared_mixer.h"
#include "platform/message_box.h"
#include "platform/services.h"
#include "settings/mixer_state.h"
#include "settings/number_text.h"
#include "settings/settings_keys.h"
#include "settings/settings_messages.h"
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
  clsVolume* mixer = SharedMixerWithMixer();
  if (mixer == nullptr) {
    return;
  }
  if (!WriteMixerState(*mixer)) {
    platform::messageBox().MsgBox(SaveFailedMessage());
    return;
  }
  platform::messageBox().MsgBox(SaveSummary(*mixer));
}

// Unlike the command line's restore, a missing level key sets the level to 0.
void frmVolume::cmdRest_Click() {
  clsVolume* mixer = SharedMixerWithMixer();
  if (mixer == nullptr) {
    return;
  }
  const RestoreOutcome outcome = RestoreMixerState(*mixer, MissingLevel::Set);
  if (outcome != RestoreOutcome::Restored) {
    platform::messageBox().MsgBox(RestoreFailedMessage(outcome));
    return;
  }
  RefreshFromMixer();
  platform::messageBox().MsgBox("Volume restauré.");
}

}  // namespace sonaru

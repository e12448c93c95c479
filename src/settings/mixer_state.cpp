// The twelve writes of a save.
#include "settings/mixer_state.h"

#include "mixer/clsVolume.h"
#include "settings/settings_file.h"
#include "settings/settings_keys.h"

namespace sonaru {

bool WriteMixerState(clsVolume& mixer) {
  for (Channel channel : AllChannels) {
    if (!WriteSetting(KeysOf(channel).level, mixer.Level(channel)) ||
        !WriteSetting(KeysOf(channel).mute, mixer.Mute(channel))) {
      return false;
    }
  }
  return true;
}

}  // namespace sonaru

// The shared mixer access object, created on first use.
#include "mixer/shared_mixer.h"

#include "platform/message_box.h"
#include "platform/services.h"

namespace sonaru {

std::unique_ptr<clsVolume> gMixer;

clsVolume& SharedMixer() {
  if (!gMixer) {
    gMixer = std::make_unique<clsVolume>();
  }
  return *gMixer;
}

clsVolume* SharedMixerWithMixer() {
  const bool existed = gMixer != nullptr;
  clsVolume& mixer = SharedMixer();
  if (mixer.MixerOpened()) {
    return &mixer;
  }
  if (existed) {
    platform::messageBox().MsgBox(NoMixerMessage);
  }
  return nullptr;
}

}  // namespace sonaru

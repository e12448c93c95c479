// The shared mixer access object, created on first use.
#include "mixer/shared_mixer.h"

namespace sonaru {

std::unique_ptr<clsVolume> gMixer;

clsVolume& SharedMixer() {
  if (!gMixer) {
    gMixer = std::make_unique<clsVolume>();
  }
  return *gMixer;
}

}  // namespace sonaru

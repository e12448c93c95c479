// gMixer outlives every run of Main, so its release belongs to whoever ends the backends' service.
#include "startup/services_scope.h"

#include "mixer/shared_mixer.h"

namespace sonaru {

ServicesScope::ServicesScope(const platform::Services& installed) : previous_(platform::services()) {
  platform::services() = installed;
}

ServicesScope::~ServicesScope() {
  gMixer.reset();
  platform::services() = previous_;
}

}  // namespace sonaru

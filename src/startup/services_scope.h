// The time during which a set of backends serves the logic.
#pragma once

#include "platform/services.h"

namespace sonaru {

/// Installs `installed` for as long as it lives. The owner of the backends declares it after them, so
/// that it goes first: it then releases gMixer, which holds a mixer of these backends, and puts back the
/// services that were in force before.
class ServicesScope {
 public:
  explicit ServicesScope(const platform::Services& installed);
  ~ServicesScope();
  ServicesScope(const ServicesScope&) = delete;
  ServicesScope& operator=(const ServicesScope&) = delete;

 private:
  platform::Services previous_;
};

}  // namespace sonaru

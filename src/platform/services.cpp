// The process-wide set of services.
#include "platform/services.h"

namespace sonaru::platform {

Services& services() {
  static Services installed;
  return installed;
}

}  // namespace sonaru::platform

// VOL's levels on Core Audio's scalar and back, without a device.
#include "platform/win32/endpoint_volume.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace sonaru::platform {
namespace {

// Core Audio keeps the level in its own form: a level must come back as itself from the scalar written, and
// from the floats either side of it.
TEST(EndpointVolumeTest, EveryLevelReadsBackFromItsScalar) {
  for (std::int32_t level = 0; level <= 65535; ++level) {
    const float scalar = ScalarOfLevel(0, 65535, level);
    for (const float read : {scalar, std::nextafter(scalar, 0.0f), std::nextafter(scalar, 1.0f)}) {
      ASSERT_EQ(LevelOfScalar(0, 65535, read), level) << "scalar " << read;
    }
  }
  struct Bounded {
    std::int32_t level;
    float scalar;
  };
  for (const auto& [level, scalar] :
       std::vector<Bounded>{{-1, 0.0f}, {0, 0.0f}, {65535, 1.0f}, {70000, 1.0f}}) {
    EXPECT_EQ(ScalarOfLevel(0, 65535, level), scalar) << level;
  }
}

}  // namespace
}  // namespace sonaru::platform

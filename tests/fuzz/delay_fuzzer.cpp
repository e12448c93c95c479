// The delay reader on any text: three parts of 16 bits at most, and four parts or more read as no delay.
#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

#include "require.h"
#include "startup/delay.h"

using sonaru::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::optional<std::int32_t> seconds = sonaru::DelaySeconds(text);
  constexpr std::int32_t HourMinuteSecond = 3600 + 60 + 1;
  if (seconds) {
    Require(*seconds >= std::numeric_limits<std::int16_t>::min() * HourMinuteSecond &&
            *seconds <= std::numeric_limits<std::int16_t>::max() * HourMinuteSecond);
  }
  if (std::ranges::count(text, ':') >= 3) {
    Require(seconds == 0);
  }
  return 0;
}

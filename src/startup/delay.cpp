// Delay parts read right-aligned: the last one is seconds, the one before minutes, then hours.
#include "startup/delay.h"

#include <cstdint>
#include <limits>
#include <vector>

#include "common/text.h"
#include "settings/number_text.h"

namespace sonaru {

namespace {

constexpr std::size_t MostParts = 3;

std::optional<std::int16_t> PartValue(std::string_view part) {
  const std::optional<double> number = WholeTextNumber(part);
  if (!number) {
    return std::nullopt;
  }
  const std::int32_t rounded = RoundToInt32(*number);
  if (rounded < std::numeric_limits<std::int16_t>::min() ||
      rounded > std::numeric_limits<std::int16_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int16_t>(rounded);
}

}  // namespace

std::optional<std::int32_t> DelaySeconds(std::string_view text) {
  const std::vector<std::string_view> parts = Split(text, ':');
  if (parts.size() > MostParts) {
    return 0;
  }
  std::int32_t seconds = 0;
  for (std::string_view part : parts) {
    const std::optional<std::int16_t> value = PartValue(part);
    if (!value) {
      return std::nullopt;
    }
    seconds = seconds * 60 + *value;
  }
  return seconds;
}

platform::DATE StartDate(const platform::LocalDateTime& now) {
  return platform::OleDate({.year = now.year, .month = now.month, .day = now.day});
}

platform::DATE StartTime(const platform::LocalDateTime& now, std::int32_t delaySeconds) {
  return platform::OleDate({.hour = now.hour, .minute = now.minute, .second = now.second}) +
         delaySeconds / platform::SecondsPerDay;
}

}  // namespace sonaru

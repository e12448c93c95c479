// The "/T" delay and the start of the restore task: today's date, then the time of day plus the delay.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/ole_date.h"
#include "platform/process.h"

namespace sonaru {

/// The delay in seconds of "s", "m:s" or "h:m:s" (carried between the fields, negative parts subtracting),
/// or 0 for four parts or more. Nothing when a part is not a number, blanks around it allowed, or does not
/// fit in 16 bits once rounded halves to even.
std::optional<std::int32_t> DelaySeconds(std::string_view text);

/// Today's date without the time of day.
platform::DATE StartDate(const platform::LocalDateTime& now);

/// The time of day plus the delay, as a date value: past 1.0 when the sum passes midnight, below 0 when a
/// negative delay reaches back before it.
platform::DATE StartTime(const platform::LocalDateTime& now, std::int32_t delaySeconds);

}  // namespace sonaru

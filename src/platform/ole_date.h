// OLE Automation dates, the date values the task scheduler takes: days since 30 December 1899 in the
// whole part, the time of day as the fraction of a day.
#pragma once

#include "platform/process.h"

namespace sonaru::platform {

using DATE = double;

inline constexpr double SecondsPerDay = 86400;

/// The date value of a local date and time from 30 December 1899 on.
DATE OleDate(const LocalDateTime& moment);

/// The local date and time that a date value from 30 December 1899 on stands for, to the nearest second.
LocalDateTime DateTimeOf(DATE date);

}  // namespace sonaru::platform

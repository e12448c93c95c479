// OLE Automation dates, the date values the task scheduler takes: days since 30 December 1899 in the
// whole part, the time of day as the fraction of a day. The logic writes them and every scheduler backend
// reads them, so they are part of the interface.
#pragma once

#include <chrono>
#include <cmath>

#include "platform/process.h"

namespace sonaru::platform {

using DATE = double;

inline constexpr double SecondsPerDay = 86400;

inline constexpr std::chrono::sys_days OleDayZero = std::chrono::year{1899} / std::chrono::December / 30;

/// The date value of a local date and time from 30 December 1899 on.
inline DATE OleDate(const LocalDateTime& moment) {
  using namespace std::chrono;
  const sys_days date =
      year{moment.year} / month{static_cast<unsigned>(moment.month)} / day{static_cast<unsigned>(moment.day)};
  const double secondOfDay = moment.hour * 3600 + moment.minute * 60 + moment.second;
  return (date - OleDayZero).count() + secondOfDay / SecondsPerDay;
}

/// The local date and time that a date value from 30 December 1899 on stands for, to the nearest second.
inline LocalDateTime DateTimeOf(DATE date) {
  using namespace std::chrono;
  const sys_seconds moment = OleDayZero + seconds{std::llround(date * SecondsPerDay)};
  const sys_days day = floor<days>(moment);
  const year_month_day calendar{day};
  const hh_mm_ss time{moment - day};
  return {static_cast<int>(calendar.year()),
          static_cast<int>(static_cast<unsigned>(calendar.month())),
          static_cast<int>(static_cast<unsigned>(calendar.day())),
          static_cast<int>(time.hours().count()),
          static_cast<int>(time.minutes().count()),
          static_cast<int>(time.seconds().count())};
}

}  // namespace sonaru::platform

// Date values to and from calendar dates, through the civil calendar of <chrono>.
#include "platform/ole_date.h"

#include <chrono>
#include <cmath>

namespace sonaru::platform {

namespace {

using namespace std::chrono;

constexpr sys_days DayZero = year{1899} / December / 30;

}  // namespace

DATE OleDate(const LocalDateTime& moment) {
  const sys_days day = year{moment.year} / month{static_cast<unsigned>(moment.month)} /
                       std::chrono::day{static_cast<unsigned>(moment.day)};
  const double secondOfDay = moment.hour * 3600 + moment.minute * 60 + moment.second;
  return (day - DayZero).count() + secondOfDay / SecondsPerDay;
}

LocalDateTime DateTimeOf(DATE date) {
  const sys_seconds moment = DayZero + seconds{std::llround(date * SecondsPerDay)};
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

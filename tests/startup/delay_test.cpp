// The "/T" delay arithmetic, the start date and time as date values, and their calendar time.
#include "startup/delay.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace sonaru {
namespace {

using platform::DateTimeOf;
using platform::LocalDateTime;
using platform::OleDate;

std::string Text(const LocalDateTime& moment) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", moment.year, moment.month, moment.day,
                moment.hour, moment.minute, moment.second);
  return text;
}

std::string CalendarTimeAfter(const LocalDateTime& now, std::int32_t delaySeconds) {
  return Text(DateTimeOf(StartDate(now) + StartTime(now, delaySeconds)));
}

TEST(DelaySeconds, PartsAreReadRightAlignedWithCarry) {
  EXPECT_EQ(DelaySeconds("30"), 30);
  EXPECT_EQ(DelaySeconds("5:0"), 300);
  EXPECT_EQ(DelaySeconds("1:0:0"), 3600);
  EXPECT_EQ(DelaySeconds("0:30:0"), 1800);
  EXPECT_EQ(DelaySeconds("0:90"), 90);
  EXPECT_EQ(DelaySeconds("1:2:3"), 3723);
  EXPECT_EQ(DelaySeconds("-1:0"), -60);
  EXPECT_EQ(DelaySeconds("1:-30"), 30);
}

TEST(DelaySeconds, FourPartsOrMoreMeanNoDelayWhateverTheyHold) {
  EXPECT_EQ(DelaySeconds("1:2:3:4"), 0);
  EXPECT_EQ(DelaySeconds("a:b:c:d:e"), 0);
}

TEST(DelaySeconds, PartsAreRoundedSixteenBitNumbersWithBlanksAllowed) {
  EXPECT_EQ(DelaySeconds(" 5 :0"), 300);
  EXPECT_EQ(DelaySeconds("\t5\t:0"), 300);
  EXPECT_EQ(DelaySeconds("2.5"), 2);
  EXPECT_EQ(DelaySeconds("3.5"), 4);
  EXPECT_EQ(DelaySeconds("0:1.5"), 2);
  EXPECT_EQ(DelaySeconds("32767"), 32767);
  EXPECT_EQ(DelaySeconds("-32768"), -32768);
  EXPECT_EQ(DelaySeconds("32767:0:0"), 32767 * 3600);
}

TEST(DelaySeconds, RefusesPartsThatAreNotSixteenBitNumbers) {
  for (const char* text : {"99999", "32767.5", "-32769", "abc", "5:", ":5", "5x", "1:abc:0", "1e9"}) {
    EXPECT_EQ(DelaySeconds(text), std::nullopt) << text;
  }
}

TEST(OleDate, CountsDaysFromTheLastDayOf1899) {
  EXPECT_EQ(OleDate({1899, 12, 30}), 0);
  EXPECT_EQ(OleDate({1900, 1, 1}), 2);
  EXPECT_EQ(OleDate({2000, 1, 1}), 36526);
  EXPECT_EQ(OleDate({2000, 1, 1, 18, 0, 0}), 36526.75);
  EXPECT_EQ(Text(DateTimeOf(36526.75)), "2000-01-01 18:00:00");
  EXPECT_EQ(Text(DateTimeOf(OleDate({2026, 12, 7, 10, 11, 12}))), "2026-12-07 10:11:12");
  EXPECT_EQ(Text(DateTimeOf(36526 + 0.6 / 86400)), "2000-01-01 00:00:01");
}

TEST(StartOfTask, IsTodayThenTheTimeOfDayPlusTheDelay) {
  const LocalDateTime now{2026, 12, 7, 10, 0, 0};
  EXPECT_EQ(StartDate(now), OleDate({2026, 12, 7}));
  EXPECT_DOUBLE_EQ(StartTime(now, 30), (10 * 3600 + 30) / 86400.0);
  EXPECT_EQ(CalendarTimeAfter(now, 30), "2026-12-07 10:00:30");
  EXPECT_EQ(CalendarTimeAfter(now, 0), "2026-12-07 10:00:00");
}

TEST(StartOfTask, PastMidnightTheStartTimePassesOneAndTheCalendarTimeIsTheNextDay) {
  const LocalDateTime now{2026, 12, 7, 23, 30, 0};
  EXPECT_EQ(StartDate(now), OleDate({2026, 12, 7}));
  EXPECT_GT(StartTime(now, 3600), 1.0);
  EXPECT_DOUBLE_EQ(StartTime(now, 3600), 1 + 30 / 1440.0);
  EXPECT_EQ(CalendarTimeAfter(now, 3600), "2026-12-08 00:30:00");
  EXPECT_EQ(CalendarTimeAfter({2026, 1, 31, 23, 30, 0}, 3600), "2026-02-01 00:30:00");
  EXPECT_EQ(CalendarTimeAfter({2026, 12, 31, 23, 59, 30}, 30), "2027-01-01 00:00:00");
  EXPECT_EQ(CalendarTimeAfter({2028, 2, 28, 23, 0, 0}, 3600), "2028-02-29 00:00:00");
  EXPECT_EQ(CalendarTimeAfter({2027, 2, 28, 23, 0, 0}, 3600), "2027-03-01 00:00:00");
}

TEST(StartOfTask, ANegativeDelayReachesBackBeforeMidnight) {
  const LocalDateTime now{2027, 1, 1, 0, 0, 30};
  EXPECT_LT(StartTime(now, -60), 0.0);
  EXPECT_EQ(CalendarTimeAfter(now, -60), "2026-12-31 23:59:30");
}

}  // namespace
}  // namespace sonaru

// Value text, leading numbers, rounding halves to even and saturation.
#include "settings/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace sonaru {
namespace {

TEST(ValueText, LeadsWithBlankUnlessNegative) {
  EXPECT_EQ(ValueText(45000), " 45000");
  EXPECT_EQ(ValueText(0), " 0");
  EXPECT_EQ(ValueText(-5), "-5");
  EXPECT_EQ(ValueText(std::numeric_limits<std::int32_t>::min()), "-2147483648");
}

TEST(LeadingNumber, ReadsTheNumberAtTheStart) {
  EXPECT_EQ(LeadingNumber(" 45000"), 45000);
  EXPECT_EQ(LeadingNumber("12abc"), 12);
  EXPECT_EQ(LeadingNumber("abc"), 0);
  EXPECT_EQ(LeadingNumber(""), 0);
  EXPECT_EQ(LeadingNumber("12.5"), 12.5);
  EXPECT_EQ(LeadingNumber("-7x"), -7);
  EXPECT_EQ(LeadingNumber(".5"), 0.5);
  EXPECT_EQ(LeadingNumber("1e3"), 1000);
  EXPECT_EQ(LeadingNumber("3e"), 3);
  EXPECT_EQ(LeadingNumber("st"), 0);
  EXPECT_EQ(LeadingNumber("-"), 0);
  EXPECT_EQ(LeadingNumber("1e999"), HUGE_VAL);
  EXPECT_EQ(LeadingNumber("-1e999"), -HUGE_VAL);
  EXPECT_EQ(LeadingNumber("1e-999"), 0);
  EXPECT_EQ(LeadingNumber("1e-99999999999999999999999"), 0);
}

TEST(LeadingNumber, ManyDigitsReadAsTheNearestDouble) {
  const std::string nines(400, '9');
  const std::string zeros(400, '0');
  EXPECT_EQ(LeadingNumber(nines + "e-0000"), HUGE_VAL);
  EXPECT_EQ(LeadingNumber("-" + nines + "e-0000"), -HUGE_VAL);
  EXPECT_EQ(LeadingNumber("1" + zeros + "e-50"), HUGE_VAL);
  EXPECT_EQ(LeadingNumber("0." + zeros + "1"), 0);
  EXPECT_EQ(LeadingNumber("0." + zeros + "1e+50"), 0);
  EXPECT_EQ(RoundToInt32(LeadingNumber(nines + "e-0000")), std::numeric_limits<std::int32_t>::max());
}

TEST(RoundToInt32, HalvesGoToEvenAndLargeValuesSaturate) {
  EXPECT_EQ(RoundToInt32(12.5), 12);
  EXPECT_EQ(RoundToInt32(13.5), 14);
  EXPECT_EQ(RoundToInt32(-2.5), -2);
  EXPECT_EQ(RoundToInt32(2.6), 3);
  EXPECT_EQ(RoundToInt32(99999999999.0), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(RoundToInt32(-99999999999.0), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(RoundToInt32(HUGE_VAL), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(RoundToInt32(2147483647.4), std::numeric_limits<std::int32_t>::max());
}

TEST(MuteStateFromText, NumbersRoundLikeLevelsAnythingElseIsZero) {
  EXPECT_EQ(MuteStateFromText(" 1"), 1);
  EXPECT_EQ(MuteStateFromText(" 0"), 0);
  EXPECT_EQ(MuteStateFromText("2"), 2);
  EXPECT_EQ(MuteStateFromText(" 1 "), 1);
  EXPECT_EQ(MuteStateFromText("-1"), -1);
  EXPECT_EQ(MuteStateFromText("1.5"), 2);
  EXPECT_EQ(MuteStateFromText("0.6"), 1);
  EXPECT_EQ(MuteStateFromText("0.5"), 0);
  EXPECT_EQ(MuteStateFromText("1abc"), 0);
  EXPECT_EQ(MuteStateFromText("True"), 0);
  EXPECT_EQ(MuteStateFromText(""), 0);
  EXPECT_EQ(MuteStateFromText("99999999999"), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(MuteStateFromText("-1e999"), std::numeric_limits<std::int32_t>::min());
}

}  // namespace
}  // namespace sonaru

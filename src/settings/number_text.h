// Numbers as they travel in text: the settings file's value text, and numbers read from it or typed.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sonaru {

/// Decimal digits led by one blank when not negative, by "-" when negative: " 45000", "-5".
std::string ValueText(std::int32_t value);

/// The decimal number at the start of `text` after any blanks ("12abc" gives 12, "abc" gives 0); a fraction
/// and an exponent are allowed. It reads as the nearest double, whatever its number of digits: infinite
/// beyond a double's range, zero below it.
double LeadingNumber(std::string_view text);

/// `text` as a number when it is nothing but one, blanks around it allowed; nothing otherwise.
std::optional<double> WholeTextNumber(std::string_view text);

/// Rounds to the nearest whole number, halves to the even neighbour, saturating at the 32-bit limits.
std::int32_t RoundToInt32(double value);

/// A stored mute state: the number that is the whole of `text`, blanks around it allowed, rounded as by
/// RoundToInt32; 0 for any other text.
std::int32_t MuteStateFromText(std::string_view text);

}  // namespace sonaru

// Parsing and formatting of the numbers kept in the settings file and given on the command line.
#include "settings/number_text.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

#include "common/text.h"

namespace sonaru {

namespace {

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

std::size_t SkipDigits(std::string_view text, std::size_t at) {
  while (at < text.size() && IsDigit(text[at])) {
    ++at;
  }
  return at;
}

// Length of the number at the start of `text`: [sign] digits [. digits] [e [sign] digits]; 0 when none.
std::size_t NumberLength(std::string_view text) {
  std::size_t at = 0;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
    ++at;
  }
  const std::size_t digitsStart = at;
  at = SkipDigits(text, at);
  std::size_t mantissaDigits = at - digitsStart;
  if (at < text.size() && text[at] == '.') {
    const std::size_t fractionStart = at + 1;
    const std::size_t fractionEnd = SkipDigits(text, fractionStart);
    mantissaDigits += fractionEnd - fractionStart;
    at = fractionEnd;
  }
  if (mantissaDigits == 0) {
    return 0;
  }
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    std::size_t exponent = at + 1;
    if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) {
      ++exponent;
    }
    const std::size_t exponentEnd = SkipDigits(text, exponent);
    if (exponentEnd > exponent) {
      at = exponentEnd;
    }
  }
  return at;
}

// Beyond the number of digits any text can hold, so a saturated exponent still outweighs them.
constexpr std::int64_t MostExponent = 1'000'000'000'000'000;

// The decimal order of a number with a non-zero digit, delimited by NumberLength: its magnitude lies in
// [10^(order-1), 10^order). The first non-zero digit's place from the point, plus the exponent.
std::int64_t DecimalOrder(std::string_view number) {
  const std::size_t exponentMark = std::min(number.find_first_of("eE"), number.size());
  const std::string_view mantissa = number.substr(0, exponentMark);
  const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
  const std::size_t first = mantissa.find_first_of("123456789");
  const std::int64_t order = first < point ? static_cast<std::int64_t>(point - first)
                                           : -static_cast<std::int64_t>(first - point - 1);

  std::string_view digits = number.substr(std::min(exponentMark + 1, number.size()));
  const bool negativeExponent = digits.starts_with('-');
  if (negativeExponent || digits.starts_with('+')) {
    digits.remove_prefix(1);
  }
  std::int64_t exponent = 0;
  for (char digit : digits) {
    exponent = std::min(exponent * 10 + (digit - '0'), MostExponent);
  }
  return order + (negativeExponent ? -exponent : exponent);
}

// Parses a number already delimited by NumberLength; values beyond a double's range saturate to infinities
// of their sign, values too small for one to zero.
double ParseNumber(std::string_view number) {
  if (!number.empty() && number.front() == '+') {
    number.remove_prefix(1);
  }
  double value = 0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (error == std::errc::result_out_of_range) {
    const double magnitude = DecimalOrder(number) > 0 ? HUGE_VAL : 0.0;
    return number.front() == '-' ? -magnitude : magnitude;
  }
  return end == number.data() ? 0.0 : value;
}

}  // namespace

std::string ValueText(std::int32_t value) {
  std::string text = std::to_string(value);
  if (value >= 0) {
    text.insert(text.begin(), ' ');
  }
  return text;
}

double LeadingNumber(std::string_view text) {
  text = TrimBlanks(text);
  return ParseNumber(text.substr(0, NumberLength(text)));
}

std::optional<double> WholeTextNumber(std::string_view text) {
  text = TrimBlanks(text);
  const std::size_t length = NumberLength(text);
  if (length == 0 || length != text.size()) {
    return std::nullopt;
  }
  return ParseNumber(text);
}

std::int32_t RoundToInt32(double value) {
  constexpr double Lowest = std::numeric_limits<std::int32_t>::min();
  constexpr double Highest = std::numeric_limits<std::int32_t>::max();
  if (std::isnan(value)) {
    return 0;
  }
  // nearbyint rounds halves to even in the default rounding mode.
  const double rounded = std::nearbyint(value);
  if (rounded <= Lowest) {
    return std::numeric_limits<std::int32_t>::min();
  }
  if (rounded >= Highest) {
    return std::numeric_limits<std::int32_t>::max();
  }
  return static_cast<std::int32_t>(rounded);
}

std::int32_t MuteStateFromText(std::string_view text) {
  return RoundToInt32(WholeTextNumber(text).value_or(0));
}

}  // namespace sonaru

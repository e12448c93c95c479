// Parsing and formatting of the numbers kept in the settings file and given on the command line.
#include "settings/number_text.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

namespace sonaru {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

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

// Parses a number already delimited by NumberLength; out-of-range values become infinities of their sign.
double ParseNumber(std::string_view number) {
  if (!number.empty() && number.front() == '+') {
    number.remove_prefix(1);
  }
  double value = 0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (error == std::errc::result_out_of_range) {
    const std::size_t exponent = number.find_first_of("eE");
    const bool underflow = exponent != std::string_view::npos && number.substr(exponent + 1).starts_with('-');
    return underflow ? 0.0 : (number.front() == '-' ? -HUGE_VAL : HUGE_VAL);
  }
  return end == number.data() ? 0.0 : value;
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && IsBlank(text.back())) {
    text.remove_suffix(1);
  }
  return text;
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
  while (!text.empty() && IsBlank(text.front())) {
    text.remove_prefix(1);
  }
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
  constexpr double lowest = std::numeric_limits<std::int32_t>::min();
  constexpr double highest = std::numeric_limits<std::int32_t>::max();
  if (std::isnan(value)) {
    return 0;
  }
  // nearbyint rounds halves to even in the default rounding mode.
  const double rounded = std::nearbyint(value);
  if (rounded <= lowest) {
    return std::numeric_limits<std::int32_t>::min();
  }
  if (rounded >= highest) {
    return std::numeric_limits<std::int32_t>::max();
  }
  return static_cast<std::int32_t>(rounded);
}

std::int32_t MuteStateFromText(std::string_view text) {
  const std::optional<double> number = WholeTextNumber(text);
  if (!number || std::nearbyint(*number) != *number) {
    return 0;
  }
  return RoundToInt32(*number);
}

}  // namespace sonaru

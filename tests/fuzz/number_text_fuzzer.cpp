// The number reader on any text: a whole-text number reads as the C library reads it, rounding stays within
// half a unit, and every 32-bit value text reads back as its value.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <string>

#include "require.h"
#include "settings/number_text.h"

using sonaru::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const double leading = sonaru::LeadingNumber(text);
  Require(!std::isnan(leading));

  // The target runs in the "C" locale, where strtod is a correct reference for the nearest double.
  if (const std::optional<double> whole = sonaru::WholeTextNumber(text)) {
    Require(*whole == leading && *whole == std::strtod(text.c_str(), nullptr));
  }

  const std::int32_t rounded = sonaru::RoundToInt32(leading);
  if (std::fabs(leading) < std::numeric_limits<std::int32_t>::max()) {
    const double gap = std::fabs(rounded - leading);
    Require(gap < 0.5 || (gap == 0.5 && rounded % 2 == 0));
  }
  sonaru::MuteStateFromText(text);

  if (size >= sizeof(std::int32_t)) {
    std::int32_t value = 0;
    std::memcpy(&value, data, sizeof value);
    const std::string valueText = sonaru::ValueText(value);
    Require(sonaru::LeadingNumber(valueText) == value && sonaru::WholeTextNumber(valueText) == value &&
            sonaru::MuteStateFromText(valueText) == value);
  }
  return 0;
}

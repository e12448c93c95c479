// The profile text rules on any bytes: a value set reads back, and the set changes no other line than the
// key's own, or adds the key's line (and its section's) and the line end the line before it lacked.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/profile_text.h"
#include "require.h"

using sonaru::fuzz::Require;

namespace {

// Few letters, so that the names often meet the text's own, in either case.
constexpr std::string_view NameLetters = "aAbB _";
constexpr std::string_view ValueLetters = "aB1 \t=;[]#";
constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

// Up to `most` bytes of the input, those outside `letters` replaced by one of them, blanks at the ends cut.
std::string Spelled(FuzzedDataProvider& input, std::size_t most, std::string_view letters) {
  std::string text = input.ConsumeRandomLengthString(most);
  for (char& c : text) {
    if (letters.find(c) == std::string_view::npos) {
      c = letters[static_cast<unsigned char>(c) % letters.size()];
    }
  }
  const std::size_t first = text.find_first_not_of(" \t");
  return first == std::string::npos ? std::string()
                                    : text.substr(first, text.find_last_not_of(" \t") + 1 - first);
}

// Lines with their ends: each ends after an LF, the last one possibly without.
std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t length = std::min(text.find('\n'), text.size() - 1) + 1;
    lines.push_back(text.substr(0, length));
    text.remove_prefix(length);
  }
  return lines;
}

std::string_view EndOf(std::string_view line) {
  return line.ends_with("\r\n") ? "\r\n" : line.ends_with('\n') ? "\n" : "";
}

// The lines `after` differs from `before` by, once their common first and last lines are set aside.
struct Change {
  std::vector<std::string_view> removed;
  std::vector<std::string_view> added;
};

Change Difference(const std::vector<std::string_view>& before, const std::vector<std::string_view>& after) {
  const std::size_t shorter = std::min(before.size(), after.size());
  std::size_t first = 0;
  while (first < shorter && before[first] == after[first]) {
    ++first;
  }
  std::size_t last = 0;
  while (first + last < shorter && before[before.size() - 1 - last] == after[after.size() - 1 - last]) {
    ++last;
  }
  return {{before.begin() + first, before.end() - last}, {after.begin() + first, after.end() - last}};
}

// True when `change` is one of the edits a set may make: none (the key's line was already the same), the
// key's line replaced keeping its end, or new lines added after a line that gains `lineEnd` when it was the
// last line and had no end.
bool AllowedChange(const Change& change, const std::string& keyLine, const std::string& sectionLine,
                   const std::string& lineEnd) {
  const auto& [removed, added] = change;
  if (removed.empty() && added.empty()) {
    return true;
  }
  if (removed.size() > 1) {
    return false;
  }
  if (removed.size() == 1 && added.size() == 1) {
    return added[0] == keyLine + std::string(EndOf(removed[0]));
  }
  std::vector<std::string> expected;
  if (removed.size() == 1) {
    if (!EndOf(removed[0]).empty()) {
      return false;
    }
    expected.push_back(std::string(removed[0]) + lineEnd);
  }
  if (added.size() == expected.size() + 2) {
    expected.push_back(sectionLine + lineEnd);
  }
  expected.push_back(keyLine + lineEnd);
  return std::ranges::equal(added, expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string section = Spelled(input, 8, NameLetters);
  const std::string key = Spelled(input, 8, NameLetters);
  const std::string value = Spelled(input, 16, ValueLetters);
  const std::string text = input.ConsumeRemainingBytesAsString();
  if (section.empty() || key.empty()) {
    return 0;
  }

  const std::optional<std::string> before = sonaru::FindProfileValue(text, section, key);
  const std::string result = sonaru::SetProfileValue(text, section, key, value);
  Require(sonaru::FindProfileValue(result, section, key) == value);

  // The mark leads both texts or neither; the lines are compared after it.
  const bool marked = text.starts_with(ByteOrderMark);
  Require(std::string_view(result).starts_with(ByteOrderMark) == marked);
  const std::size_t skip = marked ? ByteOrderMark.size() : 0;
  const std::vector<std::string_view> linesBefore = Lines(std::string_view(text).substr(skip));
  const std::vector<std::string_view> linesAfter = Lines(std::string_view(result).substr(skip));
  const std::string lineEnd = !linesBefore.empty() && EndOf(linesBefore[0]) == "\r\n" ? "\r\n" : "\n";
  Require(!before || linesAfter.size() == linesBefore.size());
  Require(
      AllowedChange(Difference(linesBefore, linesAfter), key + "=" + value, "[" + section + "]", lineEnd));
  return 0;
}

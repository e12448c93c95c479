// The virtual card's file: one control element per line,
//
//   <name>;<int|bool>;<min>;<max>;<value> [<value> ...]
//
// e.g. "Master Playback Volume;int;0;65535;30000 30000" or "Master Playback Switch;bool;0;1;1 1".
// The number of values is the element's channel count (1 to 8); every value lies within min..max, and a
// bool element's range is 0..1. Names are unique, at most 43 characters, without ';'. Blank lines are
// ignored. Any other line makes the whole file malformed.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sonaru::vcard {

struct Element {
  std::string name;          // ctl element name, e.g. "Master Playback Volume"
  bool isSwitch = false;     // boolean element, else integer
  long min = 0, max = 0;     // integer range (0..1 for switches)
  std::vector<long> values;  // one per channel
};

/// The elements of a card file's text; nothing when the text is malformed.
std::optional<std::vector<Element>> ParseCard(std::string_view text);
std::string FormatCard(const std::vector<Element>& elements);

/// Reads and parses the card file; nothing when it is missing or malformed.
std::optional<std::vector<Element>> LoadCard(const std::string& path);

/// Whether `values` fit `element`: same channel count, each value within its range.
bool Fits(const Element& element, const std::vector<long>& values);

/// Changes the card file the way concurrent writers must: under the lock of its side file "<path>.lock",
/// `change` edits the file's current elements and answers > 0 when it changed them, 0 when not, or a
/// negative errno. Changes replace the file atomically. Answers `change`'s result, or a negative errno
/// when the file cannot be read, locked or replaced.
int UpdateCard(const std::string& path, const std::function<int(std::vector<Element>&)>& change);

}  // namespace sonaru::vcard

// Small text rules shared by the logic and the backends: the standard library alone.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sonaru {

/// The text before its first NUL character, or the whole text.
std::string CutAtNul(std::string_view text);

/// `text` without the blanks (space, tab, carriage return) at either end.
std::string_view TrimBlanks(std::string_view text);

/// `text` split at every `separator`, with no quoting rules: two separators in a row give an empty part.
std::vector<std::string_view> Split(std::string_view text, char separator);

}  // namespace sonaru

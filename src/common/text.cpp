// Text rules with no knowledge of what the text is for.
#include "common/text.h"

namespace sonaru {

std::string CutAtNul(std::string_view text) { return std::string(text.substr(0, text.find('\0'))); }

std::string_view TrimBlanks(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!text.empty() && blank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && blank(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> words;
  for (std::size_t start = 0;;) {
    const std::size_t end = text.find(separator, start);
    words.push_back(text.substr(start, end - start));
    if (end == std::string_view::npos) {
      return words;
    }
    start = end + 1;
  }
}

}  // namespace sonaru

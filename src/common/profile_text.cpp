// Finding and replacing one key in the lines of a profile file.
#include "common/profile_text.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "common/text.h"

namespace sonaru {

namespace {

// Editors that save UTF-8 may put a byte-order mark before the first section.
constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

std::string_view WithoutByteOrderMark(std::string_view text) {
  if (text.starts_with(ByteOrderMark)) {
    text.remove_prefix(ByteOrderMark.size());
  }
  return text;
}

struct Line {
  std::string_view content;  // without its line end
  std::string_view end;      // "\r\n", "\n" or "" for a last line without one
};

std::vector<Line> SplitLines(std::string_view text) {
  std::vector<Line> lines;
  while (!text.empty()) {
    const std::size_t newline = text.find('\n');
    std::string_view content = text.substr(0, newline);
    std::string_view end;
    if (newline != std::string_view::npos) {
      const bool crlf = !content.empty() && content.back() == '\r';
      if (crlf) {
        content.remove_suffix(1);
      }
      end = text.substr(content.size(), crlf ? 2 : 1);
    }
    lines.push_back({content, end});
    text.remove_prefix(content.size() + end.size());
  }
  return lines;
}

bool SameName(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}

// The section a line opens, or nothing when it opens none.
std::optional<std::string_view> SectionName(std::string_view content) {
  content = TrimBlanks(content);
  if (!content.starts_with('[')) {
    return std::nullopt;
  }
  const std::size_t close = content.find(']');
  return TrimBlanks(content.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
}

struct Entry {
  std::string_view key;
  std::string_view value;
};

std::optional<Entry> KeyEntry(std::string_view content) {
  const std::string_view trimmed = TrimBlanks(content);
  const std::size_t equals = trimmed.find('=');
  if (trimmed.starts_with(';') || equals == std::string_view::npos) {
    return std::nullopt;
  }
  return Entry{TrimBlanks(trimmed.substr(0, equals)), TrimBlanks(trimmed.substr(equals + 1))};
}

// Where a key lives in the lines: the section's header, its last non-blank line, the key's own line.
struct Place {
  std::optional<std::size_t> section;
  std::size_t sectionLast = 0;
  std::optional<std::size_t> key;
};

Place Locate(const std::vector<Line>& lines, std::string_view section, std::string_view key) {
  Place place;
  bool inSection = false;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (const std::optional<std::string_view> name = SectionName(lines[i].content)) {
      if (place.section) {
        break;
      }
      inSection = SameName(*name, section);
      if (inSection) {
        place.section = i;
        place.sectionLast = i;
      }
      continue;
    }
    if (!inSection) {
      continue;
    }
    if (!TrimBlanks(lines[i].content).empty()) {
      place.sectionLast = i;
    }
    const std::optional<Entry> entry = KeyEntry(lines[i].content);
    if (entry && !place.key && SameName(entry->key, key)) {
      place.key = i;
    }
  }
  return place;
}

}  // namespace

std::optional<std::string> FindProfileValue(std::string_view text, std::string_view section,
                                            std::string_view key) {
  const std::vector<Line> lines = SplitLines(WithoutByteOrderMark(text));
  const Place place = Locate(lines, section, key);
  if (!place.key) {
    return std::nullopt;
  }
  return std::string(KeyEntry(lines[*place.key].content)->value);
}

std::string SetProfileValue(std::string_view text, std::string_view section, std::string_view key,
                            std::string_view value) {
  const std::string_view body = WithoutByteOrderMark(text);
  const std::vector<Line> lines = SplitLines(body);
  const std::string lineEnd = !lines.empty() && lines.front().end == "\r\n" ? "\r\n" : "\n";
  const std::string keyLine = std::string(key) + "=" + std::string(value);
  const Place place = Locate(lines, section, key);

  std::string result(text.substr(0, text.size() - body.size()));
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (place.key == i) {
      result += keyLine;
      result += lines[i].end;
      continue;
    }
    result += lines[i].content;
    result += lines[i].end;
    if (place.section && !place.key && i == place.sectionLast) {
      if (lines[i].end.empty()) {
        result += lineEnd;
      }
      result += keyLine + lineEnd;
    }
  }
  if (!place.section) {
    if (!lines.empty() && lines.back().end.empty()) {
      result += lineEnd;
    }
    result.append(1, '[').append(section).append(1, ']').append(lineEnd).append(keyLine).append(lineEnd);
  }
  return result;
}

std::string ProfileValueOr(const std::optional<std::string>& text, std::string_view section,
                           std::string_view key, const std::string& defaultValue, std::size_t size) {
  const std::optional<std::string> value = text ? FindProfileValue(*text, section, key) : std::nullopt;
  return value.value_or(defaultValue).substr(0, size == 0 ? 0 : size - 1);
}

std::string SetProfileValues(std::string text, std::string_view section,
                             const std::vector<ProfileEntry>& entries) {
  for (const ProfileEntry& entry : entries) {
    text = SetProfileValue(text, section, entry.key, entry.value);
  }
  return text;
}

}  // namespace sonaru

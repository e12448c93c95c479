// The text of a profile file: bracketed section names, one key=value line per key.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sonaru {

/// One key and the value text to store under it.
struct ProfileEntry {
  std::string key;
  std::string value;
};

/// The value of the first `key` in the first `section` of `text`, blanks around it removed; nothing when
/// the section or the key is missing. Names match whatever their case; CRLF and LF line ends both read,
/// and a UTF-8 byte-order mark at the start is skipped.
std::optional<std::string> FindProfileValue(std::string_view text, std::string_view section,
                                            std::string_view key);

/// `text` with `key` of `section` set to `value`: the key's line is replaced, or added at the end of the
/// section, or the section is added at the end of the text. Every other line stays as it was, and new
/// lines take the text's own line end (LF for an empty text); a byte-order mark stays where it was.
std::string SetProfileValue(std::string_view text, std::string_view section, std::string_view key,
                            std::string_view value);

/// What a profile read answers: the value of `key` in `section` of `text`, or `defaultValue` when there is
/// no text (no file, or one that cannot be read), no section or no key; cut to `size - 1` characters.
std::string ProfileValueOr(const std::optional<std::string>& text, std::string_view section,
                           std::string_view key, const std::string& defaultValue, std::size_t size);

/// `text` with every key of `entries` set in `section`, in their order, as that many single writes leave it.
std::string SetProfileValues(std::string text, std::string_view section,
                             const std::vector<ProfileEntry>& entries);

}  // namespace sonaru

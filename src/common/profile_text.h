// The text of a profile file: bracketed section names, one key=value line per key.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sonaru {

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

}  // namespace sonaru

// Text at the Windows boundary: the program's UTF-8 to the API's UTF-16 and back.
#pragma once

#include <string>
#include <string_view>

namespace sonaru::platform {

/// `text` in UTF-16; a byte that starts no valid UTF-8 character becomes U+FFFD.
std::wstring ToWide(std::string_view text);

/// `text` in UTF-8; an unpaired surrogate becomes U+FFFD.
std::string ToUtf8(std::wstring_view text);

}  // namespace sonaru::platform

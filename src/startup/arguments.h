// Command-line options: a two-character word such as "/S", one separator character, then the value.
#pragma once

#include <string>
#include <string_view>

namespace sonaru {

/// The value of the last argument word that starts with `option` (after the one separator character that
/// follows the option, one UTF-8 character of one to four bytes), or the empty text when no word matches.
/// The argument text is read afresh on every call.
std::string GetArgument(std::string_view option);

}  // namespace sonaru

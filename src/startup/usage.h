// The usage and version texts asked for with --help, -h, /? or --version.
#pragma once

#include <optional>
#include <string>

namespace sonaru {

/// The text to print when the whole argument text asks for help or for the version; nothing otherwise.
std::optional<std::string> InformationText(const std::string& argumentText);

}  // namespace sonaru

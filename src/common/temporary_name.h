// The names of the temporary files that a writer makes beside the file it replaces.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sonaru {

/// The temporary file of writer process `process` beside `fileName`: "<fileName>.tmp<process>-<counter>".
std::string TemporaryFileName(std::string_view fileName, std::uint32_t process, unsigned counter);

/// The writer process that `name` names, if it is a temporary file beside `fileName`; nothing for any
/// other name, and for a process number longer than any system gives.
std::optional<std::uint32_t> TemporaryFileWriter(std::string_view name, std::string_view fileName);

}  // namespace sonaru

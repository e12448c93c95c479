// The settings file Sonaru.ini: where it lives, and one key of its section "Volume" read or written.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sonaru {

/// Beside the executable when the file is there or may be created there, else in the user's own
/// configuration directory. Built afresh on every call.
std::string SettingsFilePath();

/// Writes `value` as value text under `key`. False when the file could not be written (it is then as it was).
bool WriteSetting(const std::string& key, std::int32_t value);

/// The number at the start of the stored text, or nothing when the key is missing.
std::optional<double> ReadLevel(const std::string& key);

/// The stored text, or nothing when the key is missing.
std::optional<std::string> ReadMute(const std::string& key);

/// The text before its first NUL character, or the whole text.
std::string CutAtNul(std::string_view text);

}  // namespace sonaru

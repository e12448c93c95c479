// The settings file Sonaru.ini: where it lives, its keys of section "Volume" read one at a time, and the
// writes of one save stored together.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/text.h"
#include "platform/profile_file.h"

namespace sonaru {

/// Beside the executable when the file is there or may be created there, else in the user's own
/// configuration directory. Built afresh on every call.
std::string SettingsFilePath();

/// False when a settings file exists but cannot be read: its state is unknown, never "nothing saved".
bool SettingsReadable();

/// The number at the start of the stored text, or nothing when the key is missing.
std::optional<double> ReadLevel(const std::string& key);

/// The stored text, or nothing when the key is missing.
std::optional<std::string> ReadMute(const std::string& key);

/// The writes of one save, kept in their order until Commit stores them all in one replace of the file.
class SettingsSave {
 public:
  /// Keeps `value`, as value text, for `key`.
  void WriteSetting(const std::string& key, std::int32_t value);
  /// Stores every key kept. False when the file could not be written: it then holds none of them.
  bool Commit() const;

 private:
  std::vector<platform::ProfileEntry> entries_;
};

}  // namespace sonaru

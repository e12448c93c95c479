// The private profile file service: keys in bracketed sections of a small text file.
#pragma once

#include <cstddef>
#include <string>

namespace sonaru::platform {

/// Reads and writes one key of one section of a profile file. Abstract so that tests use an in-memory file.
class ProfileFile {
 public:
  virtual ~ProfileFile() = default;

  /// The value stored under `key` in `section` of the file at `path`, cut to `size - 1` characters;
  /// `defaultValue` (cut alike) when the file, the section or the key is missing. Names match whatever
  /// their case.
  virtual std::string GetPrivateProfileStringA(const std::string& section, const std::string& key,
                                               const std::string& defaultValue, std::size_t size,
                                               const std::string& path) = 0;

  /// Creates the file, the section and the key as needed, or replaces the key's value, leaving every other
  /// line as it was. False when the file could not be written; the file is then as it was before.
  virtual bool WritePrivateProfileStringA(const std::string& section, const std::string& key,
                                          const std::string& value, const std::string& path) = 0;
};

}  // namespace sonaru::platform

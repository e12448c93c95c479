// The private profile file service: keys in bracketed sections of a small text file.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "common/profile_text.h"

namespace sonaru::platform {

using sonaru::ProfileEntry;

/// Reads and writes keys of one section of a profile file. Abstract so that tests use an in-memory file.
class ProfileFile {
 public:
  virtual ~ProfileFile() = default;

  /// The value stored under `key` in `section` of the file at `path`, cut to `size - 1` characters;
  /// `defaultValue` (cut alike) when the file, the section or the key is missing, or the file cannot be
  /// read. Names match whatever their case. Never waits: what is not a regular file is not read.
  virtual std::string GetPrivateProfileStringA(const std::string& section, const std::string& key,
                                               const std::string& defaultValue, std::size_t size,
                                               const std::string& path) = 0;

  /// False when something exists at `path` that cannot be read as a file (no permission, a folder, a FIFO,
  /// a device); true when it can be read or nothing is there.
  virtual bool FileReadable(const std::string& path) = 0;

  /// Sets the keys of `entries` in `section`, in their order, creating the file and the section as needed
  /// and leaving every other line as it was: the text that as many single-key writes would leave, stored
  /// in one replace. False when the file could not be written; the file is then as it was before.
  virtual bool WritePrivateProfileStrings(const std::string& section,
                                          const std::vector<ProfileEntry>& entries,
                                          const std::string& path) = 0;
};

}  // namespace sonaru::platform

// Profile files on a POSIX file system, replaced atomically on every write.
#pragma once

#include "platform/profile_file.h"

namespace sonaru::platform {

class PosixProfileFile final : public ProfileFile {
 public:
  std::string GetPrivateProfileStringA(const std::string& section, const std::string& key,
                                       const std::string& defaultValue, std::size_t size,
                                       const std::string& path) override;
  bool FileReadable(const std::string& path) override;
  /// Writes a temporary file beside `path`, flushes it and renames it over `path`, so that concurrent
  /// writers each leave a whole file behind; a write-protected file is refused, a symbolic link is written
  /// through, and a file in a folder that takes no new file is overwritten in place.
  bool WritePrivateProfileStrings(const std::string& section, const std::vector<ProfileEntry>& entries,
                                  const std::string& path) override;
};

}  // namespace sonaru::platform

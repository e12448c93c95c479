// Profile files on a POSIX file system, replaced atomically on every write.
#pragma once

#include "platform/profile_file.h"

namespace sonaru::platform {

class PosixProfileFile final : public ProfileFile {
 public:
  std::string GetPrivateProfileStringA(const std::string& section, const std::string& key,
                                       const std::string& defaultValue, std::size_t size,
                                       const std::string& path) override;
  /// Writes a temporary file beside `path`, flushes it and renames it over `path`, creating the folder
  /// when it is missing; concurrent writers each leave a whole file behind.
  bool WritePrivateProfileStringA(const std::string& section, const std::string& key,
                                  const std::string& value, const std::string& path) override;
};

}  // namespace sonaru::platform

// Profile files on Windows, replaced atomically on every write.
#pragma once

#include "platform/profile_file.h"

namespace sonaru::platform {

class Win32ProfileFile final : public ProfileFile {
 public:
  std::string GetPrivateProfileStringA(const std::string& section, const std::string& key,
                                       const std::string& defaultValue, std::size_t size,
                                       const std::string& path) override;
  bool FileReadable(const std::string& path) override;
  /// Writes a temporary file beside `path`, flushes it and moves it over `path`, so that concurrent writers
  /// each leave a whole file behind; a read-only file is refused, a symbolic link or junction is written
  /// through to its target, and temporary files of writers that have ended are removed. A text with line
  /// ends keeps them; a new or empty file, or one without any line end, gets CRLF ones.
  bool WritePrivateProfileStrings(const std::string& section, const std::vector<ProfileEntry>& entries,
                                  const std::string& path) override;
};

}  // namespace sonaru::platform

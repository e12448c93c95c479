// A profile file is read whole for every key, and replaced whole for every set of keys written.
#include "platform/posix/posix_profile_file.h"

#include <optional>

#include "common/profile_text.h"
#include "platform/posix/whole_file.h"

namespace sonaru::platform {

std::string PosixProfileFile::GetPrivateProfileStringA(const std::string& section, const std::string& key,
                                                       const std::string& defaultValue, std::size_t size,
                                                       const std::string& path) {
  return ProfileValueOr(ReadWholeFile(path), section, key, defaultValue, size);
}

bool PosixProfileFile::FileReadable(const std::string& path) { return ReadWholeFile(path).has_value(); }

bool PosixProfileFile::WritePrivateProfileStrings(const std::string& section,
                                                  const std::vector<ProfileEntry>& entries,
                                                  const std::string& path) {
  // An existing file that cannot be read is left alone rather than replaced by one holding only these keys.
  const std::optional<std::string> text = ReadWholeFile(path);
  return text && ReplaceWholeFile(path, SetProfileValues(*text, section, entries));
}

}  // namespace sonaru::platform

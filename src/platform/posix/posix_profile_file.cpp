// A profile file is read whole for every key, and replaced whole for every set of keys written.
#include "platform/posix/posix_profile_file.h"

#include <optional>

#include "platform/posix/whole_file.h"
#include "common/profile_text.h"

namespace sonaru::platform {

std::string PosixProfileFile::GetPrivateProfileStringA(const std::string& section, const std::string& key,
                                                       const std::string& defaultValue, std::size_t size,
                                                       const std::string& path) {
  const std::optional<std::string> text = ReadWholeFile(path);
  std::optional<std::string> value;
  if (text) {
    value = FindProfileValue(*text, section, key);
  }
  const std::string& result = value ? *value : defaultValue;
  return result.substr(0, size == 0 ? 0 : size - 1);
}

bool PosixProfileFile::FileReadable(const std::string& path) { return ReadWholeFile(path).has_value(); }

bool PosixProfileFile::WritePrivateProfileStrings(const std::string& section,
                                                  const std::vector<ProfileEntry>& entries,
                                                  const std::string& path) {
  // An existing file that cannot be read is left alone rather than replaced by one holding only these keys.
  std::optional<std::string> text = ReadWholeFile(path);
  if (!text) {
    return false;
  }
  for (const ProfileEntry& entry : entries) {
    *text = SetProfileValue(*text, section, entry.key, entry.value);
  }
  return ReplaceWholeFile(path, *text);
}

}  // namespace sonaru::platform

// In-memory profile files over the project's own profile text rules.
#include "fakes/memory_profile_file.h"

#include <optional>

#include "platform/profile/profile_text.h"

namespace sonaru::test {

std::string MemoryProfileFile::GetPrivateProfileStringA(const std::string& section, const std::string& key,
                                                        const std::string& defaultValue, std::size_t size,
                                                        const std::string& path) {
  std::optional<std::string> value;
  if (const auto file = files.find(path); file != files.end()) {
    value = platform::FindProfileValue(file->second, section, key);
  }
  return value.value_or(defaultValue).substr(0, size == 0 ? 0 : size - 1);
}

bool MemoryProfileFile::WritePrivateProfileStringA(const std::string& section, const std::string& key,
                                                   const std::string& value, const std::string& path) {
  if (writesBeforeFailure >= 0 && writes >= writesBeforeFailure) {
    return false;
  }
  ++writes;
  files[path] = platform::SetProfileValue(files[path], section, key, value);
  return true;
}

}  // namespace sonaru::test

// In-memory profile files over the project's own profile text rules.
#include "fakes/memory_profile_file.h"

#include <optional>

#include "common/profile_text.h"

namespace sonaru::test {

std::string MemoryProfileFile::GetPrivateProfileStringA(const std::string& section, const std::string& key,
                                                        const std::string& defaultValue, std::size_t size,
                                                        const std::string& path) {
  std::optional<std::string> text;
  if (const auto file = files.find(path); file != files.end() && FileReadable(path)) {
    text = file->second;
  }
  return ProfileValueOr(text, section, key, defaultValue, size);
}

bool MemoryProfileFile::WritePrivateProfileStrings(const std::string& section,
                                                   const std::vector<platform::ProfileEntry>& entries,
                                                   const std::string& path) {
  if ((writesBeforeFailure >= 0 && writes >= writesBeforeFailure) || !FileReadable(path)) {
    return false;
  }
  ++writes;
  files[path] = SetProfileValues(files[path], section, entries);
  return true;
}

}  // namespace sonaru::test

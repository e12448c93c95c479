// Profile files kept in memory, with the same text rules as the real ones and writes that can be made to
// fail.
#pragma once

#include <map>
#include <set>
#include <string>

#include "platform/profile_file.h"

namespace sonaru::test {

class MemoryProfileFile final : public platform::ProfileFile {
 public:
  std::map<std::string, std::string> files;  // path -> whole text
  std::set<std::string> unreadable;          // paths of files that exist but cannot be read
  int writesBeforeFailure = -1;              // the writes that succeed before all others fail; -1: no failure
  int writes = 0;

  std::string GetPrivateProfileStringA(const std::string& section, const std::string& key,
                                       const std::string& defaultValue, std::size_t size,
                                       const std::string& path) override;
  bool FileReadable(const std::string& path) override { return !unreadable.contains(path); }
  bool WritePrivateProfileStrings(const std::string& section,
                                  const std::vector<platform::ProfileEntry>& entries,
                                  const std::string& path) override;
};

}  // namespace sonaru::test

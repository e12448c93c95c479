// Profile files kept in memory, with the same text rules as the real ones and writes that can be made to
// fail.
#pragma once

#include <map>
#include <string>

#include "platform/profile_file.h"

namespace sonaru::test {

class MemoryProfileFile final : public platform::ProfileFile {
 public:
  std::map<std::string, std::string> files;  // path -> whole text
  int writesBeforeFailure = -1;              // the writes that succeed before all others fail; -1: no failure
  int writes = 0;

  std::string GetPrivateProfileStringA(const std::string& section, const std::string& key,
                                       const std::string& defaultValue, std::size_t size,
                                       const std::string& path) override;
  bool WritePrivateProfileStringA(const std::string& section, const std::string& key,
                                  const std::string& value, const std::string& path) override;
};

}  // namespace sonaru::test

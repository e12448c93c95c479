// Stand-ins are /bin/sh scripts that use only shell built-ins, so that PATH can hold nothing but bin/.
#include "stand_in_folder.h"

#include <stdlib.h>
#include <time.h>

#include <cerrno>
#include <fstream>

namespace sonaru::test {

namespace fs = std::filesystem;

StandInFolder::StandInFolder() {
  std::string pattern = (fs::temp_directory_path() / "sonaru-scheduler-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    throw fs::filesystem_error("mkdtemp", pattern, std::error_code(errno, std::generic_category()));
  }
  root = pattern;
  bin = root / "bin";
  log = root / "calls.log";
  fs::create_directory(bin);
}

StandInFolder::~StandInFolder() {
  std::error_code ignored;
  fs::remove_all(root, ignored);
}

void StandInFolder::AddStandIn(const std::string& name, const std::string& then) const {
  const fs::path script = bin / name;
  std::ofstream(script) << "#!/bin/sh\n"
                        << "{ printf '%s' '" << name << "'; printf ' [%s]' \"$@\"; printf '\\n'; } >> '"
                        << log.string() << "'\n"
                        << then << "\n";
  fs::permissions(script, fs::perms::owner_all);
}

std::vector<std::string> StandInFolder::Calls() const {
  std::vector<std::string> calls;
  std::ifstream in(log);
  for (std::string line; std::getline(in, line);) {
    calls.push_back(line);
  }
  return calls;
}

std::time_t LocalSeconds(const std::string& calendarText) {
  std::tm moment{};
  moment.tm_isdst = -1;
  const char* end = ::strptime(calendarText.c_str(), "%Y-%m-%d %H:%M:%S", &moment);
  return end != nullptr && *end == '\0' ? std::mktime(&moment) : -1;
}

}  // namespace sonaru::test

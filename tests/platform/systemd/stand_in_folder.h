// A private folder whose bin/ holds stand-ins for systemd's commands; each records how it was called.
#pragma once

#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

namespace sonaru::test {

class StandInFolder {
 public:
  StandInFolder();
  ~StandInFolder();
  StandInFolder(const StandInFolder&) = delete;
  StandInFolder& operator=(const StandInFolder&) = delete;

  /// Writes bin/`name`: a script that records its call, then runs the shell commands `then`.
  void AddStandIn(const std::string& name, const std::string& then = "exit 0") const;
  /// The recorded calls in order, one line each: the command's name, then each argument in brackets.
  std::vector<std::string> Calls() const;

  std::filesystem::path root;
  std::filesystem::path bin;
  std::filesystem::path log;
};

/// The time that a local calendar text "YYYY-MM-DD HH:MM:SS" stands for; -1 when the text is not one.
std::time_t LocalSeconds(const std::string& calendarText);

}  // namespace sonaru::test

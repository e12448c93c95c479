// Process information on Linux: /proc/self/exe, the command line, XDG directories, access checks.
#pragma once

#include <string>
#include <vector>

#include "platform/process.h"

namespace sonaru::platform {

class PosixProcess final : public Process {
 public:
  PosixProcess(int argc, char** argv);

  std::string ArgumentText() override;
  std::string ProgramDirectory() override;
  std::string ExecutableName() override;
  std::string UserName() override;
  LocalDateTime Now() override;
  std::string UserConfigDirectory() override;
  bool FileExists(const std::string& path) override;
  bool DirectoryWritable(const std::string& path) override;

 private:
  std::string argumentText_;
};

}  // namespace sonaru::platform

// Process information on Linux: /proc/self/exe, the command line, XDG directories, access checks.
#pragma once

#include <string>
#include <vector>

#include "platform/process.h"

namespace sonaru::platform {

/// Where the program at `programDirectory` finds its shipped files: that directory when it holds ding.wav or
/// Sonaru.CHM (a build tree, a copied program), else `<programDirectory>/../share/sonaru` when that folder
/// exists (an installed program, whatever its prefix), else the program directory itself.
std::string ResourceDirectoryOf(const std::string& programDirectory);

class PosixProcess final : public Process {
 public:
  PosixProcess(int argc, char** argv);

  std::string ArgumentText() override;
  std::size_t ArgumentCount() override;
  std::string ProgramDirectory() override;
  /// ResourceDirectoryOf(ProgramDirectory()).
  std::string ResourceDirectory() override;
  std::string ExecutableName() override;
  std::string UserName() override;
  LocalDateTime Now() override;
  std::string UserConfigDirectory() override;
  bool FileExists(const std::string& path) override;
  bool DirectoryWritable(const std::string& path) override;

 private:
  std::string argumentText_;
  std::size_t argumentCount_;
};

}  // namespace sonaru::platform

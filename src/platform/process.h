// The process information service: command line, program location and where the user may write.
#pragma once

#include <string>

namespace sonaru::platform {

class Process {
 public:
  virtual ~Process() = default;

  /// The command line after the program's own name, its words joined by single blanks.
  virtual std::string ArgumentText() = 0;
  /// The directory that holds the running executable, without a trailing separator.
  virtual std::string ProgramDirectory() = 0;
  /// The user's own configuration directory for this program (it may not exist yet).
  virtual std::string UserConfigDirectory() = 0;
  /// True when a file exists at `path`.
  virtual bool FileExists(const std::string& path) = 0;
  /// True when this process may create files in the directory `path`.
  virtual bool DirectoryWritable(const std::string& path) = 0;
};

}  // namespace sonaru::platform

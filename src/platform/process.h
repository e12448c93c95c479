// The process information service: command line, program location and where the user may write.
#pragma once

#include <cstddef>
#include <string>

namespace sonaru::platform {

/// A moment in local time, to the second.
struct LocalDateTime {
  int year = 1899;
  int month = 12;  // 1 to 12
  int day = 30;    // 1 to 31
  int hour = 0;
  int minute = 0;
  int second = 0;
};

class Process {
 public:
  virtual ~Process() = default;

  /// The command line after the program's own name, its words joined by single blanks.
  virtual std::string ArgumentText() = 0;
  /// How many arguments follow the program's name, empty ones included.
  virtual std::size_t ArgumentCount() = 0;
  /// The directory that holds the running executable, without a trailing separator.
  virtual std::string ProgramDirectory() = 0;
  /// The directory of the files shipped with the program (its sound and its help), without a trailing
  /// separator: the program directory, or the shared data folder of an installed program.
  virtual std::string ResourceDirectory() = 0;
  /// The executable's file name without its directory.
  virtual std::string ExecutableName() = 0;
  /// The name of the user running the program.
  virtual std::string UserName() = 0;
  /// The local date and time now.
  virtual LocalDateTime Now() = 0;
  /// The user's own configuration directory for this program (it may not exist yet).
  virtual std::string UserConfigDirectory() = 0;
  /// True when a file exists at `path`.
  virtual bool FileExists(const std::string& path) = 0;
  /// True when this process may create files in the directory `path`.
  virtual bool DirectoryWritable(const std::string& path) = 0;
};

}  // namespace sonaru::platform

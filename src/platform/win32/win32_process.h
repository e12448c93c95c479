// Process information on Windows: the command line, the module's file name, known folders, access checks.
#pragma once

#include <string>
#include <string_view>

#include "platform/process.h"

namespace sonaru::platform {

/// What follows the program's name on a command line.
struct CommandLineArguments {
  std::string text;  // in UTF-8
  std::size_t count = 0;
};

/// The argument text of `commandLine` is what follows the program's name, as Windows quotes it (a leading
/// quoted path, else the first word up to a blank), and the blanks after it, handed over as it is, quotes
/// included. Its count is the number of arguments by the C runtime's rules, where quotes group blanks and
/// `""` is one empty argument: 0 exactly when the text is empty.
CommandLineArguments ArgumentsOf(std::wstring_view commandLine);

class Win32Process final : public Process {
 public:
  /// Reads the process's command line (GetCommandLineW).
  Win32Process();

  std::string ArgumentText() override;
  std::size_t ArgumentCount() override;
  std::string ProgramDirectory() override;
  /// The program directory: the program's sound and help ship beside it.
  std::string ResourceDirectory() override;
  std::string ExecutableName() override;
  std::string UserName() override;
  LocalDateTime Now() override;
  /// %APPDATA%\Sonaru (the user's roaming application data); the program directory when Windows does not
  /// know that folder.
  std::string UserConfigDirectory() override;
  bool FileExists(const std::string& path) override;
  /// True when a file can be created in `path` now (a folder's attributes do not tell: Program Files is
  /// read-only for users through its permissions alone).
  bool DirectoryWritable(const std::string& path) override;

 private:
  CommandLineArguments arguments_;
};

}  // namespace sonaru::platform

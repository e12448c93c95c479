// Where the program runs from and where the user's configuration lives.
#include "platform/posix/posix_process.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace sonaru::platform {

PosixProcess::PosixProcess(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (i > 1) {
      argumentText_ += ' ';
    }
    argumentText_ += argv[i];
  }
}

std::string PosixProcess::ArgumentText() { return argumentText_; }

std::string PosixProcess::ProgramDirectory() {
  std::error_code error;
  const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::current_path(error).string() : executable.parent_path().string();
}

std::string PosixProcess::UserConfigDirectory() {
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && config[0] == '/') {
    return std::string(config) + "/sonaru";
  }
  const char* home = std::getenv("HOME");
  if (home == nullptr || home[0] == '\0') {
    const passwd* user = ::getpwuid(::getuid());
    home = user != nullptr ? user->pw_dir : "/tmp";
  }
  return std::string(home) + "/.config/sonaru";
}

bool PosixProcess::FileExists(const std::string& path) {
  std::error_code error;
  return std::filesystem::exists(path, error);
}

bool PosixProcess::DirectoryWritable(const std::string& path) { return ::access(path.c_str(), W_OK) == 0; }

}  // namespace sonaru::platform

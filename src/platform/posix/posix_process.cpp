// Where the program runs from and where the user's configuration lives.
#include "platform/posix/posix_process.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>

namespace sonaru::platform {

std::string ResourceDirectoryOf(const std::string& programDirectory) {
  const std::filesystem::path beside(programDirectory);
  std::error_code error;
  if (std::filesystem::exists(beside / "ding.wav", error) ||
      std::filesystem::exists(beside / "Sonaru.CHM", error)) {
    return programDirectory;
  }
  const std::filesystem::path shared = (beside / ".." / "share" / "sonaru").lexically_normal();
  return std::filesystem::is_directory(shared, error) ? shared.string() : programDirectory;
}

PosixProcess::PosixProcess(int argc, char** argv)
    : argumentCount_(argc > 1 ? static_cast<std::size_t>(argc - 1) : 0) {
  for (int i = 1; i < argc; ++i) {
    if (i > 1) {
      argumentText_ += ' ';
    }
    argumentText_ += argv[i];
  }
}

std::string PosixProcess::ArgumentText() { return argumentText_; }

std::size_t PosixProcess::ArgumentCount() { return argumentCount_; }

std::string PosixProcess::ProgramDirectory() {
  std::error_code error;
  const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::current_path(error).string() : executable.parent_path().string();
}

std::string PosixProcess::ResourceDirectory() { return ResourceDirectoryOf(ProgramDirectory()); }

std::string PosixProcess::ExecutableName() {
  std::error_code error;
  const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string("sonaru") : executable.filename().string();
}

std::string PosixProcess::UserName() {
  if (const char* user = std::getenv("USER"); user != nullptr && user[0] != '\0') {
    return user;
  }
  const passwd* entry = ::getpwuid(::getuid());
  return entry != nullptr ? entry->pw_name : "";
}

LocalDateTime PosixProcess::Now() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
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

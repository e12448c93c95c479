// Reading a profile file whole, and replacing it whole through a temporary file and a rename.
#include "platform/posix/posix_profile_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <optional>

#include "platform/profile/profile_text.h"

namespace sonaru::platform {

namespace {

// The file's whole text; an empty text when it does not exist, nothing when it exists but cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    return errno == ENOENT ? std::optional<std::string>("") : std::nullopt;
  }
  std::string text;
  char buffer[4096];
  ssize_t n = 0;
  while ((n = ::read(fd, buffer, sizeof buffer)) != 0) {
    if (n < 0 && errno == EINTR) {
      continue;
    }
    if (n < 0) {
      ::close(fd);
      return std::nullopt;
    }
    text.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return text;
}

bool WriteAll(int fd, const std::string& text) {
  std::size_t written = 0;
  while (written < text.size()) {
    const ssize_t n = ::write(fd, text.data() + written, text.size() - written);
    if (n < 0 && errno == EINTR) {
      continue;
    }
    if (n <= 0) {
      return false;
    }
    written += static_cast<std::size_t>(n);
  }
  return true;
}

std::string TemporaryPathBeside(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  return path + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
}

bool ReplaceFile(const std::string& path, const std::string& text) {
  std::error_code ignored;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);

  struct stat existing {};
  const mode_t mode = ::stat(path.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : 0666;
  const std::string temporary = TemporaryPathBeside(path);
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
  if (fd < 0) {
    return false;
  }
  const bool written = WriteAll(fd, text) && ::fsync(fd) == 0;
  const bool closed = ::close(fd) == 0;
  if (!written || !closed || ::rename(temporary.c_str(), path.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace

std::string PosixProfileFile::GetPrivateProfileStringA(const std::string& section, const std::string& key,
                                                       const std::string& defaultValue, std::size_t size,
                                                       const std::string& path) {
  const std::optional<std::string> text = ReadWholeFile(path);
  std::optional<std::string> value;
  if (text) {
    value = FindProfileValue(*text, section, key);
  }
  const std::string& result = value ? *value : defaultValue;
  return result.substr(0, size == 0 ? 0 : size - 1);
}

bool PosixProfileFile::WritePrivateProfileStringA(const std::string& section, const std::string& key,
                                                  const std::string& value, const std::string& path) {
  // An existing file that cannot be read is left alone rather than replaced by one holding a single key.
  const std::optional<std::string> text = ReadWholeFile(path);
  return text && ReplaceFile(path, SetProfileValue(*text, section, key, value));
}

}  // namespace sonaru::platform

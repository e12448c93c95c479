// Replacing a file: a temporary file beside it, flushed, renamed over it, then the folder flushed.
#include "platform/posix/whole_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <filesystem>
#include <limits>
#include <optional>
#include <utility>

#include "common/temporary_name.h"

namespace sonaru::platform {

namespace {

namespace fs = std::filesystem;

// Closes a descriptor on every way out.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) {
      ::close(fd_);
    }
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;

  int get() const { return fd_; }
  bool Close() { return ::close(std::exchange(fd_, -1)) == 0; }

 private:
  int fd_;
};

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

// The file a chain of symbolic links ends at, so that a write reaches it and the links stay.
fs::path FinalTarget(fs::path path) {
  std::error_code error;
  for (int hops = 0; hops < 40 && fs::is_symlink(path, error); ++hops) {
    const fs::path target = fs::read_symlink(path, error);
    if (error) {
      break;
    }
    path = target.is_absolute() ? target : path.parent_path() / target;
  }
  return path;
}

std::string TemporaryPathBeside(const fs::path& path) {
  static std::atomic<unsigned> counter{0};
  return (path.parent_path() / TemporaryFileName(path.filename().string(), ::getpid(), counter++)).string();
}

// A run killed between creating its temporary file and renaming it leaves the file behind: the next
// write beside it removes it once its writer is gone.
void RemoveLeftoverTemporaries(const fs::path& path) {
  const std::string fileName = path.filename().string();
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(path.parent_path(), error)) {
    const std::optional<std::uint32_t> writer =
        TemporaryFileWriter(entry.path().filename().string(), fileName);
    if (writer && *writer <= std::numeric_limits<pid_t>::max()) {
      const auto process = static_cast<pid_t>(*writer);
      if (process != ::getpid() && ::kill(process, 0) != 0 && errno == ESRCH) {
        fs::remove(entry.path(), error);
      }
    }
  }
}

// Without it a power loss right after the rename can bring the old name back.
void SyncFolder(const fs::path& folder) {
  Descriptor fd(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.get() >= 0) {
    ::fsync(fd.get());
  }
}

// A file whose folder takes no new name can only be overwritten where it is. A crash in the middle then
// leaves it torn; the room is taken beforehand, so that a full disk at least cannot.
bool WriteInPlace(const fs::path& path, const std::string& text) {
  Descriptor fd(::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  struct stat file {};
  if (fd.get() < 0 || ::fstat(fd.get(), &file) != 0 || !S_ISREG(file.st_mode)) {
    return false;
  }
  const auto size = static_cast<off_t>(text.size());
  if (size > file.st_size && ::posix_fallocate(fd.get(), 0, size) != 0) {
    return false;
  }
  return WriteAll(fd.get(), text) && ::ftruncate(fd.get(), size) == 0 && ::fsync(fd.get()) == 0 && fd.Close();
}

// A file no one may write to is one the user protected; root's rights do not overrule that here.
bool WriteProtected(const fs::path& path, const struct stat& file) {
  return (file.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(path.c_str(), W_OK) != 0;
}

// Only root may give a file away: anyone else's writes leave the file theirs, with the same mode.
void KeepOwner(int fd, const struct stat& file) {
  const int refused = ::fchown(fd, file.st_uid, file.st_gid);
  static_cast<void>(refused);
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path) {
  Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (fd.get() < 0) {
    return errno == ENOENT ? std::optional<std::string>("") : std::nullopt;
  }
  struct stat file {};
  if (::fstat(fd.get(), &file) != 0 || !S_ISREG(file.st_mode)) {
    return std::nullopt;
  }
  std::string text;
  char buffer[65536];
  ssize_t n = 0;
  while ((n = ::read(fd.get(), buffer, sizeof buffer)) != 0) {
    if (n < 0 && errno == EINTR) {
      continue;
    }
    if (n < 0) {
      return std::nullopt;
    }
    text.append(buffer, static_cast<std::size_t>(n));
  }
  return text;
}

bool ReplaceWholeFile(const std::string& path, const std::string& text) {
  const fs::path target = FinalTarget(path);
  std::error_code ignored;
  fs::create_directories(target.parent_path(), ignored);

  struct stat existing {};
  const bool exists = ::stat(target.c_str(), &existing) == 0;
  if (exists && (!S_ISREG(existing.st_mode) || WriteProtected(target, existing))) {
    return false;
  }
  RemoveLeftoverTemporaries(target);
  const std::string temporary = TemporaryPathBeside(target);
  Descriptor fd(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, exists ? 0600 : 0666));
  if (fd.get() < 0) {
    return exists && (errno == EACCES || errno == EPERM || errno == EROFS) && WriteInPlace(target, text);
  }
  if (exists) {
    KeepOwner(fd.get(), existing);
  }
  const bool written = WriteAll(fd.get(), text) &&
                       (!exists || ::fchmod(fd.get(), existing.st_mode & 07777) == 0) &&
                       ::fsync(fd.get()) == 0;
  if (!fd.Close() || !written || ::rename(temporary.c_str(), target.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return false;
  }
  SyncFolder(target.parent_path());
  return true;
}

}  // namespace sonaru::platform

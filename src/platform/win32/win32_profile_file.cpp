// A profile file is read whole for every key, and replaced whole for every set of keys written.
#include "platform/win32/win32_profile_file.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <optional>

#include "common/profile_text.h"
#include "common/temporary_name.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"

namespace sonaru::platform {

namespace {

// Readers let writers move a new file over the one they read.
constexpr DWORD ShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// The file's whole text; an empty text when nothing is at `path`; nothing when something is there that
// cannot be read as a file on a disk (a folder, a device, a file the user may not read).
std::optional<std::string> ReadWholeFile(const std::wstring& path) {
  const UniqueHandle file(::CreateFileW(path.c_str(), GENERIC_READ, ShareAll, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) {
    const DWORD error = ::GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? std::optional<std::string>("")
                                                                          : std::nullopt;
  }
  if (::GetFileType(file.get()) != FILE_TYPE_DISK) {
    return std::nullopt;
  }
  std::string text;
  char buffer[65536];
  DWORD read = 0;
  do {
    if (::ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) == 0) {
      return std::nullopt;
    }
    text.append(buffer, read);
  } while (read != 0);
  return text;
}

bool WriteAll(HANDLE file, const std::string& text) {
  std::size_t written = 0;
  while (written < text.size()) {
    DWORD n = 0;
    const auto chunk = static_cast<DWORD>(std::min<std::size_t>(text.size() - written, 1u << 20));
    if (::WriteFile(file, text.data() + written, chunk, &n, nullptr) == 0 || n == 0) {
      return false;
    }
    written += n;
  }
  return true;
}

// The file that a symbolic link or a junction on the way to `path` leads to, so that a replace reaches it
// and the links stay; `path` itself when nothing is there yet.
std::wstring FinalTarget(const std::wstring& path) {
  const UniqueHandle file(
      ::CreateFileW(path.c_str(), 0, ShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file.Valid()) {
    return path;
  }
  std::wstring target(MAX_PATH, L'\0');
  DWORD length = 0;
  while ((length = ::GetFinalPathNameByHandleW(file.get(), target.data(), static_cast<DWORD>(target.size()),
                                               FILE_NAME_NORMALIZED | VOLUME_NAME_DOS)) >= target.size()) {
    target.resize(length);
  }
  if (length == 0) {
    return path;
  }
  target.resize(length);
  return target;
}

std::wstring TemporaryPathBeside(const std::wstring& path) {
  static std::atomic<unsigned> counter{0};
  const std::filesystem::path file(path);
  return (file.parent_path() /
          ToWide(TemporaryFileName(ToUtf8(file.filename().wstring()), ::GetCurrentProcessId(), counter++)))
      .wstring();
}

// A process id of the past: the process has ended, or no process has it now.
bool Ended(DWORD processId) {
  const UniqueHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  if (!process.Valid()) {
    return ::GetLastError() == ERROR_INVALID_PARAMETER;
  }
  DWORD status = 0;
  return ::GetExitCodeProcess(process.get(), &status) != 0 && status != STILL_ACTIVE;
}

// A run killed between creating its temporary file and moving it leaves the file behind: the next write
// beside it removes it once its writer has ended.
void RemoveLeftoverTemporaries(const std::wstring& path) {
  const std::filesystem::path file(path);
  const std::string fileName = ToUtf8(file.filename().wstring());
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(file.parent_path(), error)) {
    const std::optional<std::uint32_t> writer =
        TemporaryFileWriter(ToUtf8(entry.path().filename().wstring()), fileName);
    if (writer && *writer != ::GetCurrentProcessId() && Ended(*writer)) {
      ::DeleteFileW(entry.path().c_str());
    }
  }
}

// Replaces the file at `path` (a link: its target) with `text`, creating its folder when missing. False,
// with the file as it was, when the file is read-only, is a folder, or cannot be written.
bool ReplaceWholeFile(const std::wstring& path, const std::string& text) {
  const std::wstring target = FinalTarget(path);
  std::error_code ignored;
  std::filesystem::create_directories(std::filesystem::path(target).parent_path(), ignored);
  const DWORD attributes = ::GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0) {
    return false;
  }
  RemoveLeftoverTemporaries(target);
  const std::wstring temporary = TemporaryPathBeside(target);
  UniqueHandle file(::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) {
    return false;
  }
  const bool written = WriteAll(file.get(), text) && ::FlushFileBuffers(file.get()) != 0;
  if (!file.Close() || !written ||
      ::MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ==
          0) {
    ::DeleteFileW(temporary.c_str());
    return false;
  }
  return true;
}

// Every line end of a text that had none is one this writer added.
std::string WithCrlfLineEnds(const std::string& text) {
  std::string result;
  for (const char c : text) {
    if (c == '\n') {
      result += '\r';
    }
    result += c;
  }
  return result;
}

}  // namespace

std::string Win32ProfileFile::GetPrivateProfileStringA(const std::string& section, const std::string& key,
                                                       const std::string& defaultValue, std::size_t size,
                                                       const std::string& path) {
  return ProfileValueOr(ReadWholeFile(ToWide(path)), section, key, defaultValue, size);
}

bool Win32ProfileFile::FileReadable(const std::string& path) {
  return ReadWholeFile(ToWide(path)).has_value();
}

bool Win32ProfileFile::WritePrivateProfileStrings(const std::string& section,
                                                  const std::vector<ProfileEntry>& entries,
                                                  const std::string& path) {
  const std::wstring widePath = ToWide(path);
  // An existing file that cannot be read is left alone rather than replaced by one holding only these keys.
  const std::optional<std::string> existing = ReadWholeFile(widePath);
  if (!existing) {
    return false;
  }
  std::string text = SetProfileValues(*existing, section, entries);
  if (existing->find('\n') == std::string::npos) {
    text = WithCrlfLineEnds(text);
  }
  return ReplaceWholeFile(widePath, text);
}

}  // namespace sonaru::platform

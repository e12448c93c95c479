// Where the program runs from, what it was asked, and where the user's configuration lives.
#include "platform/win32/win32_process.h"

#include <windows.h>
// After windows.h, which they need.
#include <knownfolders.h>
#include <lmcons.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <atomic>
#include <memory>

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"

namespace sonaru::platform {

namespace {

constexpr std::wstring_view Blanks = L" \t";

std::wstring_view AfterProgramName(std::wstring_view commandLine) {
  std::size_t end = 0;
  if (commandLine.starts_with(L'"')) {
    const std::size_t close = commandLine.find(L'"', 1);
    end = close == std::wstring_view::npos ? commandLine.size() : close + 1;
  } else {
    end = std::min(commandLine.find_first_of(Blanks), commandLine.size());
  }
  commandLine.remove_prefix(end);
  commandLine.remove_prefix(std::min(commandLine.find_first_not_of(Blanks), commandLine.size()));
  return commandLine;
}

struct LocalFreeDeleter {
  void operator()(void* memory) const { ::LocalFree(memory); }
};

std::size_t CountArguments(std::wstring_view arguments) {
  if (arguments.empty()) {
    return 0;
  }
  // A plain program name in front, so that the arguments are split as every argument after the first.
  const std::wstring line = L"sonaru " + std::wstring(arguments);
  int count = 0;
  const std::unique_ptr<LPWSTR, LocalFreeDeleter> words(::CommandLineToArgvW(line.c_str(), &count));
  return words != nullptr && count > 1 ? static_cast<std::size_t>(count - 1) : 1;
}

// The running executable's full path, split at its last separator.
struct ModulePath {
  std::wstring directory;
  std::wstring name;
};

ModulePath ModuleFile() {
  std::wstring path(MAX_PATH, L'\0');
  DWORD length = 0;
  while ((length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) ==
         path.size()) {
    path.resize(path.size() * 2);
  }
  path.resize(length);
  const std::size_t separator = path.find_last_of(L"\\/");
  if (separator == std::wstring::npos) {
    return {L".", path};
  }
  return {path.substr(0, separator), path.substr(separator + 1)};
}

struct CoTaskMemFreeDeleter {
  void operator()(wchar_t* memory) const { ::CoTaskMemFree(memory); }
};

}  // namespace

CommandLineArguments ArgumentsOf(std::wstring_view commandLine) {
  const std::wstring_view arguments = AfterProgramName(commandLine);
  return {ToUtf8(arguments), CountArguments(arguments)};
}

Win32Process::Win32Process() : arguments_(ArgumentsOf(::GetCommandLineW())) {}

std::string Win32Process::ArgumentText() { return arguments_.text; }

std::size_t Win32Process::ArgumentCount() { return arguments_.count; }

std::string Win32Process::ProgramDirectory() { return ToUtf8(ModuleFile().directory); }

std::string Win32Process::ResourceDirectory() { return ProgramDirectory(); }

std::string Win32Process::ExecutableName() { return ToUtf8(ModuleFile().name); }

std::string Win32Process::UserName() {
  wchar_t name[UNLEN + 1];
  DWORD size = UNLEN + 1;
  return ::GetUserNameW(name, &size) != 0 ? ToUtf8(std::wstring_view(name, size - 1)) : std::string();
}

LocalDateTime Win32Process::Now() {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

std::string Win32Process::UserConfigDirectory() {
  wchar_t* raw = nullptr;
  const HRESULT result = ::SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_DEFAULT, nullptr, &raw);
  const std::unique_ptr<wchar_t, CoTaskMemFreeDeleter> folder(raw);
  return SUCCEEDED(result) ? ToUtf8(folder.get()) + "\\Sonaru" : ProgramDirectory();
}

bool Win32Process::FileExists(const std::string& path) {
  return ::GetFileAttributesW(ToWide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Win32Process::DirectoryWritable(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  const std::wstring probe = ToWide(path) + L"\\Sonaru.probe" + std::to_wstring(::GetCurrentProcessId()) +
                             L"-" + std::to_wstring(counter++);
  // Gone again when closed, whatever happens to this process.
  const UniqueHandle file(
      ::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                    FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
  return file.Valid();
}

}  // namespace sonaru::platform

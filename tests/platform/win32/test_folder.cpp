// Test folders under %TEMP%, one per fixture, named after the process.
#include "test_folder.h"

#include <windows.h>

#include <iterator>

#include "platform/win32/wide_text.h"

namespace sonaru::test {

namespace fs = std::filesystem;

TestFolder::TestFolder(const std::wstring& leaf) {
  static unsigned counter = 0;
  root_ = fs::temp_directory_path() /
          (L"sonaru-test-" + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(counter++));
  path_ = root_ / leaf;
  fs::create_directories(path_);
}

TestFolder::~TestFolder() {
  // Read-only files refuse to be deleted.
  std::error_code error;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root_, error)) {
    ::SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
  }
  fs::remove_all(root_, error);
}

std::string TestFolder::Utf8() const { return platform::ToUtf8(path_.wstring()); }

std::size_t TestFolder::Entries() const {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator(path_), fs::directory_iterator()));
}

}  // namespace sonaru::test

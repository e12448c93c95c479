// A folder of a test's own, under the temporary folder, removed with all it holds at the end.
#pragma once

#include <filesystem>
#include <string>

namespace sonaru::test {

class TestFolder {
 public:
  /// A new folder named `leaf` inside a fresh folder of this process.
  explicit TestFolder(const std::wstring& leaf);
  ~TestFolder();
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  /// The folder's path in UTF-8, as the program hands paths to its backends.
  std::string Utf8() const;
  /// How many files and folders it holds.
  std::size_t Entries() const;

 private:
  std::filesystem::path root_;
  std::filesystem::path path_;
};

}  // namespace sonaru::test

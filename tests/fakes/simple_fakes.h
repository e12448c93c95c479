// Fakes of the small services: a recording message box and a process whose facts the test sets.
#pragma once

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "platform/message_box.h"
#include "platform/process.h"

namespace sonaru::test {

class RecordingMessageBox final : public platform::MessageBox {
 public:
  std::vector<std::string> shown;
  void MsgBox(const std::string& text) override { shown.push_back(text); }
};

class FakeProcess final : public platform::Process {
 public:
  std::string argumentText;
  std::string programDirectory = "/opt/sonaru";
  std::string resourceDirectory = "/opt/sonaru";
  std::string userConfigDirectory = "/home/user/.config/sonaru";
  std::string executableName = "sonaru";
  std::string userName = "user";
  platform::LocalDateTime now{2026, 12, 7, 10, 0, 0};
  std::set<std::string> existingFiles;
  std::set<std::string> writableDirectories = {"/opt/sonaru"};

  std::string ArgumentText() override { return argumentText; }
  /// One argument a word, as a shell would pass them.
  std::size_t ArgumentCount() override {
    return argumentText.empty()
               ? 0
               : 1 + static_cast<std::size_t>(std::count(argumentText.begin(), argumentText.end(), ' '));
  }
  std::string ProgramDirectory() override { return programDirectory; }
  std::string ResourceDirectory() override { return resourceDirectory; }
  std::string ExecutableName() override { return executableName; }
  std::string UserName() override { return userName; }
  platform::LocalDateTime Now() override { return now; }
  std::string UserConfigDirectory() override { return userConfigDirectory; }
  bool FileExists(const std::string& path) override { return existingFiles.contains(path); }
  bool DirectoryWritable(const std::string& path) override { return writableDirectories.contains(path); }
};

}  // namespace sonaru::test

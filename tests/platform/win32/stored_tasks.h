// The tasks that Task Scheduler 1.0 holds, read back through its own API.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace sonaru::test {

/// A stored task's settings, text in UTF-8.
struct StoredTask {
  std::string application;
  std::string parameters;
  std::string comment;
  unsigned long flags = 0;
  std::vector<std::string> triggers;  // "once 2040-01-02 03:04" and the like
  std::string file;                   // where the scheduler keeps it
};

/// The names of the tasks, without their ".job".
std::vector<std::string> StoredTaskNames();

/// The task called `name`, or nothing when there is none.
std::optional<StoredTask> ReadStoredTask(const std::string& name);

/// Removes the task called `name`, if there is one.
void DeleteStoredTask(const std::string& name);

/// How a trigger reads (as in StoredTask) when it is set `seconds` from now, rounded up to the minute.
std::string OnceTriggerIn(int seconds);

/// Removes the task called `name` at its creation, in case an earlier run left it, and at its end.
class TaskCleanup {
 public:
  explicit TaskCleanup(std::string name) : name_(std::move(name)) { DeleteStoredTask(name_); }
  ~TaskCleanup() { DeleteStoredTask(name_); }
  TaskCleanup(const TaskCleanup&) = delete;
  TaskCleanup& operator=(const TaskCleanup&) = delete;

 private:
  std::string name_;
};

}  // namespace sonaru::test

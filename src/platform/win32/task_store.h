// A task for the Windows task scheduler, described in memory, and the APIs that store one.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/process.h"
#include "platform/scheduler.h"
#include "platform/win32/com.h"

namespace sonaru::platform {

struct TaskDescription {
  std::string program;  // absolute, with backslashes
  std::string parameters;
  std::string comment;
  std::uint32_t flags = 0;  // TASK_FLAG_DELETE_WHEN_DONE, TASK_FLAG_HIDDEN, TASK_FLAG_RUN_ONLY_IF_LOGGED_ON
  LocalDateTime start;      // local time of its one run
  std::string account;
  std::optional<std::string> password;
};

/// An HRESULT as the scheduler's result: success, or the system's text for the failure.
inline SchedulerResult TaskResult(long result) {
  return result >= 0 ? SchedulerResult{} : SchedulerResult::Failure(HResultText(result));  // SUCCEEDED
}

/// One of the system's task scheduler APIs. The calling thread is in a COM apartment.
class TaskStore {
 public:
  virtual ~TaskStore() = default;

  /// Reaches the system's scheduler; fails when this API is not there.
  virtual SchedulerResult Connect() = 0;
  /// Stores `task` as `name`. A task of that name is replaced only once the new one is stored: a failure
  /// leaves it as it was.
  virtual SchedulerResult Register(const std::string& name, const TaskDescription& task) = 0;
};

}  // namespace sonaru::platform

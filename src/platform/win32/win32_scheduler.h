// The task scheduler on Windows: Task Scheduler 1.0 where the system still has it, else 2.0.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/scheduler.h"
#include "platform/win32/com.h"
#include "platform/win32/task_store.h"

namespace sonaru::platform {

/// Describes the task in memory and hands it to the system's scheduler on `Register`, which replaces a
/// task of the same name still waiting; a failure leaves that one waiting. Honours the three task flags
/// of scheduler.h, the same under both APIs. A start already past, or due within two seconds, moves on to
/// two seconds from now, so that the task still runs. Failures carry the system's text for the error.
class Win32Scheduler final : public Scheduler {
 public:
  /// Joins a COM apartment for the rest of this object's life, then reaches Task Scheduler 1.0 (mstask),
  /// or 2.0 (taskschd) where 1.0 is gone.
  SchedulerResult Connect() override;
  SchedulerResult NewTask(const std::string& name) override;
  /// Forward slashes become the backslashes of Windows paths.
  SchedulerResult SetApplicationName(const std::string& program) override;
  SchedulerResult SetParameters(const std::string& arguments) override;
  SchedulerResult SetComment(const std::string& text) override;
  SchedulerResult SetFlags(std::uint32_t flags) override;
  SchedulerResult NewTrigger() override;
  SchedulerResult SetStartDate(DATE date) override;
  SchedulerResult SetStartTime(DATE time) override;
  SchedulerResult SetTriggerType(std::int32_t type) override;
  SchedulerResult SetAccountInformation(const std::string& account,
                                        const std::optional<std::string>& password) override;
  SchedulerResult Register() override;

 private:
  std::optional<ComApartment> apartment_;
  std::unique_ptr<TaskStore> store_;
  std::string name_;
  TaskDescription task_;
  DATE startDate_ = 0;
  DATE startTime_ = 0;
};

}  // namespace sonaru::platform

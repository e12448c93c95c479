// The task scheduler service: one named one-time task, described call by call, then stored.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/ole_date.h"

namespace sonaru::platform {

inline constexpr std::uint32_t TASK_FLAG_DELETE_WHEN_DONE = 0x2;
inline constexpr std::uint32_t TASK_FLAG_HIDDEN = 0x200;
inline constexpr std::uint32_t TASK_FLAG_RUN_ONLY_IF_LOGGED_ON = 0x2000;

inline constexpr std::int32_t TASK_TIME_TRIGGER_ONCE = 0;

/// What a scheduler call answers: success, or failure with a reason the user can read.
struct SchedulerResult {
  bool succeeded = true;
  std::string reason;

  explicit operator bool() const { return succeeded; }
  static SchedulerResult Failure(std::string reason) { return {false, std::move(reason)}; }
};

/// The task flags and trigger kind that every backend honours; anything else is refused the same way.
inline SchedulerResult CheckTaskFlags(std::uint32_t flags) {
  constexpr std::uint32_t Honoured =
      TASK_FLAG_DELETE_WHEN_DONE | TASK_FLAG_HIDDEN | TASK_FLAG_RUN_ONLY_IF_LOGGED_ON;
  if ((flags & ~Honoured) != 0) {
    return SchedulerResult::Failure("options de tâche non prises en charge : " + std::to_string(flags));
  }
  return {};
}

inline SchedulerResult CheckTriggerType(std::int32_t type) {
  if (type != TASK_TIME_TRIGGER_ONCE) {
    return SchedulerResult::Failure("seul un déclenchement unique est pris en charge");
  }
  return {};
}

/// Registers tasks with the system's scheduler. Abstract so that the logic runs against a fake in tests.
/// The calls come in the order below; a caller stops at the first failure, and a failed call leaves
/// nothing registered by itself. Nothing reaches the system before `Register`.
class Scheduler {
 public:
  virtual ~Scheduler() = default;

  /// Makes the scheduler ready; fails when the system has no scheduler this backend can reach.
  virtual SchedulerResult Connect() = 0;
  /// Starts describing a new task called `name`; a task of that name already pending is replaced when the
  /// new one is registered.
  virtual SchedulerResult NewTask(const std::string& name) = 0;
  /// The program the task runs: an absolute path, which may hold blanks.
  virtual SchedulerResult SetApplicationName(const std::string& program) = 0;
  /// The program's arguments, words separated by single blanks.
  virtual SchedulerResult SetParameters(const std::string& arguments) = 0;
  /// A free text kept with the task.
  virtual SchedulerResult SetComment(const std::string& text) = 0;
  /// TASK_FLAG_* bits; fails on a bit the backend cannot honour.
  virtual SchedulerResult SetFlags(std::uint32_t flags) = 0;
  /// Adds the trigger that the three calls below describe.
  virtual SchedulerResult NewTrigger() = 0;
  /// The day the trigger fires on; the fraction of `date` is ignored.
  virtual SchedulerResult SetStartDate(DATE date) = 0;
  /// The time the trigger fires at, counted from the start of the start date: past 1.0 is a later day.
  virtual SchedulerResult SetStartTime(DATE time) = 0;
  /// TASK_TIME_TRIGGER_ONCE; fails on any other kind of trigger.
  virtual SchedulerResult SetTriggerType(std::int32_t type) = 0;
  /// The account the task runs as; without a password it runs only while that user is logged on.
  virtual SchedulerResult SetAccountInformation(const std::string& account,
                                                const std::optional<std::string>& password) = 0;
  /// Stores the task with the system's scheduler.
  virtual SchedulerResult Register() = 0;
};

}  // namespace sonaru::platform

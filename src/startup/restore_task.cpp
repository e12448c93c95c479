// The task is described to the scheduler one call at a time; the first failure ends the run.
#include "startup/restore_task.h"

#include <filesystem>
#include <functional>
#include <string>

#include "platform/message_box.h"
#include "platform/process.h"
#include "platform/scheduler.h"
#include "platform/services.h"
#include "startup/arguments.h"
#include "startup/delay.h"
#include "startup/exit_status.h"

namespace sonaru {

namespace {

using namespace platform;

constexpr const char* TaskName = "RestaureVolume";
constexpr const char* RestoreArguments = "/Rest";
constexpr std::uint32_t TaskFlags =
    TASK_FLAG_DELETE_WHEN_DONE | TASK_FLAG_HIDDEN | TASK_FLAG_RUN_ONLY_IF_LOGGED_ON;

}  // namespace

int CreateRestoreTask() {
  const std::string delayText = GetArgument("/T");
  const std::optional<std::int32_t> delay = DelaySeconds(delayText);
  if (!delay) {
    messageBox().MsgBox("Délai invalide : " + delayText);
    return ExitInvalidDelay;
  }
  Scheduler& scheduler = platform::scheduler();
  Process& process = platform::process();
  // The clock is read once, so that a run at midnight cannot take its date and its time from two days.
  LocalDateTime now;
  const std::function<SchedulerResult()> steps[] = {
      [&] { return scheduler.Connect(); },
      [&] { return scheduler.NewTask(TaskName); },
      [&] {
        return scheduler.SetApplicationName(process.ProgramDirectory() + "/" + process.ExecutableName());
      },
      [&] { return scheduler.SetParameters(RestoreArguments); },
      [&] { return scheduler.SetComment(std::filesystem::path(process.ExecutableName()).stem().string()); },
      [&] { return scheduler.SetFlags(TaskFlags); },
      [&] { return scheduler.NewTrigger(); },
      [&] {
        now = process.Now();
        return scheduler.SetStartDate(StartDate(now));
      },
      [&] { return scheduler.SetStartTime(StartTime(now, *delay)); },
      [&] { return scheduler.SetTriggerType(TASK_TIME_TRIGGER_ONCE); },
      [&] { return scheduler.SetAccountInformation(process.UserName(), std::nullopt); },
      [&] { return scheduler.Register(); },
  };
  for (const std::function<SchedulerResult()>& step : steps) {
    if (const SchedulerResult result = step(); !result) {
      messageBox().MsgBox(std::string("Impossible de créer la tâche ") + TaskName + " : " + result.reason);
      return ExitTaskNotCreated;
    }
  }
  return ExitDone;
}

}  // namespace sonaru

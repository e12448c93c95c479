// The task's description is kept here until Register hands it, whole, to one of the two APIs.
#include "platform/win32/win32_scheduler.h"

#include <windows.h>

#include <algorithm>
#include <cmath>

#include "platform/ole_date.h"
#include "platform/win32/mstask_store.h"
#include "platform/win32/taskschd_store.h"

namespace sonaru::platform {

namespace {

// A one-time trigger whose time has passed never fires.
constexpr double SoonestStart = 2 / SecondsPerDay;

DATE Now() {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  return OleDate({now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond});
}

}  // namespace

SchedulerResult Win32Scheduler::Connect() {
  store_.reset();
  if (!apartment_) {
    apartment_.emplace();
  }
  std::unique_ptr<TaskStore> stores[] = {NewMstaskStore(), NewTaskschdStore()};
  SchedulerResult result;
  for (std::unique_ptr<TaskStore>& store : stores) {
    if ((result = store->Connect())) {
      store_ = std::move(store);
      break;
    }
  }
  return result;
}

SchedulerResult Win32Scheduler::NewTask(const std::string& name) {
  name_ = name;
  task_ = {};
  return {};
}

SchedulerResult Win32Scheduler::SetApplicationName(const std::string& program) {
  task_.program = program;
  std::ranges::replace(task_.program, '/', '\\');
  return {};
}

SchedulerResult Win32Scheduler::SetParameters(const std::string& arguments) {
  task_.parameters = arguments;
  return {};
}

SchedulerResult Win32Scheduler::SetComment(const std::string& text) {
  task_.comment = text;
  return {};
}

SchedulerResult Win32Scheduler::SetFlags(std::uint32_t flags) {
  SchedulerResult result = CheckTaskFlags(flags);
  if (result) {
    task_.flags = flags;
  }
  return result;
}

SchedulerResult Win32Scheduler::NewTrigger() { return {}; }

SchedulerResult Win32Scheduler::SetStartDate(DATE date) {
  startDate_ = std::floor(date);
  return {};
}

SchedulerResult Win32Scheduler::SetStartTime(DATE time) {
  startTime_ = time;
  return {};
}

SchedulerResult Win32Scheduler::SetTriggerType(std::int32_t type) { return CheckTriggerType(type); }

SchedulerResult Win32Scheduler::SetAccountInformation(const std::string& account,
                                                      const std::optional<std::string>& password) {
  task_.account = account;
  task_.password = password;
  return {};
}

SchedulerResult Win32Scheduler::Register() {
  if (!store_) {
    return SchedulerResult::Failure("aucun planificateur de tâches disponible");
  }
  task_.start = DateTimeOf(std::max(startDate_ + startTime_, Now() + SoonestStart));
  return store_->Register(name_, task_);
}

}  // namespace sonaru::platform

// Task Scheduler 1.0 through mstask's COM classes; the task is saved by its IPersistFile.
#include "platform/win32/mstask_store.h"

#include <windows.h>
// After windows.h, which it needs.
#include <mstask.h>

#include <functional>

#include "platform/ole_date.h"
#include "platform/win32/com.h"
#include "platform/win32/wide_text.h"

namespace sonaru::platform {

namespace {

LocalDateTime NextWholeMinute(const LocalDateTime& moment) {
  if (moment.second == 0) {
    return moment;
  }
  LocalDateTime minute = moment;
  minute.second = 0;
  return DateTimeOf(OleDate(minute) + 60 / SecondsPerDay);
}

TASK_TRIGGER OnceAt(const LocalDateTime& moment) {
  const LocalDateTime start = NextWholeMinute(moment);
  TASK_TRIGGER trigger{};
  trigger.cbTriggerSize = sizeof trigger;
  trigger.wBeginYear = static_cast<WORD>(start.year);
  trigger.wBeginMonth = static_cast<WORD>(start.month);
  trigger.wBeginDay = static_cast<WORD>(start.day);
  trigger.wStartHour = static_cast<WORD>(start.hour);
  trigger.wStartMinute = static_cast<WORD>(start.minute);
  trigger.TriggerType = ::TASK_TIME_TRIGGER_ONCE;
  return trigger;
}

HRESULT ReplaceTriggers(ITask& job, TASK_TRIGGER trigger) {
  WORD count = 0;
  HRESULT result = job.GetTriggerCount(&count);
  while (SUCCEEDED(result) && count-- > 0) {
    result = job.DeleteTrigger(count);
  }
  WORD index = 0;
  ComPtr<ITaskTrigger> added;
  if (SUCCEEDED(result)) {
    result = job.CreateTrigger(&index, added.Put());
  }
  return SUCCEEDED(result) ? added->SetTrigger(&trigger) : result;
}

HRESULT Save(ITask& job) {
  ComPtr<IPersistFile> file;
  const HRESULT result = job.QueryInterface(IID_IPersistFile, file.PutVoid());
  return SUCCEEDED(result) ? file->Save(nullptr, TRUE) : result;
}

class MstaskStore final : public TaskStore {
 public:
  SchedulerResult Connect() override;
  SchedulerResult Register(const std::string& name, const TaskDescription& task) override;

 private:
  ComPtr<ITaskScheduler> scheduler_;
};

}  // namespace

std::unique_ptr<TaskStore> NewMstaskStore() { return std::make_unique<MstaskStore>(); }

SchedulerResult MstaskStore::Connect() {
  const HRESULT result = ::CoCreateInstance(CLSID_CTaskScheduler, nullptr, CLSCTX_INPROC_SERVER,
                                            IID_ITaskScheduler, scheduler_.PutVoid());
  return TaskResult(result);
}

SchedulerResult MstaskStore::Register(const std::string& name, const TaskDescription& task) {
  const std::wstring taskName = ToWide(name);
  const std::wstring program = ToWide(task.program);
  const std::wstring parameters = ToWide(task.parameters);
  const std::wstring comment = ToWide(task.comment);
  const std::wstring account = ToWide(task.account);
  const std::optional<std::wstring> password =
      task.password ? std::optional(ToWide(*task.password)) : std::nullopt;
  ComPtr<ITask> job;
  auto* unknown = reinterpret_cast<IUnknown**>(job.Put());
  const std::function<HRESULT()> steps[] = {
      [&] {
        // NewWorkItem refuses a name in use: that task is taken as it is, to be rewritten.
        const HRESULT found = scheduler_->Activate(taskName.c_str(), IID_ITask, unknown);
        return SUCCEEDED(found) ? found
                                : scheduler_->NewWorkItem(taskName.c_str(), CLSID_CTask, IID_ITask, unknown);
      },
      [&] { return job->SetApplicationName(program.c_str()); },
      [&] { return job->SetParameters(parameters.c_str()); },
      [&] { return job->SetComment(comment.c_str()); },
      [&] { return job->SetFlags(task.flags); },
      [&] { return ReplaceTriggers(*job.get(), OnceAt(task.start)); },
      [&] { return job->SetAccountInformation(account.c_str(), password ? password->c_str() : nullptr); },
      [&] { return Save(*job.get()); },
  };
  for (const std::function<HRESULT()>& step : steps) {
    if (const HRESULT result = step(); FAILED(result)) {
      return TaskResult(result);
    }
  }
  return {};
}

}  // namespace sonaru::platform

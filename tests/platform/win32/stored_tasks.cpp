// ITaskScheduler's Enum and Activate, and each setting's getter.
#include "stored_tasks.h"

#include <windows.h>
// After windows.h, which it needs.
#include <mstask.h>

#include <cmath>
#include <cstdio>
#include <memory>

#include "platform/ole_date.h"
#include "platform/win32/com.h"
#include "platform/win32/wide_text.h"

namespace sonaru::test {

namespace {

using platform::ComApartment;
using platform::ComPtr;
using platform::ToUtf8;
using platform::ToWide;

struct CoTaskMemFreeDeleter {
  void operator()(void* memory) const { ::CoTaskMemFree(memory); }
};

ComPtr<ITaskScheduler> Scheduler() {
  ComPtr<ITaskScheduler> scheduler;
  ::CoCreateInstance(CLSID_CTaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskScheduler,
                     scheduler.PutVoid());
  return scheduler;
}

// A text that a getter hands out in memory of its own.
template <typename Object, typename Getter>
std::string Text(Object& object, Getter getter) {
  wchar_t* raw = nullptr;
  (object.*getter)(&raw);
  const std::unique_ptr<wchar_t, CoTaskMemFreeDeleter> text(raw);
  return raw != nullptr ? ToUtf8(raw) : std::string();
}

std::string TriggerText(const TASK_TRIGGER& trigger) {
  char text[64];
  std::snprintf(text, sizeof text, "%s %04u-%02u-%02u %02u:%02u",
                trigger.TriggerType == TASK_TIME_TRIGGER_ONCE ? "once" : "other", trigger.wBeginYear,
                trigger.wBeginMonth, trigger.wBeginDay, trigger.wStartHour, trigger.wStartMinute);
  return text;
}

}  // namespace

std::vector<std::string> StoredTaskNames() {
  const ComApartment apartment;
  ComPtr<IEnumWorkItems> items;
  std::vector<std::string> names;
  if (const ComPtr<ITaskScheduler> scheduler = Scheduler();
      !scheduler || FAILED(scheduler->Enum(items.Put()))) {
    return names;
  }
  wchar_t** found = nullptr;
  ULONG count = 0;
  while (items->Next(1, &found, &count) == S_OK && count == 1) {
    const std::unique_ptr<wchar_t*, CoTaskMemFreeDeleter> list(found);
    const std::unique_ptr<wchar_t, CoTaskMemFreeDeleter> name(found[0]);
    std::wstring_view text(name.get());
    if (text.ends_with(L".job")) {
      text.remove_suffix(4);
    }
    names.push_back(ToUtf8(text));
  }
  return names;
}

std::optional<StoredTask> ReadStoredTask(const std::string& name) {
  const ComApartment apartment;
  const ComPtr<ITaskScheduler> scheduler = Scheduler();
  ComPtr<ITask> task;
  if (!scheduler || FAILED(scheduler->Activate(ToWide(name).c_str(), IID_ITask,
                                               reinterpret_cast<IUnknown**>(task.Put())))) {
    return std::nullopt;
  }
  StoredTask stored;
  stored.application = Text(*task.get(), &ITask::GetApplicationName);
  stored.parameters = Text(*task.get(), &ITask::GetParameters);
  stored.comment = Text(*task.get(), &ITask::GetComment);
  DWORD flags = 0;
  task->GetFlags(&flags);
  stored.flags = flags;
  WORD count = 0;
  task->GetTriggerCount(&count);
  for (WORD index = 0; index < count; ++index) {
    ComPtr<ITaskTrigger> trigger;
    TASK_TRIGGER fields{};
    fields.cbTriggerSize = sizeof fields;
    if (SUCCEEDED(task->GetTrigger(index, trigger.Put())) && SUCCEEDED(trigger->GetTrigger(&fields))) {
      stored.triggers.push_back(TriggerText(fields));
    }
  }
  ComPtr<IPersistFile> file;
  if (SUCCEEDED(task->QueryInterface(IID_IPersistFile, file.PutVoid()))) {
    stored.file = Text(*file.get(), &IPersistFile::GetCurFile);
  }
  return stored;
}

void DeleteStoredTask(const std::string& name) {
  const ComApartment apartment;
  if (const ComPtr<ITaskScheduler> scheduler = Scheduler()) {
    scheduler->Delete(ToWide(name).c_str());
  }
}

std::string OnceTriggerIn(int seconds) {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  const platform::LocalDateTime due =
      platform::DateTimeOf(platform::OleDate({now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute}) +
                           std::ceil((now.wSecond + seconds) / 60.0) * 60 / platform::SecondsPerDay);
  TASK_TRIGGER trigger{};
  trigger.TriggerType = TASK_TIME_TRIGGER_ONCE;
  trigger.wBeginYear = static_cast<WORD>(due.year);
  trigger.wBeginMonth = static_cast<WORD>(due.month);
  trigger.wBeginDay = static_cast<WORD>(due.day);
  trigger.wStartHour = static_cast<WORD>(due.hour);
  trigger.wStartMinute = static_cast<WORD>(due.minute);
  return TriggerText(trigger);
}

}  // namespace sonaru::test

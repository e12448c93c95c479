// Task Scheduler 2.0 through taskschd's ITaskService; strings and variants are the automation kinds.
#include "platform/win32/taskschd_store.h"

#include <windows.h>
// After windows.h, which they need.
#include <oleauto.h>
#include <taskschd.h>

#include <memory>

#include "platform/win32/com.h"
#include "platform/win32/task_xml.h"
#include "platform/win32/wide_text.h"

namespace sonaru::platform {

namespace {

struct SysFreeStringDeleter {
  void operator()(wchar_t* text) const { ::SysFreeString(text); }
};
using Bstr = std::unique_ptr<wchar_t, SysFreeStringDeleter>;

Bstr ToBstr(const std::string& text) { return Bstr(::SysAllocString(ToWide(text).c_str())); }

// A text argument, or none: a variant borrows the string, which outlives it.
VARIANT Optional(const Bstr& text) {
  VARIANT variant;
  ::VariantInit(&variant);
  if (text != nullptr && ::SysStringLen(text.get()) != 0) {
    variant.vt = VT_BSTR;
    variant.bstrVal = text.get();
  }
  return variant;
}

class TaskschdStore final : public TaskStore {
 public:
  SchedulerResult Connect() override;
  SchedulerResult Register(const std::string& name, const TaskDescription& task) override;

 private:
  ComPtr<ITaskFolder> root_;
};

}  // namespace

std::unique_ptr<TaskStore> NewTaskschdStore() { return std::make_unique<TaskschdStore>(); }

SchedulerResult TaskschdStore::Connect() {
  ComPtr<ITaskService> service;
  HRESULT result = ::CoCreateInstance(CLSID_TaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskService,
                                      service.PutVoid());
  const VARIANT none = Optional(nullptr);
  if (SUCCEEDED(result)) {
    // This machine, as the user running the program.
    result = service->Connect(none, none, none, none);
  }
  const Bstr root = ToBstr("\\");
  if (SUCCEEDED(result)) {
    result = service->GetFolder(root.get(), root_.Put());
  }
  return TaskResult(result);
}

SchedulerResult TaskschdStore::Register(const std::string& name, const TaskDescription& task) {
  const Bstr path = ToBstr(name);
  const Bstr xml = ToBstr(TaskXml(task));
  const Bstr account = ToBstr(task.account);
  const Bstr password = task.password ? ToBstr(*task.password) : nullptr;
  const TASK_LOGON_TYPE logon = RunsInUserSession(task) ? TASK_LOGON_INTERACTIVE_TOKEN : TASK_LOGON_PASSWORD;
  ComPtr<IRegisteredTask> registered;
  return TaskResult(root_->RegisterTask(path.get(), xml.get(), TASK_CREATE_OR_UPDATE, Optional(account),
                                        Optional(password), logon, Optional(nullptr), registered.Put()));
}

}  // namespace sonaru::platform

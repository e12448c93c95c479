// Task Scheduler 2.0 under Wine, which registers the task's definition but keeps neither its trigger, its
// action nor its principal: what it keeps is read back through the same API.
#include "platform/win32/taskschd_store.h"

#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which they need.
#include <oleauto.h>
#include <taskschd.h>

#include <memory>

#include "platform/win32/com.h"
#include "platform/win32/wide_text.h"

namespace sonaru::test {
namespace {

using namespace platform;

struct SysFreeStringDeleter {
  void operator()(wchar_t* text) const { ::SysFreeString(text); }
};
using Bstr = std::unique_ptr<wchar_t, SysFreeStringDeleter>;

Bstr ToBstr(const std::wstring& text) { return Bstr(::SysAllocString(text.c_str())); }

// The root folder of the tasks, through the same API.
class RootFolder {
 public:
  RootFolder() {
    ComPtr<ITaskService> service;
    VARIANT none;
    ::VariantInit(&none);
    if (SUCCEEDED(::CoCreateInstance(CLSID_TaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskService,
                                     service.PutVoid())) &&
        SUCCEEDED(service->Connect(none, none, none, none))) {
      service->GetFolder(ToBstr(L"\\").get(), folder_.Put());
    }
  }

  /// The task's description, and whether it is hidden; empty when there is no such task.
  std::string Read(const std::wstring& name) const {
    ComPtr<IRegisteredTask> task;
    ComPtr<ITaskDefinition> definition;
    ComPtr<IRegistrationInfo> information;
    ComPtr<ITaskSettings> settings;
    wchar_t* description = nullptr;
    VARIANT_BOOL hidden = VARIANT_FALSE;
    if (!folder_ || FAILED(folder_->GetTask(ToBstr(name).get(), task.Put())) ||
        FAILED(task->get_Definition(definition.Put())) ||
        FAILED(definition->get_RegistrationInfo(information.Put())) ||
        FAILED(information->get_Description(&description))) {
      return {};
    }
    const Bstr owned(description);
    if (FAILED(definition->get_Settings(settings.Put())) || FAILED(settings->get_Hidden(&hidden))) {
      return {};
    }
    return (description != nullptr ? ToUtf8(description) : "") + (hidden ? ", hidden" : "");
  }

  void Delete(const std::wstring& name) const {
    if (folder_) {
      folder_->DeleteTask(ToBstr(name).get(), 0);
    }
  }

 private:
  ComPtr<ITaskFolder> folder_;
};

class TaskschdStoreTest : public ::testing::Test {
 protected:
  void SetUp() override { root.Delete(L"RestaureVolume"); }
  void TearDown() override { root.Delete(L"RestaureVolume"); }

  const ComApartment apartment;
  const RootFolder root;
  const std::unique_ptr<TaskStore> store = NewTaskschdStore();
};

// Wine's collection of registered tasks is a stub: a task is found by its name.
TEST_F(TaskschdStoreTest, RegistersAndReplacesTheTaskAndSaysWhyANameIsRefused) {
  ASSERT_TRUE(store->Connect());
  TaskDescription task{.program = R"(C:\Program Files\mélange\sonaru.exe)",
                       .parameters = "/Rest",
                       .comment = "",
                       .flags = 8706,
                       .start = {2040, 1, 2, 3, 4, 5},
                       .account = "user",
                       .password = std::nullopt};
  for (const char* comment : {"première", "seconde"}) {
    task.comment = comment;
    ASSERT_TRUE(store->Register("RestaureVolume", task)) << comment;
    EXPECT_EQ(root.Read(L"RestaureVolume"), std::string(comment) + ", hidden");
  }
  EXPECT_EQ(store->Register("Restaure<Volume", task).reason,
            HResultText(HRESULT_FROM_WIN32(ERROR_INVALID_NAME)));
  EXPECT_EQ(root.Read(L"RestaureVolume"), "seconde, hidden");
}

}  // namespace
}  // namespace sonaru::test

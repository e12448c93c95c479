// The scheduler backend under Wine, through Task Scheduler 1.0 as on Windows: each task is read back
// through that API's own getters.
#include "platform/win32/win32_scheduler.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "platform/win32/com.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"
#include "stored_tasks.h"

namespace sonaru::test {
namespace {

using namespace platform;

constexpr const char* TaskName = "RestaureVolume";
constexpr const char* Program = R"(C:\Program Files\mélange\sonaru.exe)";

class Win32SchedulerTest : public ::testing::Test {
 protected:
  // Every call of the start-up logic, up to the one that stores the task.
  void Describe(const std::string& name, DATE startDate, DATE startTime) {
    ASSERT_TRUE(scheduler.Connect());
    ASSERT_TRUE(scheduler.NewTask(name));
    ASSERT_TRUE(scheduler.SetApplicationName("C:/Program Files/mélange/sonaru.exe"));
    ASSERT_TRUE(scheduler.SetParameters("/Rest"));
    ASSERT_TRUE(scheduler.SetComment("sonaru"));
    ASSERT_TRUE(scheduler.SetFlags(8706));
    ASSERT_TRUE(scheduler.NewTrigger());
    ASSERT_TRUE(scheduler.SetStartDate(startDate));
    ASSERT_TRUE(scheduler.SetStartTime(startTime));
    ASSERT_TRUE(scheduler.SetTriggerType(TASK_TIME_TRIGGER_ONCE));
    ASSERT_TRUE(scheduler.SetAccountInformation("user", std::nullopt));
  }

  const TaskCleanup cleanup{TaskName};
  Win32Scheduler scheduler;
};

// Each task replaces the one before: one task, with the newest time.
TEST_F(Win32SchedulerTest, StoresTheTaskAsDescribedAndReplacesItOnEachRegister) {
  const struct {
    DATE startDate;
    DATE startTime;
    const char* trigger;
  } cases[] = {
      {OleDate({2040, 1, 2, 17}), OleDate({.hour = 3, .minute = 4}), "once 2040-01-02 03:04"},
      {OleDate({2040, 1, 2}), OleDate({.hour = 3, .minute = 4, .second = 5}), "once 2040-01-02 03:05"},
      {OleDate({2039, 12, 31}), 1 + OleDate({.minute = 30}), "once 2040-01-01 00:30"},
      {OleDate({2039, 12, 31}), OleDate({.hour = 23, .minute = 59, .second = 30}), "once 2040-01-01 00:00"},
  };
  for (const auto& [startDate, startTime, trigger] : cases) {
    Describe(TaskName, startDate, startTime);
    ASSERT_TRUE(scheduler.Register()) << trigger;
    EXPECT_EQ(StoredTaskNames(), std::vector<std::string>{TaskName});
    const std::optional<StoredTask> stored = ReadStoredTask(TaskName);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->application, Program);
    EXPECT_EQ(stored->parameters, "/Rest");
    EXPECT_EQ(stored->comment, "sonaru");
    EXPECT_EQ(stored->flags, 8706u);
    EXPECT_EQ(stored->triggers, std::vector<std::string>{trigger});
  }
}

TEST_F(Win32SchedulerTest, AStartAlreadyPastMovesToTheNextMinute) {
  Describe(TaskName, OleDate({2000, 1, 1}), 0.5);
  const std::string early = OnceTriggerIn(2);
  ASSERT_TRUE(scheduler.Register());
  const std::string late = OnceTriggerIn(2);
  const std::vector<std::string> triggers = ReadStoredTask(TaskName).value_or(StoredTask{}).triggers;
  ASSERT_EQ(triggers.size(), 1u);
  EXPECT_TRUE(triggers[0] == early || triggers[0] == late) << triggers[0];
}

// The system's own refusals: a name that no task file can have, and a task file that another program holds.
TEST_F(Win32SchedulerTest, AFailedRegisterSaysWhyAndLeavesTheWaitingTask) {
  Describe(TaskName, OleDate({2040, 1, 2}), OleDate({.hour = 3, .minute = 4}));
  ASSERT_TRUE(scheduler.Register());
  const std::string file = ReadStoredTask(TaskName).value_or(StoredTask{}).file;
  ASSERT_FALSE(file.empty());

  Describe("Restaure<Volume", OleDate({2041, 1, 1}), 0);
  EXPECT_EQ(scheduler.Register().reason, HResultText(HRESULT_FROM_WIN32(ERROR_INVALID_NAME)));

  Describe(TaskName, OleDate({2041, 1, 1}), 0);
  SchedulerResult refused;
  {
    const UniqueHandle held(
        ::CreateFileW(ToWide(file).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held.Valid());
    refused = scheduler.Register();
  }
  EXPECT_EQ(refused.reason, HResultText(HRESULT_FROM_WIN32(ERROR_SHARING_VIOLATION)));
  EXPECT_FALSE(refused.reason.starts_with("erreur")) << refused.reason;
  EXPECT_EQ(StoredTaskNames(), std::vector<std::string>{TaskName});
  EXPECT_EQ(ReadStoredTask(TaskName).value_or(StoredTask{}).triggers,
            std::vector<std::string>{"once 2040-01-02 03:04"});
}

TEST_F(Win32SchedulerTest, RefusesWhatItCannotHonour) {
  EXPECT_TRUE(scheduler.SetFlags(8706));
  EXPECT_EQ(scheduler.SetFlags(0x1).reason, "options de tâche non prises en charge : 1");
  EXPECT_FALSE(scheduler.SetTriggerType(1));
  // An HRESULT without a text of the system's.
  EXPECT_EQ(HResultText(static_cast<long>(0xA0041234)), "erreur 0xA0041234");
}

}  // namespace
}  // namespace sonaru::test

// The task's definition for Task Scheduler 2.0, element by element.
#include "platform/win32/task_xml.h"

#include <gtest/gtest.h>

namespace sonaru::test {
namespace {

using namespace platform;

TEST(TaskXmlTest, TheRestoreTask) {
  const TaskDescription task{.program = R"(C:\Mes programmes & co\sonaru.exe)",
                             .parameters = "/Rest",
                             .comment = "<sonaru>",
                             .flags = 8706,
                             .start = {2039, 12, 31, 23, 59, 30},
                             .account = "Zoé",
                             .password = std::nullopt};
  EXPECT_EQ(TaskXml(task),
            R"(<Task version="1.2" xmlns="http://schemas.microsoft.com/windows/2004/02/mit/task">)"
            "<RegistrationInfo><Description>&lt;sonaru&gt;</Description></RegistrationInfo>"
            "<Triggers><TimeTrigger><StartBoundary>2039-12-31T23:59:30</StartBoundary>"
            "<EndBoundary>2040-01-01T00:00:30</EndBoundary></TimeTrigger></Triggers>"
            R"(<Principals><Principal id="Author"><UserId>Zoé</UserId>)"
            "<LogonType>InteractiveToken</LogonType></Principal></Principals>"
            "<Settings><DisallowStartIfOnBatteries>false</DisallowStartIfOnBatteries>"
            "<StopIfGoingOnBatteries>false</StopIfGoingOnBatteries><Hidden>true</Hidden>"
            "<DeleteExpiredTaskAfter>PT0S</DeleteExpiredTaskAfter></Settings>"
            R"(<Actions Context="Author"><Exec><Command>C:\Mes programmes &amp; co\sonaru.exe</Command>)"
            "<Arguments>/Rest</Arguments></Exec></Actions></Task>");
}

TEST(TaskXmlTest, EachFlagAndThePasswordTellWhatIsWritten) {
  const struct {
    std::uint32_t flags;
    std::optional<std::string> password;
    const char* present;
    const char* absent;
  } cases[] = {
      {0, "secret", "<LogonType>Password</LogonType>", "<Hidden>"},
      {0, std::nullopt, "<LogonType>InteractiveToken</LogonType>", "<EndBoundary>"},
      {TASK_FLAG_RUN_ONLY_IF_LOGGED_ON, "secret", "<LogonType>InteractiveToken</LogonType>", "Delete"},
      {TASK_FLAG_HIDDEN, "secret", "<Hidden>true</Hidden>", "<EndBoundary>"},
      {TASK_FLAG_DELETE_WHEN_DONE, "secret", "<DeleteExpiredTaskAfter>PT0S</DeleteExpiredTaskAfter>",
       "<Hidden>"},
  };
  for (const auto& [flags, password, present, absent] : cases) {
    TaskDescription task;
    task.program = "C:\\sonaru.exe";
    task.flags = flags;
    task.password = password;
    const std::string xml = TaskXml(task);
    EXPECT_NE(xml.find(present), std::string::npos) << xml;
    EXPECT_EQ(xml.find(absent), std::string::npos) << xml;
    EXPECT_EQ(xml.find("<UserId>"), std::string::npos) << xml;
    EXPECT_EQ(xml.find("<Arguments>"), std::string::npos) << xml;
  }
}

}  // namespace
}  // namespace sonaru::test

// The systemd backend run against stand-ins for systemd-run and systemctl found on PATH.
#include "platform/systemd/systemd_scheduler.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "stand_in_folder.h"

namespace sonaru::test {
namespace {

using namespace platform;
using namespace std::chrono_literals;

constexpr const char* ResetFailed =
    "systemctl [--user] [reset-failed] [RestaureVolume.timer] [RestaureVolume.service]";
constexpr const char* StopWaiting = "systemctl [--user] [stop] [RestaureVolume.timer]";
constexpr const char* RegisterIn2040 =
    "systemd-run [--user] [--unit=RestaureVolume] [--on-calendar=2040-01-02 03:04:00] "
    "[--timer-property=AccuracySec=1s] [--] [/opt/sonaru/sonaru] [/Rest]";

class SystemdSchedulerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* path = std::getenv("PATH");
    savedPath = path != nullptr ? path : "";
    ::setenv("PATH", folder.bin.c_str(), 1);
    ::unsetenv("SONARU_MIXER_DEVICE");
    ::unsetenv("XDG_CONFIG_HOME");
  }
  void TearDown() override { ::setenv("PATH", savedPath.c_str(), 1); }

  // Every call up to the one that stores the task, as the start-up logic makes them.
  void Describe(const std::string& program, DATE startDate, DATE startTime) {
    ASSERT_TRUE(scheduler.Connect());
    ASSERT_TRUE(scheduler.NewTask("RestaureVolume"));
    ASSERT_TRUE(scheduler.SetApplicationName(program));
    ASSERT_TRUE(scheduler.SetParameters("/Rest"));
    ASSERT_TRUE(scheduler.SetComment("sonaru"));
    ASSERT_TRUE(scheduler.SetFlags(8706));
    ASSERT_TRUE(scheduler.NewTrigger());
    ASSERT_TRUE(scheduler.SetStartDate(startDate));
    ASSERT_TRUE(scheduler.SetStartTime(startTime));
    ASSERT_TRUE(scheduler.SetTriggerType(TASK_TIME_TRIGGER_ONCE));
    ASSERT_TRUE(scheduler.SetAccountInformation("user", std::nullopt));
  }
  void DescribeIn2040() {
    Describe("/opt/sonaru/sonaru", OleDate({2040, 1, 2}), OleDate({.hour = 3, .minute = 4}));
  }
  std::string RegisteredCalendarText() const {
    const std::string call = folder.Calls().back();
    const std::size_t start = call.find("[--on-calendar=") + 15;
    return call.substr(start, call.find(']', start) - start);
  }

  StandInFolder folder;
  std::string savedPath;
  SystemdScheduler scheduler{2s};
};

TEST_F(SystemdSchedulerTest, RegistersByArgvAfterResettingAFailedRun) {
  folder.AddStandIn("systemctl");
  folder.AddStandIn("systemd-run");
  Describe("/home/user/Mes programmes/sonaru", OleDate({2040, 1, 2}),
           OleDate({.hour = 3, .minute = 4, .second = 5}));
  EXPECT_TRUE(folder.Calls().empty());
  EXPECT_TRUE(scheduler.Register());
  EXPECT_EQ(folder.Calls(),
            (std::vector<std::string>{
                ResetFailed,
                "systemd-run [--user] [--unit=RestaureVolume] [--on-calendar=2040-01-02 03:04:05] "
                "[--timer-property=AccuracySec=1s] [--] [/home/user/Mes programmes/sonaru] [/Rest]"}));
}

TEST_F(SystemdSchedulerTest, TheScheduledRunKeepsTheMixerDeviceAndSettingsFolder) {
  folder.AddStandIn("systemd-run");
  ::setenv("SONARU_MIXER_DEVICE", "hw:1", 1);
  ::setenv("XDG_CONFIG_HOME", "/home/user/réglages", 1);
  DescribeIn2040();
  EXPECT_TRUE(scheduler.Register());
  ::unsetenv("SONARU_MIXER_DEVICE");
  ::unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(folder.Calls().back(),
            "systemd-run [--user] [--unit=RestaureVolume] [--on-calendar=2040-01-02 03:04:00] "
            "[--timer-property=AccuracySec=1s] [--setenv=SONARU_MIXER_DEVICE=hw:1] "
            "[--setenv=XDG_CONFIG_HOME=/home/user/réglages] [--] [/opt/sonaru/sonaru] [/Rest]");
}

TEST_F(SystemdSchedulerTest, AStartTimePastOneFallsOnTheNextDay) {
  folder.AddStandIn("systemd-run");
  Describe("/opt/sonaru/sonaru", OleDate({2039, 12, 31, 12, 0, 0}), 1 + 30 / 1440.0);
  EXPECT_TRUE(scheduler.Register());
  EXPECT_EQ(RegisteredCalendarText(), "2040-01-01 00:30:00");
}

TEST_F(SystemdSchedulerTest, AStartTimeAlreadyPastBecomesTheNextSeconds) {
  folder.AddStandIn("systemd-run");
  Describe("/opt/sonaru/sonaru", OleDate({2000, 1, 1}), 0.5);
  const std::time_t before = std::time(nullptr);
  EXPECT_TRUE(scheduler.Register());
  const std::time_t start = LocalSeconds(RegisteredCalendarText());
  EXPECT_GE(start, before + 1);
  EXPECT_LE(start, std::time(nullptr) + 2);
}

TEST_F(SystemdSchedulerTest, AWaitingTaskIsStoppedOnlyWhenItsNameKeepsTheNewOneOut) {
  folder.AddStandIn("systemctl");
  folder.AddStandIn("systemd-run");
  DescribeIn2040();
  const std::string refusedOnce = (folder.root / "refused once").string();
  const struct {
    std::string systemdRun;
    std::vector<std::string> calls;
    std::string reason;  // empty when the task is registered
  } cases[] = {
      {"echo 'Failed to connect to bus: No medium found' >&2; exit 1",
       {ResetFailed, RegisterIn2040},
       "Failed to connect to bus: No medium found"},
      // What systemd says while the timer of the last /T still waits.
      {"[ -e '" + refusedOnce + "' ] && exit 0; : > '" + refusedOnce +
           "'; echo 'Failed to start transient timer unit: Unit RestaureVolume.timer was already loaded or "
           "has a fragment file.' >&2; exit 1",
       {ResetFailed, RegisterIn2040, StopWaiting, RegisterIn2040},
       ""},
      // Older versions' wording; here the name stays taken, by the run of the task that has just begun.
      {"echo 'Unit RestaureVolume.service already exists.' >&2; exit 1",
       {ResetFailed, RegisterIn2040, StopWaiting, RegisterIn2040},
       "Unit RestaureVolume.service already exists."},
  };
  for (const auto& each : cases) {
    folder.AddStandIn("systemd-run", each.systemdRun);
    std::filesystem::remove(folder.log);
    EXPECT_EQ(scheduler.Register().reason, each.reason) << each.systemdRun;
    EXPECT_EQ(folder.Calls(), each.calls) << each.systemdRun;
  }
}

TEST_F(SystemdSchedulerTest, ASilentFailureGivesTheExitStatus) {
  folder.AddStandIn("systemd-run", "exit 3");
  DescribeIn2040();
  EXPECT_EQ(scheduler.Register().reason, "systemd-run a échoué (code 3)");
  folder.AddStandIn("systemd-run", "kill -TERM $$");
  EXPECT_EQ(scheduler.Register().reason, "systemd-run a été interrompu (signal 15)");
}

TEST_F(SystemdSchedulerTest, AMissingSystemdRunFailsBeforeAnythingRuns) {
  folder.AddStandIn("systemctl");
  const SchedulerResult result = scheduler.Connect();
  EXPECT_FALSE(result);
  EXPECT_EQ(result.reason, "systemd-run est introuvable");
  EXPECT_TRUE(folder.Calls().empty());
}

TEST_F(SystemdSchedulerTest, AMissingSystemctlLeavesNothingToClear) {
  folder.AddStandIn("systemd-run");
  DescribeIn2040();
  EXPECT_TRUE(scheduler.Register());
  ASSERT_EQ(folder.Calls().size(), 1u);
  EXPECT_TRUE(folder.Calls()[0].starts_with("systemd-run [--user]"));
}

TEST_F(SystemdSchedulerTest, ASystemdRunThatHangsIsStopped) {
  folder.AddStandIn("systemd-run", "exec /bin/sleep 30");
  scheduler = SystemdScheduler(300ms);
  DescribeIn2040();
  const auto started = std::chrono::steady_clock::now();
  EXPECT_EQ(scheduler.Register().reason, "systemd-run ne répond pas");
  EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);
}

TEST_F(SystemdSchedulerTest, RefusesWhatATransientUnitCannotDo) {
  EXPECT_TRUE(
      scheduler.SetFlags(TASK_FLAG_DELETE_WHEN_DONE | TASK_FLAG_HIDDEN | TASK_FLAG_RUN_ONLY_IF_LOGGED_ON));
  EXPECT_TRUE(scheduler.SetFlags(0));
  EXPECT_EQ(scheduler.SetFlags(0x1).reason, "options de tâche non prises en charge : 1");
  EXPECT_FALSE(scheduler.SetTriggerType(1));
}

}  // namespace
}  // namespace sonaru::test

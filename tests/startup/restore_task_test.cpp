// Task mode through Main: what is handed to the scheduler, in which order, and what each failure gives.
#include "startup/restore_task.h"

#include <gtest/gtest.h>

#include "fakes/recording_scheduler.h"
#include "fakes/services_fixture.h"
#include "startup/delay.h"
#include "startup/exit_status.h"
#include "startup/start_up.h"

namespace sonaru::test {
namespace {

using platform::DateTimeOf;
using platform::OleDate;

const std::vector<std::string> StepNames = {"Connect",
                                            "NewTask",
                                            "SetApplicationName",
                                            "SetParameters",
                                            "SetComment",
                                            "SetFlags",
                                            "NewTrigger",
                                            "SetStartDate",
                                            "SetStartTime",
                                            "SetTriggerType",
                                            "SetAccountInformation",
                                            "Register"};

class RestoreTaskTest : public ServicesTest {
 protected:
  void SetUp() override {
    ServicesTest::SetUp();
    platform::services().scheduler = &scheduler;
    AddAllChannels();
  }
  int Run(const std::string& argumentText) {
    process.argumentText = argumentText;
    return Main();
  }
  // The delay the task was registered with, counted from the fake clock's 10:00:00.
  double DelayGiven() const { return scheduler.startTime * 86400 - 10 * 3600; }
  void ExpectNoMixerNorSettings() {
    EXPECT_TRUE(mixer.calls.empty());
    EXPECT_TRUE(profile.files.empty());
  }

  RecordingScheduler scheduler;
};

TEST_F(RestoreTaskTest, RegistersTheTaskStepByStep) {
  EXPECT_EQ(Run("/T:30"), ExitDone);
  EXPECT_EQ(scheduler.calls,
            (std::vector<std::string>{
                "Connect", "NewTask RestaureVolume", "SetApplicationName /opt/sonaru/sonaru",
                "SetParameters /Rest", "SetComment sonaru", "SetFlags 8706", "NewTrigger", "SetStartDate",
                "SetStartTime", "SetTriggerType 0", "SetAccountInformation user (no password)", "Register"}));
  EXPECT_EQ(scheduler.startDate, OleDate({2026, 12, 7}));
  EXPECT_DOUBLE_EQ(scheduler.startTime, (10 * 3600 + 30) / 86400.0);
  EXPECT_TRUE(messages.shown.empty());
  ExpectNoMixerNorSettings();
}

TEST_F(RestoreTaskTest, TheProgramIsTheRunningExecutable) {
  process.programDirectory = "/home/user/Mes programmes";
  process.executableName = "sonaru.bin";
  process.userName = "marie";
  EXPECT_EQ(Run("/T:30"), ExitDone);
  EXPECT_EQ(scheduler.calls[2], "SetApplicationName /home/user/Mes programmes/sonaru.bin");
  EXPECT_EQ(scheduler.calls[4], "SetComment sonaru");
  EXPECT_EQ(scheduler.calls[10], "SetAccountInformation marie (no password)");
}

TEST_F(RestoreTaskTest, TheDelayIsAddedToTheTimeOfDay) {
  const std::pair<const char*, double> cases[] = {{"/T:5:0", 300},   {"/T:1:0:0", 3600}, {"/T:0:90", 90},
                                                  {"/T:1:2:3:4", 0}, {"/T:2.5", 2},      {"/T:-1:0", -60}};
  for (const auto& [line, delay] : cases) {
    EXPECT_EQ(Run(line), ExitDone) << line;
    EXPECT_NEAR(DelayGiven(), delay, 1e-6) << line;
  }
  ExpectNoMixerNorSettings();
}

TEST_F(RestoreTaskTest, AtHalfPastElevenAnHourLaterIsTomorrow) {
  process.now = {2026, 12, 31, 23, 30, 0};
  EXPECT_EQ(Run("/T:1:0:0"), ExitDone);
  EXPECT_EQ(scheduler.startDate, OleDate({2026, 12, 31}));
  EXPECT_GT(scheduler.startTime, 1.0);
  const platform::LocalDateTime start = DateTimeOf(scheduler.startDate + scheduler.startTime);
  EXPECT_EQ((std::vector<int>{start.year, start.month, start.day, start.hour, start.minute, start.second}),
            (std::vector<int>{2027, 1, 1, 0, 30, 0}));
}

TEST_F(RestoreTaskTest, AnInvalidDelayRegistersNothing) {
  for (const char* delay : {"99999", "abc", "5:", "1:x:0"}) {
    messages.shown.clear();
    EXPECT_EQ(Run(std::string("/T:") + delay), ExitInvalidDelay) << delay;
    EXPECT_EQ(messages.shown, std::vector<std::string>{std::string("Délai invalide : ") + delay});
  }
  EXPECT_TRUE(scheduler.calls.empty());
  ExpectNoMixerNorSettings();
}

TEST_F(RestoreTaskTest, AFailureAtAnyStepStopsTheRest) {
  for (std::size_t step = 0; step < StepNames.size(); ++step) {
    scheduler.calls.clear();
    messages.shown.clear();
    scheduler.failingCall = StepNames[step];
    scheduler.failureReason = "refusé à l'étape " + StepNames[step];
    EXPECT_EQ(Run("/T:30"), ExitTaskNotCreated) << StepNames[step];
    EXPECT_EQ(scheduler.CallNames(),
              std::vector<std::string>(StepNames.begin(), StepNames.begin() + step + 1));
    EXPECT_EQ(messages.shown,
              std::vector<std::string>{"Impossible de créer la tâche RestaureVolume : refusé à "
                                       "l'étape " +
                                       StepNames[step]});
  }
  ExpectNoMixerNorSettings();
}

TEST_F(RestoreTaskTest, TheTaskWinsOverRestore) {
  SettingsText() = "[Volume]\nWaveVolume= 5\n";
  for (const char* line : {"/T:30 /Rest", "/Rest /T:30"}) {
    scheduler.calls.clear();
    EXPECT_EQ(Run(line), ExitDone) << line;
    EXPECT_EQ(scheduler.CallNames().back(), "Register") << line;
  }
  EXPECT_TRUE(mixer.calls.empty());
  EXPECT_EQ(SettingsText(), "[Volume]\nWaveVolume= 5\n");
}

// The command line splits at blanks: "/T: 5 :0" is the word "/T:", with no value, and two unknown words.
TEST_F(RestoreTaskTest, WithoutADelayValueTheRunSaves) {
  for (const char* line : {"/T", "/T:", "/T: 5 :0"}) {
    SettingsText().clear();
    mixer.calls.clear();
    EXPECT_EQ(Run(line), ExitDone) << line;
    EXPECT_TRUE(SettingsText().starts_with("[Volume]\nWaveVolume= 0\n")) << line;
    EXPECT_EQ(mixer.calls.front(), "open 0") << line;
  }
  EXPECT_TRUE(scheduler.calls.empty());
}

}  // namespace
}  // namespace sonaru::test

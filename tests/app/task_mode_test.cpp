// The real executable in a private folder run with "/T": it registers through the stand-ins and leaves the
// mixer and the settings file alone.
#include <gtest/gtest.h>

#include <filesystem>

#include "child_process.h"
#include "stand_in_folder.h"

namespace sonaru::test {
namespace {

namespace fs = std::filesystem;

constexpr const char* FailingBus = "echo 'Failed to connect to bus: No medium found' >&2; exit 1";

class TaskModeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directory(folder.root / "Mes programmes");
    fs::copy_file(SONARU_EXECUTABLE, program);
    folder.AddStandIn("systemctl");
  }

  // A mixer that does not exist: a run that opened it would say "No mixer found!".
  ProcessResult Run(const std::string& argument) {
    ProcessResult result = RunProcess(
        {program.string(), argument},
        {{"PATH=" + folder.bin.string(), "SONARU_MIXER_DEVICE=sonaru-no-such-device",
          "HOME=" + (folder.root / "home").string(), "XDG_CONFIG_HOME=" + (folder.root / "config").string()},
         {"DISPLAY", "WAYLAND_DISPLAY"}});
    EXPECT_FALSE(result.timedOut);
    return result;
  }
  void ExpectNoSettingsFile() {
    EXPECT_FALSE(fs::exists(program.parent_path() / "Sonaru.ini"));
    EXPECT_FALSE(fs::exists(folder.root / "config"));
    EXPECT_FALSE(fs::exists(folder.root / "home"));
  }

  StandInFolder folder;
  fs::path program = folder.root / "Mes programmes" / "sonaru";
};

TEST_F(TaskModeTest, ThirtySecondsRegistersTheRestoreOfThisProgram) {
  folder.AddStandIn("systemd-run");
  const std::time_t before = std::time(nullptr);
  const ProcessResult result = Run("/T:30");
  const std::time_t after = std::time(nullptr);
  EXPECT_EQ(result.exitStatus, 0);
  EXPECT_EQ(result.err, "");
  const std::vector<std::string> calls = folder.Calls();
  ASSERT_EQ(calls.size(), 2u);
  const std::string& registered = calls.back();
  EXPECT_TRUE(registered.starts_with("systemd-run [--user] [--unit=RestaureVolume] [--on-calendar="))
      << registered;
  // The scheduled run gets this run's mixer device and configuration folder.
  EXPECT_TRUE(
      registered.ends_with("] [--timer-property=AccuracySec=1s] "
                           "[--setenv=SONARU_MIXER_DEVICE=sonaru-no-such-device] "
                           "[--setenv=XDG_CONFIG_HOME=" +
                           (folder.root / "config").string() + "] [--] [" + program.string() + "] [/Rest]"))
      << registered;
  const std::size_t dateStart = registered.find("--on-calendar=") + 14;
  const std::time_t start = LocalSeconds(registered.substr(dateStart, 19));
  EXPECT_GE(start, before + 30);
  EXPECT_LE(start, after + 30);
  ExpectNoSettingsFile();
}

TEST_F(TaskModeTest, AnInvalidDelayRegistersNothing) {
  folder.AddStandIn("systemd-run");
  const ProcessResult result = Run("/T:abc");
  EXPECT_EQ(result.exitStatus, 2);
  EXPECT_EQ(result.err, "Délai invalide : abc\n");
  EXPECT_TRUE(folder.Calls().empty());
  ExpectNoSettingsFile();
}

TEST_F(TaskModeTest, ASchedulerFailureIsReportedAndLeavesTheWaitingTaskAlone) {
  folder.AddStandIn("systemd-run", FailingBus);
  ProcessResult result = Run("/T:5:0");
  EXPECT_EQ(result.exitStatus, 4);
  EXPECT_EQ(result.err,
            "Impossible de créer la tâche RestaureVolume : Failed to connect to bus: No medium found\n");
  for (const std::string& call : folder.Calls()) {
    EXPECT_FALSE(call.starts_with("systemctl [--user] [stop]")) << call;
  }
  fs::remove(folder.bin / "systemd-run");
  result = Run("/T:5:0");
  EXPECT_EQ(result.exitStatus, 4);
  EXPECT_EQ(result.err, "Impossible de créer la tâche RestaureVolume : systemd-run est introuvable\n");
  ExpectNoSettingsFile();
}

}  // namespace
}  // namespace sonaru::test

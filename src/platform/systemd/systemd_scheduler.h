// The task scheduler on Linux: a transient timer and service in the user's systemd instance.
#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "platform/scheduler.h"

namespace sonaru::platform {

/// Registers the task with `systemd-run --user`, found on PATH, once every call has described it. A
/// transient unit is hidden, runs only while the user's systemd instance runs (the user is logged in) and
/// is removed after its run: the three task flags this backend honours. Registering replaces a task of the
/// same name still waiting; a failure for any other reason than that name leaves it waiting.
class SystemdScheduler final : public Scheduler {
 public:
  /// `limit` bounds each run of systemctl and systemd-run.
  explicit SystemdScheduler(std::chrono::milliseconds limit = std::chrono::seconds(10));

  SchedulerResult Connect() override;
  SchedulerResult NewTask(const std::string& name) override;
  SchedulerResult SetApplicationName(const std::string& program) override;
  SchedulerResult SetParameters(const std::string& arguments) override;
  SchedulerResult SetComment(const std::string& text) override;
  SchedulerResult SetFlags(std::uint32_t flags) override;
  SchedulerResult NewTrigger() override;
  SchedulerResult SetStartDate(DATE date) override;
  SchedulerResult SetStartTime(DATE time) override;
  SchedulerResult SetTriggerType(std::int32_t type) override;
  SchedulerResult SetAccountInformation(const std::string& account,
                                        const std::optional<std::string>& password) override;
  SchedulerResult Register() override;

 private:
  std::vector<std::string> SystemdRunCommand() const;
  /// Runs `systemctl --user` with `arguments`, whatever its outcome; false when systemctl is not on PATH.
  bool Systemctl(std::vector<std::string> arguments) const;

  std::chrono::milliseconds limit_;
  std::string systemdRun_;
  std::string unit_;
  std::string program_;
  std::string arguments_;
  DATE startDate_ = 0;
  DATE startTime_ = 0;
};

}  // namespace sonaru::platform

// A scheduler that records each call, keeps the date values it was handed, and fails where a test says.
#pragma once

#include <string>
#include <vector>

#include "platform/scheduler.h"

namespace sonaru::test {

class RecordingScheduler final : public platform::Scheduler {
 public:
  std::vector<std::string> calls;  // e.g. "NewTask RestaureVolume", "SetFlags 8706", "Register"
  std::string failingCall;         // the name of the call that fails, e.g. "SetStartTime"
  std::string failureReason = "refusé";
  platform::DATE startDate = 0;
  platform::DATE startTime = 0;

  platform::SchedulerResult Connect() override;
  platform::SchedulerResult NewTask(const std::string& name) override;
  platform::SchedulerResult SetApplicationName(const std::string& program) override;
  platform::SchedulerResult SetParameters(const std::string& arguments) override;
  platform::SchedulerResult SetComment(const std::string& text) override;
  platform::SchedulerResult SetFlags(std::uint32_t flags) override;
  platform::SchedulerResult NewTrigger() override;
  platform::SchedulerResult SetStartDate(platform::DATE date) override;
  platform::SchedulerResult SetStartTime(platform::DATE time) override;
  platform::SchedulerResult SetTriggerType(std::int32_t type) override;
  platform::SchedulerResult SetAccountInformation(const std::string& account,
                                                  const std::optional<std::string>& password) override;
  platform::SchedulerResult Register() override;

  /// The names of the calls made, in order.
  std::vector<std::string> CallNames() const;

 private:
  platform::SchedulerResult Record(const std::string& name, const std::string& argument = {});
};

}  // namespace sonaru::test

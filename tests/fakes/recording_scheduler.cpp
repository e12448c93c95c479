// Each call is logged as its name followed by its text or whole-number argument.
#include "fakes/recording_scheduler.h"

namespace sonaru::test {

using platform::SchedulerResult;

SchedulerResult RecordingScheduler::Record(const std::string& name, const std::string& argument) {
  calls.push_back(argument.empty() ? name : name + " " + argument);
  return name == failingCall ? SchedulerResult::Failure(failureReason) : SchedulerResult{};
}

SchedulerResult RecordingScheduler::Connect() { return Record("Connect"); }
SchedulerResult RecordingScheduler::NewTask(const std::string& name) { return Record("NewTask", name); }
SchedulerResult RecordingScheduler::SetApplicationName(const std::string& program) {
  return Record("SetApplicationName", program);
}
SchedulerResult RecordingScheduler::SetParameters(const std::string& arguments) {
  return Record("SetParameters", arguments);
}
SchedulerResult RecordingScheduler::SetComment(const std::string& text) { return Record("SetComment", text); }
SchedulerResult RecordingScheduler::SetFlags(std::uint32_t flags) {
  return Record("SetFlags", std::to_string(flags));
}
SchedulerResult RecordingScheduler::NewTrigger() { return Record("NewTrigger"); }
SchedulerResult RecordingScheduler::SetStartDate(platform::DATE date) {
  startDate = date;
  return Record("SetStartDate");
}
SchedulerResult RecordingScheduler::SetStartTime(platform::DATE time) {
  startTime = time;
  return Record("SetStartTime");
}
SchedulerResult RecordingScheduler::SetTriggerType(std::int32_t type) {
  return Record("SetTriggerType", std::to_string(type));
}
SchedulerResult RecordingScheduler::SetAccountInformation(const std::string& account,
                                                          const std::optional<std::string>& password) {
  return Record("SetAccountInformation", account + (password ? " " + *password : " (no password)"));
}
SchedulerResult RecordingScheduler::Register() { return Record("Register"); }

std::vector<std::string> RecordingScheduler::CallNames() const {
  std::vector<std::string> names;
  for (const std::string& call : calls) {
    names.push_back(call.substr(0, call.find(' ')));
  }
  return names;
}

}  // namespace sonaru::test

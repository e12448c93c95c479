// systemd-run --user --unit=NAME --on-calendar="YYYY-MM-DD HH:MM:SS" --timer-property=AccuracySec=1s
// -- PROGRAM ARGUMENTS. A task of the same name still waiting is stopped only when its name is refused.
#include "platform/systemd/systemd_scheduler.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

#include "common/text.h"
#include "platform/posix/child_process.h"

namespace sonaru::platform {

namespace {

constexpr const char* SystemdRun = "systemd-run";

// The user's own choices of mixer device and configuration folder, which the scheduled run must share with
// the run that registered it: the user manager's environment is not the shell's.
constexpr const char* CarriedVariables[] = {"SONARU_MIXER_DEVICE", "XDG_CONFIG_HOME"};

// systemd never fires a calendar time already past when the timer starts, and the timer starts a moment
// after systemd-run does: a start time due sooner (a delay of 0 or less) moves to this many seconds on.
constexpr std::time_t SoonestStart = 2;

std::string CalendarText(const LocalDateTime& start) {
  std::tm moment{};
  moment.tm_year = start.year - 1900;
  moment.tm_mon = start.month - 1;
  moment.tm_mday = start.day;
  moment.tm_hour = start.hour;
  moment.tm_min = start.minute;
  moment.tm_sec = start.second;
  moment.tm_isdst = -1;
  const std::time_t soonest = std::time(nullptr) + SoonestStart;
  if (std::mktime(&moment) < soonest) {
    ::localtime_r(&soonest, &moment);
  }
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &moment);
  return text;
}

// systemd's refusal of a name that a unit holds: "Unit NAME was already loaded or has a fragment file.",
// "Unit NAME already exists." in older versions.
bool NameTaken(const ChildOutcome& outcome) {
  const std::string& text = outcome.errorOutput;
  return outcome.end == ChildOutcome::End::Exited && outcome.code != 0 &&
         (text.find("already loaded") != std::string::npos ||
          text.find("already exists") != std::string::npos);
}

SchedulerResult ResultOf(const ChildOutcome& outcome) {
  std::string output = outcome.errorOutput;
  while (!output.empty() && (output.back() == '\n' || output.back() == ' ')) {
    output.pop_back();
  }
  const std::string name(SystemdRun);
  switch (outcome.end) {
    case ChildOutcome::End::Exited:
      if (outcome.code == 0) {
        return {};
      }
      return SchedulerResult::Failure(
          !output.empty() ? output : name + " a échoué (code " + std::to_string(outcome.code) + ")");
    case ChildOutcome::End::Signalled:
      return SchedulerResult::Failure(name + " a été interrompu (signal " + std::to_string(outcome.code) +
                                      ")");
    case ChildOutcome::End::TimedOut:
      return SchedulerResult::Failure(name + " ne répond pas");
    case ChildOutcome::End::NotStarted:
      break;
  }
  return SchedulerResult::Failure("impossible de lancer " + name + " : " + std::strerror(outcome.code));
}

}  // namespace

SystemdScheduler::SystemdScheduler(std::chrono::milliseconds limit) : limit_(limit) {}

SchedulerResult SystemdScheduler::Connect() {
  const std::optional<std::string> found = FindOnPath(SystemdRun);
  if (!found) {
    return SchedulerResult::Failure(std::string(SystemdRun) + " est introuvable");
  }
  systemdRun_ = *found;
  return {};
}

SchedulerResult SystemdScheduler::NewTask(const std::string& name) {
  unit_ = name;
  return {};
}

SchedulerResult SystemdScheduler::SetApplicationName(const std::string& program) {
  program_ = program;
  return {};
}

SchedulerResult SystemdScheduler::SetParameters(const std::string& arguments) {
  arguments_ = arguments;
  return {};
}

// The unit's description stays systemd's own, the command line, which tells the user more.
SchedulerResult SystemdScheduler::SetComment(const std::string&) { return {}; }

SchedulerResult SystemdScheduler::SetFlags(std::uint32_t flags) { return CheckTaskFlags(flags); }

SchedulerResult SystemdScheduler::NewTrigger() { return {}; }

SchedulerResult SystemdScheduler::SetStartDate(DATE date) {
  startDate_ = std::floor(date);
  return {};
}

SchedulerResult SystemdScheduler::SetStartTime(DATE time) {
  startTime_ = time;
  return {};
}

SchedulerResult SystemdScheduler::SetTriggerType(std::int32_t type) { return CheckTriggerType(type); }

// The user's own systemd instance runs the task as that user, and only while it runs: no password.
SchedulerResult SystemdScheduler::SetAccountInformation(const std::string&,
                                                        const std::optional<std::string>&) {
  return {};
}

// The failed run of the last task holds the name until it is reset, which leaves a waiting timer alone. A
// waiting task is stopped only when its name keeps the new one out: any other failure leaves it waiting.
SchedulerResult SystemdScheduler::Register() {
  Systemctl({"reset-failed", unit_ + ".timer", unit_ + ".service"});
  const std::vector<std::string> command = SystemdRunCommand();
  ChildOutcome outcome = RunChild(command, {.limit = limit_});
  if (NameTaken(outcome) && Systemctl({"stop", unit_ + ".timer"})) {
    outcome = RunChild(command, {.limit = limit_});
  }
  return ResultOf(outcome);
}

std::vector<std::string> SystemdScheduler::SystemdRunCommand() const {
  std::vector<std::string> argv = {systemdRun_, "--user", "--unit=" + unit_,
                                   "--on-calendar=" + CalendarText(DateTimeOf(startDate_ + startTime_)),
                                   "--timer-property=AccuracySec=1s"};
  for (const char* name : CarriedVariables) {
    if (const char* value = std::getenv(name); value != nullptr && value[0] != '\0') {
      argv.emplace_back(std::string("--setenv=").append(name).append("=").append(value));
    }
  }
  argv.emplace_back("--");
  argv.push_back(program_);
  for (std::string_view word : Split(arguments_, ' ')) {
    if (!word.empty()) {
      argv.emplace_back(word);
    }
  }
  return argv;
}

bool SystemdScheduler::Systemctl(std::vector<std::string> arguments) const {
  const std::optional<std::string> systemctl = FindOnPath("systemctl");
  if (!systemctl) {
    return false;
  }
  arguments.insert(arguments.begin(), {*systemctl, "--user"});
  RunChild(arguments, {.limit = limit_});
  return true;
}

}  // namespace sonaru::platform

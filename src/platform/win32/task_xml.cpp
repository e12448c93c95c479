// The task definition schema's elements, in the order the scheduler writes them itself.
#include "platform/win32/task_xml.h"

#include <cstdio>

#include "platform/ole_date.h"

namespace sonaru::platform {

namespace {

// Time enough for a run that starts late; the task is deleted when it has passed.
constexpr double ExpiryAfterStart = 60 / SecondsPerDay;

std::string Escaped(const std::string& text) {
  std::string escaped;
  for (const char c : text) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

std::string Element(const std::string& name, const std::string& text) {
  return "<" + name + ">" + Escaped(text) + "</" + name + ">";
}

std::string Boundary(const LocalDateTime& moment) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", moment.year, moment.month, moment.day,
                moment.hour, moment.minute, moment.second);
  return text;
}

}  // namespace

bool RunsInUserSession(const TaskDescription& task) {
  return (task.flags & TASK_FLAG_RUN_ONLY_IF_LOGGED_ON) != 0 || !task.password;
}

std::string TaskXml(const TaskDescription& task) {
  const bool deleted = (task.flags & TASK_FLAG_DELETE_WHEN_DONE) != 0;
  std::string xml = R"(<Task version="1.2" xmlns="http://schemas.microsoft.com/windows/2004/02/mit/task">)"
                    "<RegistrationInfo>" +
                    Element("Description", task.comment) + "</RegistrationInfo><Triggers><TimeTrigger>" +
                    Element("StartBoundary", Boundary(task.start));
  if (deleted) {
    xml += Element("EndBoundary", Boundary(DateTimeOf(OleDate(task.start) + ExpiryAfterStart)));
  }
  xml += "</TimeTrigger></Triggers><Principals><Principal id=\"Author\">";
  if (!task.account.empty()) {
    xml += Element("UserId", task.account);
  }
  xml += Element("LogonType", RunsInUserSession(task) ? "InteractiveToken" : "Password") +
         "</Principal></Principals><Settings>";
  // Task Scheduler 2.0 would keep the task from running on batteries, which the flags do not ask for.
  xml += Element("DisallowStartIfOnBatteries", "false") + Element("StopIfGoingOnBatteries", "false");
  if ((task.flags & TASK_FLAG_HIDDEN) != 0) {
    xml += Element("Hidden", "true");
  }
  if (deleted) {
    xml += Element("DeleteExpiredTaskAfter", "PT0S");
  }
  xml += "</Settings><Actions Context=\"Author\"><Exec>" + Element("Command", task.program);
  if (!task.parameters.empty()) {
    xml += Element("Arguments", task.parameters);
  }
  return xml + "</Exec></Actions></Task>";
}

}  // namespace sonaru::platform

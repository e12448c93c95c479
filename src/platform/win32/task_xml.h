// A task in the XML of Task Scheduler 2.0, which that API stores in one call.
#pragma once

#include <string>

#include "platform/win32/task_store.h"

namespace sonaru::platform {

/// True when `task` runs with the token of its user's logon session, so only while that user is logged
/// on: asked for by TASK_FLAG_RUN_ONLY_IF_LOGGED_ON, and the only way without a password.
bool RunsInUserSession(const TaskDescription& task);

/// The task's definition: its one time trigger at `task.start`, local time; TASK_FLAG_HIDDEN a hidden
/// task; TASK_FLAG_DELETE_WHEN_DONE a trigger that expires a minute after its start and a task deleted as
/// soon as it has expired; the program and its parameters; the comment as the description.
std::string TaskXml(const TaskDescription& task);

}  // namespace sonaru::platform

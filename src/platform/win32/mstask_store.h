// Task Scheduler 1.0: work items in the Tasks folder, through ITaskScheduler and ITask.
#pragma once

#include <memory>

#include "platform/win32/task_store.h"

namespace sonaru::platform {

/// The task's flags go to the scheduler as they are. Its trigger holds no seconds: the start moves on to
/// the next whole minute, so that the task never runs before its time. A task of the same name is read,
/// rewritten in memory (its triggers replaced by this one) and saved over.
std::unique_ptr<TaskStore> NewMstaskStore();

}  // namespace sonaru::platform

// Task Scheduler 2.0: registered tasks in the root folder, through ITaskService.
#pragma once

#include <memory>

#include "platform/win32/task_store.h"

namespace sonaru::platform {

/// Registers the task's XML definition (task_xml.h) in one call, creating it or replacing the task of that
/// name, as the user whose account the task names.
std::unique_ptr<TaskStore> NewTaskschdStore();

}  // namespace sonaru::platform

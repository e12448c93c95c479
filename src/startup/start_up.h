// The program's start: the command line chooses the window, the delayed restore task, restore or save.
#pragma once

namespace sonaru {

/// Runs the mode the command line asks for and answers the process's exit status.
int Main();

}  // namespace sonaru

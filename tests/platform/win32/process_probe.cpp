// Prints what the process backend knows of the process it runs in, one fact a line, for the tests that
// start it from folders and with command lines of their own.
#include <iostream>

#include "platform/win32/win32_process.h"

int main() {
  sonaru::platform::Win32Process process;
  std::cout << process.ArgumentText() << '\n'
            << process.ArgumentCount() << '\n'
            << process.ProgramDirectory() << '\n'
            << process.ExecutableName() << '\n';
}

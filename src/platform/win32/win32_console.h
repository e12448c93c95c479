// The console of the terminal that started the program, for a program that has no console of its own.
#pragma once

namespace sonaru::platform {

/// A program of the GUI subsystem opens no console window, and Windows gives it standard streams only when
/// its parent hands some over (a redirection, a pipe). While it lives, this attaches the program to its
/// parent's console, when there is one, and sends the streams that were not handed over there, in UTF-8;
/// the console's code page is put back at the end.
class ParentConsole {
 public:
  ParentConsole();
  ~ParentConsole();
  ParentConsole(const ParentConsole&) = delete;
  ParentConsole& operator=(const ParentConsole&) = delete;

 private:
  unsigned int previousCodePage_ = 0;
};

/// True when the standard error stream goes somewhere: a console, a file or a pipe.
bool StandardErrorAvailable();

}  // namespace sonaru::platform

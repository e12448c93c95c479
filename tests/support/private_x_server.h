// An X server of the test's own, with no window manager, for running the program on a real display.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>

namespace sonaru::test {

/// The full path of a program found on PATH; empty when there is none.
std::string FindOnPath(const std::string& name);

/// Starts Xvfb on a free display at 96 dpi, listening on no TCP port, and ends it when it goes. It never
/// resets: a server that resets when its last client leaves refuses clients for a moment, and the program
/// connects twice (its display probe, then Qt).
class PrivateXServer {
 public:
  /// Waits up to ten seconds for the server to accept clients.
  PrivateXServer();
  ~PrivateXServer();
  PrivateXServer(const PrivateXServer&) = delete;
  PrivateXServer& operator=(const PrivateXServer&) = delete;

  /// ":<number>"; empty when the server did not start.
  const std::string& Display() const { return display_; }
  /// Asks a window to close as a window manager does when its close box is clicked: a WM_DELETE_WINDOW
  /// message. False when the message could not be sent.
  bool AskToClose(std::uint32_t window) const;

 private:
  pid_t pid_ = -1;
  std::string display_;
};

}  // namespace sonaru::test

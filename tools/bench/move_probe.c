/* The floor of the drag's latency: how long a move that XTEST sends takes to reach a Qt 6 window's
 * mouseMoveEvent on DISPLAY, whatever the window then does. Starts PROGRAM (the minimal window with the
 * argument "moves", which prints a line for each move it receives), moves the pointer over it, and takes
 * the median of 40 single moves, each once the window rests. The line's way back through a pipe stands
 * for the probe's own way of seeing a level arrive.
 * Usage: move_probe PROGRAM [ARGUMENT...]. Prints: latency_us=N */
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include "times.h"

enum { Probes = 40 };

/* Whether a line came within `seconds`; the lines waiting are read. A window that has gone (the pipe's
 * end) sent none. */
static int AwaitLine(int fd, double seconds) {
  struct pollfd watched = {fd, POLLIN, 0};
  char buffer[4096];
  int heard = 0;
  if (poll(&watched, 1, (int)(seconds * 1000)) <= 0) {
    return 0;
  }
  for (ssize_t length; (length = read(fd, buffer, sizeof buffer)) > 0;) {
    heard = 1;
  }
  return heard;
}

/* Without a window manager the window opens at the top-left corner: these points are inside it. */
static void MoveTo(Display* display, int i) {
  XTestFakeMotionEvent(display, -1, 100, 100 + (i % 2) * 7, CurrentTime);
  XFlush(display);
}

int main(int argc, char** argv) {
  int output[2], event, error, major, minor, heard = 0;
  double latencies[Probes];
  Display* display = XOpenDisplay(NULL);
  if (argc < 2 || display == NULL || !XTestQueryExtension(display, &event, &error, &major, &minor) ||
      pipe2(output, O_CLOEXEC) < 0) {
    fprintf(stderr, "usage: move_probe PROGRAM [ARGUMENT...], on an X display with XTEST\n");
    return 1;
  }
  const pid_t child = fork();
  if (child == 0) {
    dup2(output[1], STDOUT_FILENO);
    execvp(argv[1], argv + 1);
    _exit(127);
  }
  close(output[1]);
  fcntl(output[0], F_SETFL, O_NONBLOCK);
  /* Until the window is there and hears the mouse. */
  for (int i = 0; i < 200 && !heard; ++i) {
    MoveTo(display, i);
    heard = AwaitLine(output[0], 0.1);
  }
  for (int i = 0; i < Probes && heard; ++i) {
    usleep(50000);
    AwaitLine(output[0], 0);
    const double start = Now();
    MoveTo(display, i);
    heard = AwaitLine(output[0], 2);
    latencies[i] = Now() - start;
  }
  kill(child, SIGTERM);
  waitpid(child, NULL, 0);
  XCloseDisplay(display);
  if (!heard) {
    fprintf(stderr, "move_probe: %s heard no move\n", argv[1]);
    return 1;
  }
  printf("latency_us=%.0f\n", MedianTime(latencies, Probes) * 1e6);
  return 0;
}

/* Drags the VOL thumb of the Sonaru window on DISPLAY through XTEST, as a mouse would, and measures what
 * reaches the mixer device:
 *   latency: one move with the device idle, until its level has arrived whole (the median of 40), and how
 *   many writes on the device a level takes;
 *   throughput: moves for SECONDS, four in the time that one took to arrive (so faster than the window and
 *   the device take them): the levels that arrive per second, and how long writes still arrive after the
 *   last move (where a backlog would show);
 *   whether the level left on the device is the one of the last position.
 * Usage: drag_probe (--card-file FILE | --pulse) CTL_DEVICE SECONDS
 * Prints: levels_per_second=N latency_us=N writes_per_level=N interval_us=N backlog_ms=N final_kept=yes|no
 * moves=N writes=N */
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include "level_changes.h"
#include "times.h"

/* The window's design, in twips: the VOL thumb's centre column, the track that its centre travels. */
enum { DesignWidth = 8730, DesignHeight = 4260, ThumbCentre = 562, TrackTop = 900, TrackBottom = 3615 };
enum { Probes = 40 };
static const double Rest = 0.05, MinimumInterval = 100e-6;
static const unsigned long ThumbColour = 0xff8000;

struct Place {
  Window window;
  int x, y, width, height; /* on the root window */
};

struct Latency {
  double median;
  int writesPerLevel;
};

struct Flood {
  double rate, backlog;
  int moves, writes, lastY;
};

static int IsSonaru(Display* display, Window window) {
  XWindowAttributes attributes;
  char* name = NULL;
  const int found = XGetWindowAttributes(display, window, &attributes) &&
                    attributes.map_state == IsViewable && XFetchName(display, window, &name) &&
                    strstr(name, "VOL") && strstr(name, "MIDI");
  XFree(name);
  return found;
}

static int FindWindow(Display* display, struct Place* place) {
  for (double end = Now() + 20; Now() < end; usleep(20000)) {
    Window root, parent, *children = NULL;
    unsigned count = 0;
    XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count);
    for (unsigned i = 0; i < count; ++i) {
      XWindowAttributes attributes;
      Window child;
      if (IsSonaru(display, children[i]) && XGetWindowAttributes(display, children[i], &attributes)) {
        XTranslateCoordinates(display, children[i], root, 0, 0, &place->x, &place->y, &child);
        *place = (struct Place){children[i], place->x, place->y, attributes.width, attributes.height};
        XFree(children);
        return 0;
      }
    }
    XFree(children);
  }
  return -1;
}

/* The thumb's centre on the root window, once painted: the lowest run of its colour in its column (the
 * channel's icon stands above the track). */
static int FindThumb(Display* display, const struct Place* place, int* x, int* y) {
  const int column = place->width * ThumbCentre / DesignWidth;
  for (double end = Now() + 10; Now() < end; usleep(20000)) {
    XImage* image = XGetImage(display, place->window, column, 0, 1, place->height, AllPlanes, ZPixmap);
    int bottom = -1, top = -1;
    for (int row = place->height - 1; image != NULL && row >= 0 && top < 0; --row) {
      const int coloured = XGetPixel(image, 0, row) == ThumbColour;
      if (coloured && bottom < 0) {
        bottom = row;
      } else if (!coloured && bottom >= 0) {
        top = row + 1;
      }
    }
    if (image != NULL) {
      XDestroyImage(image);
    }
    if (top >= 0) {
      *x = place->x + column;
      *y = place->y + (top + bottom) / 2;
      return 0;
    }
  }
  return -1;
}

static void MoveTo(Display* display, int x, int y) {
  XTestFakeMotionEvent(display, -1, x, y, CurrentTime);
  XFlush(display);
}

/* A level may reach the device in several writes (a channel at a time, say): the arrivals of a move are
 * those that come until the device rests. Their number, and when the last came. */
static int MoveArrivals(struct LevelChanges* changes, double wait, double* last) {
  int arrivals = 0;
  for (int arrived = AwaitArrivals(changes, wait); arrived > 0; arrived = AwaitArrivals(changes, Rest)) {
    arrivals += arrived;
    *last = Now();
  }
  return arrivals;
}

/* Until the device answers (pactl subscribes a moment after it starts). */
static int WarmUp(Display* display, struct LevelChanges* changes, int x, int a, int b) {
  double last;
  for (int i = 0; i < 10; ++i) {
    MoveTo(display, x, i % 2 ? a : b);
    if (MoveArrivals(changes, 1.0, &last) > 0) {
      return 0;
    }
  }
  return -1;
}

/* Single moves between a and b, each once the device rests: the median time to a move's last write. */
static struct Latency ProbeLatency(Display* display, struct LevelChanges* changes, int x, int a, int b) {
  double latencies[Probes], last = 0;
  int writes = 0;
  for (int i = 0; i < Probes; ++i) {
    TakeArrivals(changes);
    const double start = Now();
    MoveTo(display, x, i % 2 ? b : a);
    const int arrived = MoveArrivals(changes, 2.0, &last);
    if (arrived == 0) {
      return (struct Latency){-1, 0};
    }
    writes += arrived;
    latencies[i] = last - start;
  }
  return (struct Latency){MedianTime(latencies, Probes), (writes + Probes / 2) / Probes};
}

/* Up and down the track one pixel a move. */
static int Triangle(int move, int low, int high) {
  const int span = high - low, phase = move % (2 * span);
  return phase < span ? high - phase : low + (phase - span);
}

static struct Flood FloodMoves(Display* display, struct LevelChanges* changes, int x, int low, int high,
                               double interval, double seconds, double writesPerLevel) {
  struct Flood flood = {0, 0, 0, 0, high};
  TakeArrivals(changes);
  const double start = Now();
  double next = start, lastMove = start, lastLevel = start;
  for (double now = start; now < start + seconds; now = Now()) {
    if (now >= next) {
      flood.lastY = Triangle(flood.moves++, low, high);
      MoveTo(display, x, flood.lastY);
      lastMove = now;
      next += interval;
      continue;
    }
    const int arrived = AwaitArrivals(changes, next - now);
    flood.writes += arrived;
    lastLevel = arrived > 0 ? Now() : lastLevel;
  }
  flood.writes += MoveArrivals(changes, Rest, &lastLevel);
  flood.rate = flood.writes / writesPerLevel / ((lastLevel > lastMove ? lastLevel : lastMove) - start);
  flood.backlog = lastLevel > lastMove ? lastLevel - lastMove : 0;
  return flood;
}

/* The level of the last position, found again by leaving it and coming back slowly. */
static int FinalLevelKept(Display* display, struct LevelChanges* changes, const char* device, int x, int y,
                          int away) {
  const long left = ReadMasterLevel(device);
  double last;
  MoveTo(display, x, away);
  MoveArrivals(changes, 1.0, &last);
  MoveTo(display, x, y);
  MoveArrivals(changes, 1.0, &last);
  return left >= 0 && left == ReadMasterLevel(device);
}

static int Fail(const char* message) {
  fprintf(stderr, "drag_probe: %s\n", message);
  return 1;
}

int main(int argc, char** argv) {
  struct LevelChanges changes;
  struct Place place;
  int event, error, major, minor, x, y;
  if (!(argc == 4 && strcmp(argv[1], "--pulse") == 0) &&
      !(argc == 5 && strcmp(argv[1], "--card-file") == 0)) {
    return Fail("usage: drag_probe (--card-file FILE | --pulse) CTL_DEVICE SECONDS");
  }
  const char* device = argv[argc - 2];
  const double seconds = atof(argv[argc - 1]);
  Display* display = XOpenDisplay(NULL);
  if (display == NULL || !XTestQueryExtension(display, &event, &error, &major, &minor)) {
    return Fail("no X display with XTEST");
  }
  if ((argc == 5 ? WatchCardFile(&changes, argv[2]) : WatchPulseSinks(&changes)) < 0) {
    return 1;
  }
  if (FindWindow(display, &place) < 0 || FindThumb(display, &place, &x, &y) < 0) {
    return Fail("the window or its VOL thumb did not show");
  }
  const int low = place.y + place.height * TrackTop / DesignHeight + 4;
  const int high = place.y + place.height * TrackBottom / DesignHeight - 4;
  const int middle = (low + high) / 2;

  MoveTo(display, x, y);
  XTestFakeButtonEvent(display, 1, True, CurrentTime);
  XSync(display, False);
  usleep(100000);
  if (WarmUp(display, &changes, x, middle, middle + 7) < 0) {
    return Fail("no level reached the device");
  }
  const struct Latency latency = ProbeLatency(display, &changes, x, middle, middle + 7);
  const double interval = latency.median / 4 > MinimumInterval ? latency.median / 4 : MinimumInterval;
  const struct Flood flood =
      FloodMoves(display, &changes, x, low, high, interval, seconds, latency.writesPerLevel);
  const int kept = FinalLevelKept(display, &changes, device, x, flood.lastY,
                                  flood.lastY + (flood.lastY < middle ? 7 : -7));
  XTestFakeButtonEvent(display, 1, False, CurrentTime);
  XSync(display, False);
  StopWatching(&changes);
  XCloseDisplay(display);
  if (latency.median < 0) {
    return Fail("a move's level did not reach the device");
  }
  printf(
      "levels_per_second=%.0f latency_us=%.0f writes_per_level=%d interval_us=%.0f backlog_ms=%.1f "
      "final_kept=%s "
      "moves=%d writes=%d\n",
      flood.rate, latency.median * 1e6, latency.writesPerLevel, interval * 1e6, flood.backlog * 1e3,
      kept ? "yes" : "no", flood.moves, flood.writes);
  return 0;
}

/* What the drag benchmark sees of the mixer device: each level that reaches it, as it arrives, and the
 * level it holds now. */
#pragma once

#include <sys/types.h>

/* Arrivals come from the device's own side, never through a second mixer client that could merge them:
 * the virtual card's file replaced (inotify), or PulseAudio's change events on sinks (pactl subscribe). */
struct LevelChanges {
  int fd;
  pid_t watcher;        /* pactl, or 0 */
  const char* cardName; /* the card file's name in its folder, or NULL */
  char pending[256];    /* an incomplete line of pactl's output */
  unsigned pendingLength;
};

/* Watches the virtual card served from `cardFile`; 0, or -1 after a message. */
int WatchCardFile(struct LevelChanges* changes, const char* cardFile);
/* Watches the sinks of the PulseAudio server that PULSE_SERVER names; 0, or -1 after a message. */
int WatchPulseSinks(struct LevelChanges* changes);
void StopWatching(struct LevelChanges* changes);

/* The arrivals waiting now, read without blocking. */
int TakeArrivals(struct LevelChanges* changes);
/* Waits up to `seconds` for arrivals; their number, 0 when none came. */
int AwaitArrivals(struct LevelChanges* changes, double seconds);

/* The first channel of "Master Playback Volume" on ALSA ctl `device` now, or -1. */
long ReadMasterLevel(const char* device);

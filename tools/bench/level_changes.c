/* Watching the mixer device for the levels that reach it. */
#define _GNU_SOURCE
#include "level_changes.h"

#include <alsa/asoundlib.h>
#include <errno.h>
#include <fcntl.h>
#include <libgen.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <string.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include "times.h"

int WatchCardFile(struct LevelChanges* changes, const char* cardFile) {
  static char folder[4096], name[4096];
  snprintf(folder, sizeof folder, "%s", cardFile);
  snprintf(name, sizeof name, "%s", cardFile);
  memset(changes, 0, sizeof *changes);
  changes->cardName = basename(name);
  /* The card replaces its file at every write that changes a value. The temporary files' moves stand
   * between two replacements, so that inotify never merges them. */
  changes->fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (changes->fd < 0 || inotify_add_watch(changes->fd, dirname(folder), IN_MOVED_FROM | IN_MOVED_TO) < 0) {
    perror("inotify");
    return -1;
  }
  return 0;
}

int WatchPulseSinks(struct LevelChanges* changes) {
  int output[2];
  memset(changes, 0, sizeof *changes);
  if (pipe2(output, O_CLOEXEC) < 0) {
    perror("pipe");
    return -1;
  }
  changes->watcher = fork();
  if (changes->watcher == 0) {
    dup2(output[1], STDOUT_FILENO);
    dup2(open("/dev/null", O_WRONLY), STDERR_FILENO); /* its goodbye when it is ended */
    execlp("pactl", "pactl", "subscribe", (char*)NULL);
    _exit(127);
  }
  close(output[1]);
  changes->fd = output[0];
  if (changes->watcher < 0) {
    perror("fork");
    return -1;
  }
  fcntl(changes->fd, F_SETFL, O_NONBLOCK);
  return 0;
}

void StopWatching(struct LevelChanges* changes) {
  if (changes->watcher > 0) {
    kill(changes->watcher, SIGTERM);
    waitpid(changes->watcher, NULL, 0);
  }
  close(changes->fd);
}

static int CardArrivals(struct LevelChanges* changes, const char* data, ssize_t length) {
  int arrivals = 0;
  for (const char* p = data; p < data + length;) {
    const struct inotify_event* event = (const struct inotify_event*)p;
    arrivals += (event->mask & IN_MOVED_TO) && event->len > 0 && strcmp(event->name, changes->cardName) == 0;
    p += sizeof(struct inotify_event) + event->len;
  }
  return arrivals;
}

/* pactl prints one line per event: "Event 'change' on sink #0". */
static int PulseArrivals(struct LevelChanges* changes, const char* data, ssize_t length) {
  int arrivals = 0;
  for (ssize_t i = 0; i < length; ++i) {
    if (data[i] != '\n') {
      if (changes->pendingLength + 1 < sizeof changes->pending) {
        changes->pending[changes->pendingLength++] = data[i];
      }
      continue;
    }
    changes->pending[changes->pendingLength] = '\0';
    arrivals += strstr(changes->pending, "'change' on sink #") != NULL;
    changes->pendingLength = 0;
  }
  return arrivals;
}

int TakeArrivals(struct LevelChanges* changes) {
  _Alignas(struct inotify_event) char buffer[65536];
  int arrivals = 0;
  ssize_t length;
  while ((length = read(changes->fd, buffer, sizeof buffer)) > 0) {
    arrivals += changes->cardName != NULL ? CardArrivals(changes, buffer, length)
                                          : PulseArrivals(changes, buffer, length);
  }
  return arrivals;
}

int AwaitArrivals(struct LevelChanges* changes, double seconds) {
  const double end = Now() + seconds;
  int arrivals = TakeArrivals(changes);
  for (double left = seconds; arrivals == 0 && left > 0; left = end - Now()) {
    struct pollfd watched = {changes->fd, POLLIN, 0};
    const struct timespec timeout = {(time_t)left, (long)((left - (double)(time_t)left) * 1e9)};
    if (ppoll(&watched, 1, &timeout, NULL) < 0 && errno != EINTR) {
      break;
    }
    arrivals = TakeArrivals(changes);
  }
  return arrivals;
}

long ReadMasterLevel(const char* device) {
  snd_ctl_t* ctl;
  snd_ctl_elem_value_t* value;
  long level = -1;
  if (snd_ctl_open(&ctl, device, 0) < 0) {
    return -1;
  }
  snd_ctl_elem_value_alloca(&value);
  snd_ctl_elem_value_set_interface(value, SND_CTL_ELEM_IFACE_MIXER);
  snd_ctl_elem_value_set_name(value, "Master Playback Volume");
  if (snd_ctl_elem_read(ctl, value) >= 0) {
    level = snd_ctl_elem_value_get_integer(value, 0);
  }
  snd_ctl_close(ctl);
  return level;
}

/* The reference for the drag benchmark: how fast a plain ALSA program sets a level, calling
 * snd_mixer_selem_set_playback_volume_all on the simple mixer's Master element in a loop. The levels go up
 * and down the range in 180 steps, as a drag along a 180-pixel track would set them.
 * Usage: volume_loop DEVICE SECONDS. Prints "<levels per second> <microseconds per call>". */
#include <alsa/asoundlib.h>
#include <stdio.h>
#include <stdlib.h>

#include "times.h"

static snd_mixer_elem_t* OpenMaster(const char* device, snd_mixer_t** mixer) {
  snd_mixer_selem_id_t* id;
  if (snd_mixer_open(mixer, 0) < 0 || snd_mixer_attach(*mixer, device) < 0 ||
      snd_mixer_selem_register(*mixer, NULL, NULL) < 0 || snd_mixer_load(*mixer) < 0) {
    return NULL;
  }
  snd_mixer_selem_id_alloca(&id);
  snd_mixer_selem_id_set_name(id, "Master");
  return snd_mixer_find_selem(*mixer, id);
}

int main(int argc, char** argv) {
  snd_mixer_t* mixer = NULL;
  snd_mixer_elem_t* master;
  long minimum, maximum, step;
  double seconds, start, elapsed;
  long calls = 0, steps;
  if (argc != 3 || (seconds = atof(argv[2])) <= 0) {
    fprintf(stderr, "usage: %s DEVICE SECONDS\n", argv[0]);
    return 2;
  }
  master = OpenMaster(argv[1], &mixer);
  if (master == NULL || snd_mixer_selem_get_playback_volume_range(master, &minimum, &maximum) < 0 ||
      maximum <= minimum) {
    fprintf(stderr, "%s: no Master playback volume on %s\n", argv[0], argv[1]);
    return 1;
  }
  step = (maximum - minimum) / 180 > 0 ? (maximum - minimum) / 180 : 1;
  steps = (maximum - minimum) / step;
  start = Now();
  do {
    /* Every call a level other than the one before. */
    const long phase = calls % (2 * steps), position = phase <= steps ? phase : 2 * steps - phase;
    if (snd_mixer_selem_set_playback_volume_all(master, minimum + position * step) < 0) {
      fprintf(stderr, "%s: writing the level failed\n", argv[0]);
      return 1;
    }
    ++calls;
    elapsed = Now() - start;
  } while (elapsed < seconds);
  printf("%.0f %.1f\n", (double)calls / elapsed, elapsed * 1e6 / (double)calls);
  snd_mixer_close(mixer);
  return 0;
}

/* Starts a program and measures the time from its start to its window's first picture on an Xvfb screen,
 * watched in the screen file that Xvfb keeps with -fbdir: a pixel of the window's area that the black root
 * (-br) leaves black until a window paints it. Without a window manager windows open at the top-left.
 * Then waits SETTLE_MS, ends the program (SIGTERM) and waits until its window has gone.
 * Usage: first_paint SCREEN_FILE X Y SETTLE_MS PROGRAM [ARGUMENT...]
 * Prints the microseconds from the start to the first picture. */
#define _GNU_SOURCE
#include <arpa/inet.h>
#include <fcntl.h>
#include <signal.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "times.h"

/* The pixel at x, y of an XWD file: after the header and the colour map, rows of bytes_per_line. */
static const volatile uint8_t* Pixel(const uint8_t* screen, int x, int y) {
  const uint32_t* header = (const uint32_t*)screen;
  const uint32_t headerSize = ntohl(header[0]), bitsPerPixel = ntohl(header[11]);
  const uint32_t bytesPerLine = ntohl(header[12]), colours = ntohl(header[19]);
  return screen + headerSize + colours * 12 + (uint32_t)y * bytesPerLine + (uint32_t)x * bitsPerPixel / 8;
}

static int Painted(const volatile uint8_t* pixel) { return pixel[0] || pixel[1] || pixel[2]; }

/* Until the pixel is `painted`, or `seconds` have gone; whether it is. */
static int AwaitPixel(const volatile uint8_t* pixel, int painted, double seconds) {
  for (const double end = Now() + seconds; Painted(pixel) != painted && Now() < end;) {
    usleep(200);
  }
  return Painted(pixel) == painted;
}

int main(int argc, char** argv) {
  struct stat status;
  if (argc < 6) {
    fprintf(stderr, "usage: %s SCREEN_FILE X Y SETTLE_MS PROGRAM [ARGUMENT...]\n", argv[0]);
    return 2;
  }
  const int file = open(argv[1], O_RDONLY);
  if (file < 0 || fstat(file, &status) < 0) {
    perror(argv[1]);
    return 1;
  }
  /* Shared with Xvfb, which maps the same file: its drawing shows here as it happens. */
  const uint8_t* screen = mmap(NULL, (size_t)status.st_size, PROT_READ, MAP_SHARED, file, 0);
  if (screen == MAP_FAILED) {
    perror("mmap");
    return 1;
  }
  const volatile uint8_t* pixel = Pixel(screen, atoi(argv[2]), atoi(argv[3]));
  if (!AwaitPixel(pixel, 0, 5)) {
    fprintf(stderr, "%s: the screen is not clear\n", argv[0]);
    return 1;
  }
  const double start = Now();
  const pid_t child = fork();
  if (child == 0) {
    execvp(argv[5], argv + 5);
    _exit(127);
  }
  const int shown = AwaitPixel(pixel, 1, 30);
  const double shownAfter = Now() - start;
  usleep((useconds_t)atoi(argv[4]) * 1000);
  kill(child, SIGTERM);
  waitpid(child, NULL, 0);
  AwaitPixel(pixel, 0, 5);
  if (!shown) {
    fprintf(stderr, "%s: %s showed nothing\n", argv[0], argv[5]);
    return 1;
  }
  printf("%.0f\n", shownAfter * 1e6);
  return 0;
}

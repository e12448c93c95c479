/* The benchmark helpers' clock, and the median of their measured times. */
#pragma once

#include <stdlib.h>
#include <time.h>

/* Seconds on the monotonic clock, which every helper and the program's own time stamps share. */
static inline double Now(void) {
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return (double)now.tv_sec + (double)now.tv_nsec / 1e9;
}

static inline int CompareTimes(const void* a, const void* b) {
  const double left = *(const double*)a, right = *(const double*)b;
  return (left > right) - (left < right);
}

/* The median of `count` times; sorts them. */
static inline double MedianTime(double* times, int count) {
  qsort(times, (size_t)count, sizeof times[0], CompareTimes);
  return times[count / 2];
}

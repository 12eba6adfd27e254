// SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
// SPDX-License-Identifier: MIT
/* Preloaded into the game under test: while HORLOGE_FIXE_NS holds a count of nanoseconds
   since the epoch, the wall clock reads exactly that, so the seed of the run is known. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdlib.h>
#include <time.h>

typedef int (*clock_gettime_t)(clockid_t, struct timespec*);

int clock_gettime(clockid_t horloge, struct timespec* temps) {
  const char* fixe = getenv("HORLOGE_FIXE_NS");
  if (horloge == CLOCK_REALTIME && fixe != NULL) {
    const long long ns = atoll(fixe);
    temps->tv_sec = (time_t)(ns / 1000000000LL);
    temps->tv_nsec = (long)(ns % 1000000000LL);
    return 0;
  }
  clock_gettime_t suivante = (clock_gettime_t)dlsym(RTLD_NEXT, "clock_gettime");
  return suivante(horloge, temps);
}

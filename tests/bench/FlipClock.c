/* Preloaded into the real game by scripts/measure-startup: stands between the
 * game and Allegro's al_flip_display and appends "N SECONDS" (CLOCK_REALTIME,
 * nanoseconds) to the file named by ORVELLE_FLIP_CLOCK after each of the
 * first ORVELLE_FLIP_CLOCK_COUNT flips (default 2), then ends the process.
 * The game's first flip shows the loading picture, its second the first menu
 * frame. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

void al_flip_display(void)
{
    static void (*real)(void) = NULL;
    static int flips = 0;
    if (real == NULL)
        real = (void (*)(void))dlsym(RTLD_NEXT, "al_flip_display");
    real();
    flips++;

    const char *path = getenv("ORVELLE_FLIP_CLOCK");
    const char *count = getenv("ORVELLE_FLIP_CLOCK_COUNT");
    const int last = count != NULL ? atoi(count) : 2;
    if (path == NULL)
        return;
    struct timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    FILE *out = fopen(path, "a");
    if (out != NULL) {
        fprintf(out, "%d %lld.%09ld\n", flips, (long long)now.tv_sec, now.tv_nsec);
        fclose(out);
    }
    if (flips >= last)
        _exit(0);
}

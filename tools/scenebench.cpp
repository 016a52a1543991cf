// SPDX-License-Identifier: MIT
// scenebench: times the field generators alone, without SDL or GL: a full
// preset change (new outline, doblockz, recolour) and the start field.
// Prints the median, fastest and slowest of many single calls in
// microseconds. Usage: scenebench [RUNS]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "field.h"
#include "presets.h"

static const int defaultruns = 5000;
static const int maxruns = 100000;
static const int warmupruns = 200;  // fills caches and settles the clock speed

static double timings[maxruns];

// Times runs calls of work, one by one, and prints one line about them.
static void timeit(const char *what, void (*work)(), int runs)
{
    for (int n = 0; n < warmupruns; n++)
        work();
    for (int n = 0; n < runs; n++) {
        auto start = std::chrono::steady_clock::now();
        work();
        auto end = std::chrono::steady_clock::now();
        timings[n] = std::chrono::duration<double, std::micro>(end - start).count();
    }
    std::sort(timings, timings + runs);
    printf("%-44s median %8.1f us   min %8.1f   max %8.1f   (%d runs)\n", what,
           timings[runs / 2], timings[0], timings[runs - 1], runs);
}

int main(int argc, char **argv)
{
    int runs = argc > 1 ? atoi(argv[1]) : defaultruns;
    if (runs < 1 || runs > maxruns) {
        fprintf(stderr, "usage: scenebench [RUNS], RUNS 1 ... %d\n", maxruns);
        return 2;
    }
    timeit("preset change (changefx: doblockz, recolour)", changefx, runs);
    timeit("start field (startfield)", startfield, runs);
    return 0;
}

#pragma once

#include <cstdio>
#include <cstdlib>

// A broken promise found while fuzzing must stop the run like a crash does, both under
// libFuzzer and when the replay test feeds saved inputs, so it is an abort, not a return.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);     \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

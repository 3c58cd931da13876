#pragma once

#include <cstdio>
#include <cstdlib>

// A broken promise of a parser is a finding like a crash: libFuzzer keeps the input.
#define K30_FUZZ_CHECK(condition)                                                         \
    do {                                                                                  \
        if (!(condition)) {                                                               \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                 \
        }                                                                                 \
    } while (0)

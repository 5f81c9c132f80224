// A check that holds in every build of a fuzz target: a divergence from the
// plain model is reported and aborts, so that libFuzzer keeps the input.
#pragma once

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(cond)                                                           \
  do {                                                                             \
    if (!(cond)) {                                                                 \
      std::fprintf(stderr, "divergence: %s (%s:%d)\n", #cond, __FILE__, __LINE__); \
      std::abort();                                                                \
    }                                                                              \
  } while (0)

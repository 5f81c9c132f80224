// Seeds of the randomized tests: fixed, so every run repeats the last one,
// unless BQ_TEST_SEED gives another for a run by hand. A failure names the
// seed it ran with.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>

inline uint32_t TestSeed(uint32_t fixed) {
  const char* s = std::getenv("BQ_TEST_SEED");
  return s && *s ? uint32_t(std::strtoul(s, nullptr, 10)) : fixed;
}

// Declares the generator name, seeded from TestSeed(fixed), and puts its seed
// into every failure message of the scope.
#define BQ_SEEDED_RNG(name, fixed)                            \
  const uint32_t name##Seed = TestSeed(fixed);                \
  SCOPED_TRACE("BQ_TEST_SEED=" + std::to_string(name##Seed)); \
  std::mt19937 name(name##Seed)

#pragma once

#include <cstdio>
#include <cstdlib>

// A broken property is a finding: it stops the run with a message, and the input that broke it
// is kept by the fuzzer.
#define FUZZ_CHECK(condition)                                                               \
  do {                                                                                      \
    if (!(condition)) {                                                                     \
      std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                         \
    }                                                                                       \
  } while (false)

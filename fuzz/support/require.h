// A check that holds in every build (the fuzzers are built with NDEBUG, so
// assert() would check nothing) and names itself when it fails.
#ifndef VANTREL_FUZZ_SUPPORT_REQUIRE_H
#define VANTREL_FUZZ_SUPPORT_REQUIRE_H

#include <cstdio>
#include <cstdlib>

#define require(condition)                                                                          \
    do {                                                                                            \
        if (!(condition)) {                                                                         \
            std::fprintf(stderr, "%s:%d: %s does not hold\n", __FILE__, __LINE__, #condition);     \
            std::abort();                                                                           \
        }                                                                                           \
    } while (0)

#endif

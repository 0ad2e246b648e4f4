#pragma once

#include <cstdio>
#include <cstdlib>

// A rule of a fuzz target: broken, it aborts, so the fuzzer keeps the input as a crash.
inline void Verifica(bool condizione, const char* regola) {
    if (!condizione) {
        std::fprintf(stderr, "rule broken: %s\n", regola);
        std::abort();
    }
}

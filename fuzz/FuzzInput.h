#pragma once

// What the fuzz targets share: a failing check that names the property.

#include <cstdio>

namespace fuzzinput {

// Ends the run as a failure when a property does not hold; the fuzzer keeps the input.
inline void check(bool holds, const char* property) {
    if (holds)
        return;
    std::fprintf(stderr, "PROPERTY VIOLATED: %s\n", property);
    std::fflush(stderr);
    __builtin_trap();
}

} // namespace fuzzinput

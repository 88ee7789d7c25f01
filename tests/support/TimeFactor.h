#pragma once
// How many times its usual limit a timed test allows: AUBELYS_TIME_FACTOR (1 when
// unset), raised for the slower builds that check memory and undefined behaviour.
#include <chrono>
#include <cstdlib>

namespace aub::test {

inline double timeFactor() {
    const char* e = std::getenv("AUBELYS_TIME_FACTOR");
    const double f = e ? std::atof(e) : 1.0;
    return f >= 1.0 ? f : 1.0;
}

// `limit` stretched by the factor.
template <class Rep, class Period>
std::chrono::duration<double> allowed(std::chrono::duration<Rep, Period> limit) {
    return std::chrono::duration<double>(limit) * timeFactor();
}

}  // namespace aub::test

#pragma once
// How many times its usual limit a timed test allows: AUBELYS_TIME_FACTOR (1 when
// unset), raised for the slower builds that check memory and undefined behaviour.
#include <chrono>
#include <cstdlib>
#include <ctime>

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

// The processor time this thread has used, seconds. A limit on work done is checked on
// it, not on the wall clock: other programs sharing the machine do not count.
inline double threadCpuSeconds() {
#if defined(CLOCK_THREAD_CPUTIME_ID)
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
#else
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
#endif
}

}  // namespace aub::test

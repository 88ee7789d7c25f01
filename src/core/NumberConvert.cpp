#include "core/NumberConvert.h"

#include <cmath>

#include <fast_float/fast_float.h>
#include <fmt/compile.h>
#include <fmt/format.h>

namespace aub {

namespace {

// A non-zero digit before the exponent: the text names a value other than zero.
bool namesNonZero(const char* first, const char* last) {
    for (const char* p = first; p < last && *p != 'e' && *p != 'E'; ++p)
        if (*p >= '1' && *p <= '9') return true;
    return false;
}

template <class T>
FloatReadResult readAny(const char* first, const char* last, T& value) {
    T v{};
    const auto r = fast_float::from_chars(first, last, v);
    if (r.ec != std::errc()) return {r.ptr, r.ec};
    value = v;
    const bool spelledInfinity =
        r.ptr > first && (r.ptr[-1] == 'f' || r.ptr[-1] == 'F' || r.ptr[-1] == 'y' || r.ptr[-1] == 'Y');
    if (std::isinf(v) && !spelledInfinity) return {r.ptr, std::errc::result_out_of_range};
    if (v == 0 && namesNonZero(first, r.ptr)) return {r.ptr, std::errc::result_out_of_range};
    return {r.ptr, std::errc()};
}

}  // namespace

FloatReadResult readFloating(const char* first, const char* last, double& value) { return readAny(first, last, value); }
FloatReadResult readFloating(const char* first, const char* last, float& value) { return readAny(first, last, value); }

std::string shortestText(double value) { return fmt::format("{}", value); }
std::string shortestText(float value) { return fmt::format("{}", value); }

// The writer of "{}" compiled once: the same digits, no format text read at each call.
template <class T>
std::size_t writeShortestAs(T value, char* out) {
    const auto r = fmt::format_to_n(out, ShortestTextRoom, FMT_COMPILE("{}"), value);
    return r.size < ShortestTextRoom ? r.size : ShortestTextRoom;
}

std::size_t writeShortest(double value, char* out) { return writeShortestAs(value, out); }
std::size_t writeShortest(float value, char* out) { return writeShortestAs(value, out); }

std::string generalText(double value, int precision) { return fmt::format("{:.{}g}", value, precision); }

}  // namespace aub

#include "core/Checked.h"

#include "core/CalcError.h"

#include <cfloat>
#include <cmath>

namespace aub {

namespace {

// Smallest magnitude that rounds to infinity in single precision (FLT_MAX plus half an ulp).
constexpr double FloatOverflowBound = 0x1.ffffffp127;

void requireFinite(double x) {
    if (!std::isfinite(x)) throw CalcError(ErrOverflow);
}

// Whole-number conversion shared by the byte, integer and long helpers.
double wholeInRange(double x, double lo, double hi) {
    requireFinite(x);
    double r = roundHalfEven(x);
    if (r < lo || r > hi) throw CalcError(ErrOverflow);
    return r == 0 ? 0.0 : r;  // no negative zero
}

}  // namespace

float checkedValue(double x) {
    if (!std::isfinite(x) || std::fabs(x) >= FloatOverflowBound) throw CalcError(ErrOverflow);
    return static_cast<float>(x);
}

// Single operations done in double and rounded once give the correctly rounded single result.
float cdiv(float a, float b) {
    requireFinite(a);
    requireFinite(b);
    if (b == 0.0f) throw CalcError(a == 0.0f ? ErrOverflow : ErrDivByZero);
    return checkedValue(static_cast<double>(a) / static_cast<double>(b));
}

double cdivd(double a, double b) {
    requireFinite(a);
    requireFinite(b);
    if (b == 0.0) throw CalcError(a == 0.0 ? ErrOverflow : ErrDivByZero);
    double r = a / b;
    requireFinite(r);
    return r;
}

float csqrt(float x) {
    requireFinite(x);
    if (x < 0.0f) throw CalcError(ErrBadCall);
    return std::sqrt(x);
}

float cpow(float base, float exponent) {
    requireFinite(base);
    requireFinite(exponent);
    const double b = base;
    const double e = exponent;
    if (b < 0.0 && e != std::trunc(e)) throw CalcError(ErrBadCall);
    if (b == 0.0 && e < 0.0) throw CalcError(ErrBadCall);
    return checkedValue(std::pow(b, e));
}

float clog(float x) {
    requireFinite(x);
    if (x <= 0.0f) throw CalcError(ErrBadCall);
    return checkedValue(std::log(static_cast<double>(x)));
}

float clog10(float x) {
    requireFinite(x);
    if (x <= 0.0f) throw CalcError(ErrBadCall);
    return checkedValue(std::log10(static_cast<double>(x)));
}

float cexp(float x) {
    requireFinite(x);
    return checkedValue(std::exp(static_cast<double>(x)));
}

float catan(float x) {
    requireFinite(x);
    return static_cast<float>(std::atan(static_cast<double>(x)));
}

float ctan(float x) {
    requireFinite(x);
    return checkedValue(std::tan(static_cast<double>(x)));
}

double roundHalfEven(double x) {
    if (!std::isfinite(x)) return x;
    const double lower = std::floor(x);
    const double diff = x - lower;  // exact for doubles
    if (diff < 0.5) return lower;
    if (diff > 0.5) return lower + 1.0;
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

unsigned char toByte(double x) { return static_cast<unsigned char>(wholeInRange(x, 0.0, 255.0)); }

short toInteger(double x) { return static_cast<short>(wholeInRange(x, -32768.0, 32767.0)); }

int toLong(double x) { return static_cast<int>(wholeInRange(x, -2147483648.0, 2147483647.0)); }

}  // namespace aub

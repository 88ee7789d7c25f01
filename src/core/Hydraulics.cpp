#include "core/Hydraulics.h"

#include "core/CalcError.h"
#include "core/Checked.h"
#include "core/Constants.h"
#include "core/Messenger.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>
#include <utility>

namespace aub {

namespace {

// Polar laws fail only when the angle or a coefficient is not a finite single.
void requirePolarFinite(float alphaDeg, float cl, float cd) {
    if (!std::isfinite(alphaDeg) || !std::isfinite(cl) || !std::isfinite(cd)) throw CalcError(ErrOverflow);
}

}  // namespace

void wallRoughness(const std::string& material, float& roughness, Messenger& messenger) {
    static const std::pair<const char*, float> table[] = {
        {"Cuivre", 0.0015f},    {"Plastic", 0.002f},    {"Acier lisse", 0.002f}, {"Fibro", 0.03f},
        {"Acier soudé", 0.01f}, {"Fonte neuve", 0.25f}, {"Bois poncé", 0.3f},    {"Bois brut", 0.9f},
    };
    if (material.empty()) {
        messenger.message("Pas de nature de paroi !");
        return;
    }
    for (const auto& [name, value] : table) {
        if (material == name) {
            roughness = value;
            return;
        }
    }
    roughness = 1.0f;
}

double colebrookFriction(double eps, double re, Messenger& messenger) {
    if (std::isnan(eps) || std::isnan(re)) {
        messenger.message(errorDescription(ErrOverflow));
        return -1.0;
    }
    if (eps < 0.0 || eps > 3.0 || re < 0.0) return -1.0;
    if (re == 0.0) return 0.0;
    if (re < 2500.0) return 64.0 / re;
    if (std::isinf(re)) {
        messenger.message(errorDescription(ErrOverflow));
        return -1.0;
    }

    // Newton's method on g(f) from f = 0.01, each step written with one square root, one
    // logarithm and two divisions: f^-1.5 as 1/(f·√f), log10 as ln/ln 10, and the step
    // -g/g' gathered into one quotient. The iterates are those of the plain writing to
    // within a few units in the last place.
    constexpr double invLn10 = 0.434294481903251827651;
    const double e37 = eps / 3.7, b = 2.51 / re, k = b * invLn10;
    double held = 0.0;  // last value reached without a failure
    double f = 0.01;
    double root = 0.0, a = 0.0, g = 0.0;
    // g(f), √f and the argument a of its logarithm; false on a floating-point failure.
    auto evaluate = [&](double x, int& code) {
        if (!std::isfinite(x)) {
            code = ErrOverflow;
            return false;
        }
        if (x <= 0.0) {  // square root of a negative, or division by zero
            code = x < 0.0 ? ErrBadCall : ErrDivByZero;
            return false;
        }
        root = std::sqrt(x);
        const double inverse = 1.0 / root;
        a = e37 + b * inverse;
        if (!(a > 0.0) || !std::isfinite(a)) {
            code = std::isfinite(a) ? ErrBadCall : ErrOverflow;
            return false;
        }
        g = inverse + 2.0 * invLn10 * std::log(a);
        if (!std::isfinite(g)) {
            code = ErrOverflow;
            return false;
        }
        return true;
    };

    int code = 0;
    if (!evaluate(f, code)) {
        messenger.message(errorDescription(code));
        return held;
    }
    held = f;
    for (int step = 0; step < ColebrookMaxSteps; ++step) {
        if (std::fabs(g) < 1e-9) return f;
        // f - g/g', with g'(f) = -(1/2 + k/a) f^-1.5.
        const double next = f + g * f * root * a / (0.5 * a + k);
        // From above the root the tangent can land below zero (smooth pipes at very high
        // Reynolds numbers); restart from a tenth of the current value, below the root.
        f = (std::isfinite(next) && next <= 0.0) ? f / 10.0 : next;
        if (!evaluate(f, code)) {
            messenger.message(errorDescription(code));
            return held;
        }
        held = f;
    }
    if (std::fabs(g) < 1e-9) return f;
    messenger.message("Le coefficient de frottement ne converge pas");
    return -1.0;
}

void flatPlatePolar(float a, float& cl, float& cd) {
    if (!std::isfinite(a)) throw CalcError(ErrOverflow);
    if (a <= 15.0f) {
        cl = 0.0714f * a;
        cd = 0.0014f * a * a;
    } else if (a <= 40.0f) {
        cl = 1.2f;  // drag left as it was
    } else if (a <= 45.0f) {
        cl = 0.01f;
        cd = 0.017f * (a - 15.0f) + 0.315f;
    } else {
        cl = 1.3f;
        cd = 1.5f;
    }
    requirePolarFinite(a, cl, cd);
}

void clarkYPolar(float a, float& cl, float& cd) {
    if (!std::isfinite(a)) throw CalcError(ErrOverflow);
    if (a <= 9.2f)
        cl = 0.1f * a + 0.35f;
    else if (a <= 15.0f)
        cl = 0.281f * a - 0.39f - 0.014f * a * a;
    else
        cl = 0.01f;
    cd = 0.00014f * a * a + 0.0088f;
    requirePolarFinite(a, cl, cd);
}

void naca4415Polar(float a, float& cl, float& cd) {
    if (!std::isfinite(a)) throw CalcError(ErrOverflow);
    if (a <= 10.0f) {
        cl = 0.08f * a + 0.5f;
        cd = 0.004f * a;
    } else if (a <= 20.0f) {
        cl = 0.03f * (a - 10.0f) + 1.3f;
        cd = 0.02f * (a - 10.0f) + 0.04f;
    } else {
        cl = 0.3f;
        cd = 0.05f;
    }
    requirePolarFinite(a, cl, cd);
}

void naca63415Polar(float a, float& cl, float& cd) {
    if (!std::isfinite(a)) throw CalcError(ErrOverflow);
    if (a <= 6.5f)
        cl = 0.1f * a + 0.35f;
    else if (a <= 40.0f)
        cl = 0.19f * a + 0.07f - 0.00636f * a * a;
    else
        cl = 0.01f;
    if (a <= 15.0f)
        cd = 0.05f * (cl - 0.2f) * (cl - 0.2f) + 0.007f;
    else if (a <= 30.0f)
        cd = 0.16f * (cl - 0.11f) * (cl - 0.11f) + 0.0125f;
    else
        cd = 0.05f;
    requirePolarFinite(a, cl, cd);
}

float manningToBazin(float n, Messenger& messenger) {
    if (std::isnan(n)) throw CalcError(ErrOverflow);
    if (n < 0.01f) {
        messenger.message("Controle imposssible");
        return 0.0f;
    }
    const float m = 1000.0f * n;
    const float m2 = m * m;
    const float r = (0.5799789f * m2 - 4.599084f * m - 0.01082456f * m2 * m + 0.0000560053f * m2 * m2) / 100.0f;
    return checkedValue(r);
}

float arcSin(float& x) {
    if (std::isnan(x)) throw CalcError(ErrOverflow);
    if (std::fabs(x) > 1.0f) return 0.0f;
    if (std::fabs(x) == 1.0f) x = std::copysign(0.999999999f, x);
    const float x2 = x * x;
    if (x2 == 0.0f) return 0.0f;
    return 1.5707965f - std::atan(std::sqrt((1.0f - x2) / x2));
}

float arcCosDeg(float& x) {
    if (std::isnan(x)) throw CalcError(ErrOverflow);
    if (x < -1.0f || x > 1.0f) return 0.0f;
    if (std::fabs(x) == 1.0f) x = std::copysign(0.999999999f, x);
    const float rest = 1.0f - x * x;
    if (rest <= 0.0f)  // the argument is ±1 in single precision
        return x > 0.0f ? 0.0f : 180.0f;
    return (1.5707965f - std::atan(x / std::sqrt(rest))) * 180.0f / Pi;
}

float triangleAngle(float a, float b, float c) {
    if (b == 0.0f || c == 0.0f) throw CalcError(ErrDivByZero);
    float cosine = cdiv(b * b + c * c - a * a, 2.0f * b * c);
    return arcCosDeg(cosine);
}

float elasticImpact(float m1, float m2, float u1, float u2, float& u2After) {
    const float total = m1 + m2;
    if (total == 0.0f) throw CalcError(ErrDivByZero);
    const float u1After = cdiv((m1 - m2) * u1 + 2.0f * m2 * u2, total);
    u2After = cdiv((m2 - m1) * u2 + 2.0f * m1 * u1, total);
    return u1After;
}

void waitSeconds(float s, const std::function<void()>& pump) {
    if (!std::isfinite(s) || s <= 0.0f) return;
    using Clock = std::chrono::steady_clock;
    const double seconds = std::min(static_cast<double>(s), 3600.0);
    const auto deadline =
        Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    const auto slice = std::chrono::milliseconds(10);
    for (;;) {
        if (pump) pump();
        const auto now = Clock::now();
        if (now >= deadline) return;
        const auto left = deadline - now;
        std::this_thread::sleep_for(left < slice ? left : Clock::duration(slice));
    }
}

}  // namespace aub

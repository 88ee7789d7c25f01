#include "wheels/ArchimedesScrew.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

#include "core/CalcError.h"
#include "core/NumberText.h"

namespace aub {

namespace {

constexpr double pi = std::numbers::pi;
constexpr double Gravity = 9.81;  // m/s²
constexpr double WaterDensity = 1000;

// Dimensionless channel between two neighbouring blades, lengths in Ro, heights divided by
// Ro cos(inclination). Along the channel (angle psi about the axis) and across it (radius
// r in [rho, 1], axial offset s from the lower blade in [0, sigma], sigma = 2 pi lambda / N),
// a point stands at height z = lambda psi + s - r cos psi (psi = 0 at the bottom of the
// trough). The lowest point of the cross-section at psi, the floor of the channel, is on
// the lower blade at the outer radius in the lower half (cos psi > 0), at the inner radius
// in the upper half.
struct Channel {
    double rho, lambda, sigma;

    double floor(double psi) const {
        const double c = std::cos(psi);
        return lambda * psi - (c > 0 ? c : rho * c);
    }

    // Area integral over the cross-section at psi of the water below `level`:
    // integral over r in [rho, 1] of r clamp(level - lambda psi + r cos psi, 0, sigma) dr.
    double wetSection(double psi, double level) const {
        const double a = level - lambda * psi, b = std::cos(psi);
        // Break points where a + b r meets 0 and sigma, in increasing order.
        double cuts[4] = {rho, 1, 1, 1};
        int n = 1;
        if (b != 0) {
            double r0 = (0 - a) / b, r1 = (sigma - a) / b;
            if (r1 < r0) std::swap(r0, r1);
            for (double r : {r0, r1})
                if (r > rho && r < 1) cuts[n++] = r;
        }
        cuts[n++] = 1;
        double sum = 0;
        for (int i = 0; i + 1 < n; ++i) {
            const double r0 = cuts[i], r1 = cuts[i + 1];
            if (r1 <= r0) continue;
            const double mid = a + b * 0.5 * (r0 + r1);
            if (mid <= 0) continue;
            if (mid >= sigma) {
                sum += sigma * 0.5 * (r1 * r1 - r0 * r0);
            } else {
                sum += a * 0.5 * (r1 * r1 - r0 * r0) + b * (r1 * r1 * r1 - r0 * r0 * r0) / 3.0;
            }
        }
        return sum;
    }
};

// Water of one bucket at the spill level, dimensionless (physical volume = this x Ro³ / K).
double bucketIntegral(int blades, double rho, double lambda) {
    if (!(lambda > 0) || lambda >= 1 || !(rho >= 0) || rho >= 1 || blades < 1) return 0;
    const Channel ch{rho, lambda, 2 * pi * lambda / blades};
    // The bottom of the bucket: floor' = lambda + sin psi = 0 in the lower half.
    const double bottom = -std::asin(lambda);
    // Its lower edge, where the water would spill into the bucket below: the crest of the
    // floor in the upper half before the bottom, at sin psi = -lambda / rho when the inner
    // edge has one, else where the floor passes from the inner to the outer radius.
    const double crest = lambda < rho ? -pi + std::asin(lambda / rho) : -pi / 2;
    const double level = ch.floor(crest);
    // Upper edge: the floor rises monotonically from the bottom to the next crest.
    double lo = bottom, hi = crest + 2 * pi;
    for (int i = 0; i < 80; ++i) {
        const double mid = 0.5 * (lo + hi);
        (ch.floor(mid) < level ? lo : hi) = mid;
    }
    const double top = lo;
    // Simpson's rule along the channel.
    constexpr int Steps = 600;
    const double h = (top - crest) / Steps;
    double sum = ch.wetSection(crest, level) + ch.wetSection(top, level);
    for (int i = 1; i < Steps; ++i) sum += (i % 2 ? 4 : 2) * ch.wetSection(crest + i * h, level);
    return sum * h / 3;
}

// lambda nu = N x bucket integral / (2 pi²).
double volumePerTurn(int blades, double rho, double lambda) {
    return blades * bucketIntegral(blades, rho, lambda) / (2 * pi * pi);
}

// Golden-section search for the largest value of f on [a, b].
template <class F>
double goldenMax(F f, double a, double b, double tolerance) {
    const double r = (std::sqrt(5.0) - 1) / 2;
    double c = b - r * (b - a), d = a + r * (b - a);
    double fc = f(c), fd = f(d);
    while (b - a > tolerance) {
        if (fc > fd) {
            b = d;
            d = c;
            fd = fc;
            c = b - r * (b - a);
            fc = f(c);
        } else {
            a = c;
            c = d;
            fc = fd;
            d = a + r * (b - a);
            fd = f(d);
        }
    }
    return 0.5 * (a + b);
}

[[noreturn]] void badInput() { throw CalcError(ErrBadCall); }

std::string decimal(double v, const char* mask) {
    std::string s = formatMask(v, mask);
    std::replace(s.begin(), s.end(), '.', ',');
    return s;
}

}  // namespace

double screwVolumeRatio(int blades, double rho, double lambda) {
    if (!(lambda > 0)) return 0;
    return volumePerTurn(blades, rho, lambda) / lambda;
}

BucketOptimum screwOptimum(int blades) {
    if (blades < 1 || blades > 25) badInput();
    constexpr double Tol = 1e-5;
    auto bestLambda = [&](double rho) {
        return goldenMax([&](double l) { return volumePerTurn(blades, rho, l); }, 1e-4, 0.9999, Tol);
    };
    BucketOptimum o;
    o.rho = goldenMax([&](double rho) { return volumePerTurn(blades, rho, bestLambda(rho)); }, 0.0, 0.9999, Tol);
    o.lambda = bestLambda(o.rho);
    o.nu = screwVolumeRatio(blades, o.rho, o.lambda);
    return o;
}

double screwSpeedLimit(double diameter) {
    if (!(diameter > 0)) badInput();
    return 50.0 / std::pow(diameter, 2.0 / 3.0);
}

double screwGapLeakage(double gap, double diameter) {
    if (!(gap >= 0) || !(diameter >= 0)) badInput();
    return 2.5 * gap * std::pow(diameter, 1.5);
}

ScrewDesign designScrew(const ScrewInputs& in) {
    auto inUnit = [](double v) { return v > 0 && v <= 1; };
    if (!(in.head > 0) || !(in.flow > 0) || !(in.inclination > 0) || !(in.inclination < 90)) badInput();
    if (in.blades < 1 || in.blades > 25) badInput();
    if (!(in.rho > 0) || !(in.rho < 1) || !(in.lambda > 0) || !(in.lambda < 1)) badInput();
    if (!inUnit(in.filling) || !(in.gapMm >= 0) || !std::isfinite(in.gapMm)) badInput();
    if (!inUnit(in.screwEfficiency) || !inUnit(in.gearEfficiency) || !inUnit(in.generatorEfficiency)) badInput();
    if (!std::isfinite(in.head) || !std::isfinite(in.flow)) badInput();

    const double theta = in.inclination * pi / 180;
    const double K = std::tan(theta);
    const double lambdaNu = volumePerTurn(in.blades, in.rho, in.lambda);
    if (!(lambdaNu > 0)) badInput();
    const double gap = in.gapMm / 1000;
    // Water held in one turn, m3, for an outer diameter D: (2 pi² Ro³ / K) lambda nu.
    auto turnVolume = [&](double D) { return 2 * pi * pi * std::pow(D / 2, 3) / K * lambdaNu; };
    auto passes = [&](double D) {
        return in.filling * turnVolume(D) * screwSpeedLimit(D) / 60 + screwGapLeakage(gap, D);
    };
    auto diameterFor = [&](double q) {
        double lo = 0, hi = 1;
        while (passes(hi) < q) {
            hi *= 2;
            if (hi > 1e6) badInput();
        }
        for (int i = 0; i < 200 && hi - lo > 1e-12 * hi; ++i) {
            const double mid = 0.5 * (lo + hi);
            (passes(mid) < q ? lo : hi) = mid;
        }
        return hi;
    };

    ScrewDesign d;
    // The fewest screws that keep each one within the largest diameter.
    d.screws = 1;
    double D = diameterFor(in.flow);
    while (D > MaxDiameter && d.screws < 1000) {
        ++d.screws;
        D = diameterFor(in.flow / d.screws);
    }
    d.flowPerScrew = in.flow / d.screws;
    d.outerDiameter = D;
    d.innerDiameter = in.rho * D;
    d.pitch = pi * in.lambda * D / K;  // lambda = K S / (2 pi Ro)
    d.length = in.head / std::sin(theta);
    d.turns = d.length / d.pitch;
    d.speed = screwSpeedLimit(D);
    d.bucketVolume = turnVolume(D) / in.blades;
    d.turnVolume = in.filling * turnVolume(D);
    d.leakage = screwGapLeakage(gap, D);
    d.bucketFlow = d.flowPerScrew - d.leakage;
    d.hydraulicPower = WaterDensity * Gravity * d.flowPerScrew * in.head / 1000;
    // The leaking water gives no work; the rest works at the screw's own efficiency.
    d.shaftPower = WaterDensity * Gravity * d.bucketFlow * in.head * in.screwEfficiency / 1000;
    d.electricPower = d.shaftPower * in.gearEfficiency * in.generatorEfficiency;
    d.torque = d.shaftPower / (2 * pi * d.speed / 60);
    d.gearRatio = GeneratorSpeed / d.speed;
    d.overallEfficiency = d.electricPower / d.hydraulicPower;
    for (double v : {d.outerDiameter, d.pitch, d.length, d.turns, d.speed, d.turnVolume, d.hydraulicPower, d.torque,
                     d.gearRatio, d.overallEfficiency})
        if (!std::isfinite(v)) throw CalcError(ErrOverflow);

    auto& obs = d.observations;
    if (in.inclination < MinInclination || in.inclination > MaxInclination)
        obs.push_back("Inclinaison hors du domaine des vis hydrodynamiques (20 à 35 degrés)");
    if (in.head < MinHead || in.head > MaxHead)
        obs.push_back("Hauteur de chute hors du domaine des vis hydrodynamiques (1 à 10 m)");
    if (in.flow < MinFlow || in.flow > MaxFlow)
        obs.push_back("Débit hors du domaine d'une vis hydrodynamique (0,01 à 14,5 m3/s)");
    if (d.screws > 1)
        obs.push_back("Débit trop grand pour une vis de 5 m de diamètre : " + std::to_string(d.screws) +
                      " vis en parallèle de " + decimal(d.flowPerScrew, "0.###") + " m3/s chacune");
    return d;
}

}  // namespace aub

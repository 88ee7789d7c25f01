#include "economy/CashFlow.h"

#include <cmath>

#include "core/CalcError.h"

namespace aub {

namespace {

constexpr int LongestContract = 100;  // years: beyond it (1 + r)^t leaves double precision at r = −99 %
constexpr double LowestRate = -0.99, HighestRate = 10.0;

bool finite(double v) { return std::isfinite(v); }

// The rates that bound the scanned brackets: 1 % apart up to 100 %, 10 % apart beyond.
std::vector<double> upwardRates() {
    std::vector<double> r;
    for (int k = 0; k <= 100; ++k) r.push_back(0.01 * k);
    for (int k = 1; 1.0 + 0.1 * k <= HighestRate + 1e-9; ++k) r.push_back(1.0 + 0.1 * k);
    return r;
}

std::vector<double> downwardRates() {
    std::vector<double> r;
    for (int k = 0; k <= 99; ++k) r.push_back(-0.01 * k);
    return r;
}

// Bisection of presentValue on [lo, hi], whose ends have opposite signs (or a zero).
double bisect(const std::vector<double>& flows, double lo, double hi) {
    double flo = presentValue(flows, lo);
    for (int i = 0; i < 200 && hi - lo > 1e-13; ++i) {
        const double mid = 0.5 * (lo + hi);
        const double fmid = presentValue(flows, mid);
        if (fmid == 0) return mid;
        if ((fmid < 0) == (flo < 0)) {
            lo = mid;
            flo = fmid;
        } else {
            hi = mid;
        }
    }
    return 0.5 * (lo + hi);
}

}  // namespace

double presentValue(const std::vector<double>& flows, double rate) {
    double sum = 0, factor = 1;
    const double step = 1.0 / (1.0 + rate);
    for (double f : flows) {
        sum += f * factor;
        factor *= step;
    }
    return sum;
}

std::optional<double> internalRate(const std::vector<double>& flows) {
    const std::vector<double> up = upwardRates(), down = downwardRates();
    if (presentValue(flows, 0) == 0) {
        // A zero at 0 % counts only when the flows are not all zero.
        for (double f : flows)
            if (f != 0) return 0.0;
        return std::nullopt;
    }
    // The bracket nearest 0 %, looking up and down in turn.
    const std::size_t steps = std::max(up.size(), down.size());
    for (std::size_t k = 1; k < steps; ++k) {
        if (k < up.size()) {
            const double a = presentValue(flows, up[k - 1]), b = presentValue(flows, up[k]);
            if (finite(a) && finite(b) && (a < 0) != (b < 0)) return bisect(flows, up[k - 1], up[k]);
        }
        if (k < down.size()) {
            const double a = presentValue(flows, down[k]), b = presentValue(flows, down[k - 1]);
            if (finite(a) && finite(b) && (a < 0) != (b < 0)) return bisect(flows, down[k], down[k - 1]);
        }
    }
    return std::nullopt;
}

std::optional<std::string> cashFlowInputError(const CashFlowInputs& in) {
    for (double v : {in.investment, in.subsidies, in.energy, in.revenue, in.yearlyCosts, in.tariffIndexation,
                     in.costIndexation, in.discountRate})
        if (!finite(v)) return "Dépassement de capacité : une des valeurs est trop grande.";
    if (in.discountRate <= -1) return "Le taux d'actualisation doit être supérieur à -100 %.";
    if (in.tariffIndexation <= -1 || in.costIndexation <= -1)
        return "Les indexations doivent être supérieures à -100 %/an.";
    if (in.years < 1 || in.years > LongestContract)
        return "La durée du contrat doit être un nombre entier d'années, de 1 à " + std::to_string(LongestContract) +
               ".";
    return std::nullopt;
}

CashFlowResult cashFlow(const CashFlowInputs& in) {
    if (auto refused = cashFlowInputError(in)) throw CalcError(ErrBadCall, *refused);
    CashFlowResult out;
    const double net = in.investment - in.subsidies;
    const double step = 1.0 / (1.0 + in.discountRate);
    std::vector<double> flows;
    CashFlowYear y0;
    y0.flow = -net;
    y0.cumulative = y0.flow;
    y0.discounted = y0.flow;
    y0.cumulativeDiscounted = y0.flow;
    out.years.push_back(y0);
    flows.push_back(y0.flow);
    double tariffGrowth = 1, costGrowth = 1, discount = 1;
    double discountedCosts = 0, discountedEnergy = 0;
    for (int t = 1; t <= in.years; ++t) {
        discount *= step;
        CashFlowYear y;
        y.year = t;
        y.revenue = in.revenue * tariffGrowth;
        y.costs = in.yearlyCosts * costGrowth;
        y.flow = y.revenue - y.costs;
        y.cumulative = out.years.back().cumulative + y.flow;
        y.discounted = y.flow * discount;
        y.cumulativeDiscounted = out.years.back().cumulativeDiscounted + y.discounted;
        discountedCosts += y.costs * discount;
        discountedEnergy += in.energy * discount;
        out.years.push_back(y);
        flows.push_back(y.flow);
        tariffGrowth *= 1 + in.tariffIndexation;
        costGrowth *= 1 + in.costIndexation;
    }
    out.npv = out.years.back().cumulativeDiscounted;
    if (!finite(out.npv))
        throw CalcError(ErrOverflow, "Dépassement de capacité : la valeur actuelle nette est trop grande.");

    out.irr = internalRate(flows);
    if (!out.irr)
        out.irrNote =
            "Pas de taux de rentabilité interne : la somme actualisée des flux ne change de signe pour aucun taux "
            "de -99 % à 1000 %.";

    if (net <= 0) {
        out.payback = 0.0;
    } else {
        for (std::size_t t = 1; t < out.years.size(); ++t) {
            const CashFlowYear& before = out.years[t - 1];
            const CashFlowYear& now = out.years[t];
            if (before.cumulative < 0 && now.cumulative >= 0) {
                out.payback = static_cast<double>(t - 1) + (-before.cumulative) / now.flow;
                break;
            }
        }
    }
    if (in.energy > 0 && discountedEnergy > 0) out.levelisedCost = (net + discountedCosts) / discountedEnergy;
    return out;
}

}  // namespace aub

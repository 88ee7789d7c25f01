#pragma once
// The cash flow of a site over its contract, in euros and double precision.
//
// Year 0 carries the investment net of subsidies, −(I − S). Year t = 1 … N carries
//   F_t = R · (1 + a)^(t−1) − C · (1 + b)^(t−1)
// with R the first year's revenue (energy sold × price), C the first year's yearly
// costs, a the tariff indexation and b the cost indexation (fractions per year).
//
//   net present value   NPV(r) = Σ_{t=0..N} F_t / (1 + r)^t, r > −1;
//   internal rate       the r that makes NPV(r) = 0, found by bisection inside a bracket
//                       where NPV changes sign (none when the flows never change sign);
//   simple payback      the year where the undiscounted cumulative flow crosses zero,
//                       interpolated linearly within that year's flow;
//   levelised cost      LCOE = ((I − S) + Σ C_t / (1 + r)^t) / Σ E / (1 + r)^t,
//                       the energy E the same every year, in €/kWh.
#include <optional>
#include <string>
#include <vector>

namespace aub {

struct CashFlowInputs {
    double investment = 0;        // I, €
    double subsidies = 0;         // S, €
    double energy = 0;            // E, kWh sold each year
    double revenue = 0;           // R, € in year 1
    double yearlyCosts = 0;       // C, € in year 1
    double tariffIndexation = 0;  // a, fraction per year
    double costIndexation = 0;    // b, fraction per year
    double discountRate = 0;      // r, fraction per year
    int years = 20;               // N
};

struct CashFlowYear {
    int year = 0;
    double revenue = 0;     // €
    double costs = 0;       // €
    double flow = 0;        // €, revenue − costs (year 0: −(I − S))
    double cumulative = 0;  // €, undiscounted
    double discounted = 0;  // €, flow / (1 + r)^t
    double cumulativeDiscounted = 0;
};

struct CashFlowResult {
    std::vector<CashFlowYear> years;      // 0 … N
    double npv = 0;                       // €
    std::optional<double> irr;            // fraction per year
    std::string irrNote;                  // why there is none, in French
    std::optional<double> payback;        // years
    std::optional<double> levelisedCost;  // €/kWh (none without energy)
};

// The French refusal of inputs that have no cash flow (a rate at or below −100 %, no
// year, a figure that is not finite), or nothing when they are sound.
std::optional<std::string> cashFlowInputError(const CashFlowInputs& in);

// Throws CalcError (its French text) for the inputs cashFlowInputError refuses.
CashFlowResult cashFlow(const CashFlowInputs& in);

// Σ flows[t] / (1 + rate)^t, rate > −1.
double presentValue(const std::vector<double>& flows, double rate);

// The rate that makes presentValue zero, by bisection in the first bracket found
// between −99 % and 1000 % per year, scanning outwards from 0 %; nothing when the
// present value keeps one sign over that range.
std::optional<double> internalRate(const std::vector<double>& flows);

}  // namespace aub

#pragma once
// The net present value of the site for each design flow of the annual energy's sweep.
//
// At a design flow q the installed power is P·q/Qd (the gross power 9.81·q·Hb grows with
// q), the investment I·(q/Qd)^b (InvestmentCost.h), the subsidies and the yearly costs in
// the same proportion as the investment, the energy that of the sweep, the price that of
// the sale at that power (none above the purchase obligation's ceiling).
#include <functional>
#include <optional>
#include <vector>

#include "economy/CashFlow.h"
#include "energy/AnnualEnergy.h"

namespace aub {

struct EconomicPoint {
    double designFlow = 0;      // m3/s
    double powerKw = 0;         // kW
    double annualEnergy = 0;    // kWh/yr
    std::optional<double> npv;  // €, none where the energy cannot be sold at that power
};

struct EconomicSweep {
    std::vector<EconomicPoint> points;
    int best = -1;        // the largest net present value
    int mostEnergy = -1;  // the largest energy
};

// `base` holds the site at its design flow `designFlow` and power `powerKw` (both > 0);
// `price(P)` gives €/kWh at an installed power P, or nothing.
EconomicSweep economicSweep(const std::vector<SweepPoint>& sweep, double designFlow, double powerKw,
                            const CashFlowInputs& base, double exponent,
                            const std::function<std::optional<double>(double powerKw)>& price);

}  // namespace aub

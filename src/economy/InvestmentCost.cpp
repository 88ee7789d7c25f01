#include "economy/InvestmentCost.h"

#include <cmath>

#include "core/CalcError.h"

namespace aub {

InvestmentItems investmentShares(const MachineType& type) {
    // Program's indicative split (see the header): a wheel is a larger share of the
    // works than a turbine, its channel and pit a smaller one.
    if (isWheel(type)) return {0.10, 0.35, 0.35, 0.10, 0.06, 0.04};
    return {0.10, 0.40, 0.25, 0.12, 0.08, 0.05};
}

InvestmentItems investmentEstimate(const MachineType& type, double powerKw, double specificCost) {
    InvestmentItems items = investmentShares(type);
    const double total = powerKw * specificCost;
    for (double& v : items) v *= total;
    return items;
}

double scaledInvestment(double investment, double powerKw, double otherPowerKw, double exponent) {
    if (!(powerKw > 0)) throw CalcError(ErrDivByZero);
    if (otherPowerKw <= 0) return 0;
    return investment * std::pow(otherPowerKw / powerKw, exponent);
}

}  // namespace aub

#include "economy/InvestmentCost.h"

#include <cmath>

#include "core/CalcError.h"

namespace aub {

InvestmentItems investmentShares(MachineType type) {
    // Program's indicative split (see the header): a wheel is a larger share of the
    // works than a turbine, its channel and pit a smaller one.
    if (isWheel(type)) return {0.10, 0.35, 0.35, 0.10, 0.06, 0.04};
    return {0.10, 0.40, 0.25, 0.12, 0.08, 0.05};
}

std::optional<TurbineCostEstimate> publishedMachineCost(MachineType type, double powerKw, double headM,
                                                        double designFlow) {
    if (!(powerKw > 0) || !(headM > 0) || !(designFlow > 0)) return std::nullopt;
    TurbineCostEstimate c;
    double pounds = 0;
    if (type == MachineType::Kaplan) {
        if (designFlow <= 5) {
            pounds = 3500 * std::pow(powerKw, 0.68);
            c.law = "Kaplan, 3 500·P^0,68 £ (Q jusqu'à 5 m3/s)";
        } else {
            pounds = 14000 * std::pow(powerKw, 0.35);
            c.law = "Kaplan, 14 000·P^0,35 £ (Q de 5 à 30 m3/s)";
        }
    } else if (type == MachineType::Francis) {
        const double x = powerKw / std::sqrt(headM);
        if (designFlow <= 2.5) {
            pounds = 122000 * std::pow(x, 0.07);
            c.law = "Francis, 122 000·(P/H^0,5)^0,07 £ (Q jusqu'à 2,5 m3/s)";
        } else if (designFlow <= 10) {
            pounds = 223000 * std::pow(x, 0.11);
            c.law = "Francis, 223 000·(P/H^0,5)^0,11 £ (Q de 2,5 à 10 m3/s)";
        } else {
            pounds = 16500 * std::pow(x, 0.52);
            c.law = "Francis, 16 500·(P/H^0,5)^0,52 £ (Q au-delà de 10 m3/s)";
        }
    } else if (type == MachineType::Pelton) {
        pounds = 2600 * std::pow(powerKw, 0.54);
        c.law = "Pelton, 2 600·P^0,54 £";
    } else {
        return std::nullopt;
    }
    c.euros = pounds / PoundsPerEuro2008;
    c.belowRange = designFlow < 0.5;
    return c;
}

InvestmentItems investmentEstimate(MachineType type, double powerKw, double specificCost,
                                   const std::optional<TurbineCostEstimate>& machine) {
    InvestmentItems items = investmentShares(type);
    const double total = powerKw * specificCost;
    for (double& v : items) v *= total;
    if (machine) items[MachineItem] = machine->euros;
    return items;
}

double scaledInvestment(double investment, double powerKw, double otherPowerKw, double exponent) {
    if (!(powerKw > 0)) throw CalcError(ErrDivByZero);
    if (otherPowerKw <= 0) return 0;
    return investment * std::pow(otherPowerKw / powerKw, exponent);
}

}  // namespace aub

#include "economy/EconomicSweep.h"

#include "core/CalcError.h"
#include "economy/InvestmentCost.h"

namespace aub {

EconomicSweep economicSweep(const std::vector<SweepPoint>& sweep, double designFlow, double powerKw,
                            const CashFlowInputs& base, double exponent,
                            const std::function<std::optional<double>(double powerKw)>& price) {
    if (!(designFlow > 0) || !(powerKw > 0)) throw CalcError(ErrDivByZero);
    EconomicSweep out;
    for (const SweepPoint& s : sweep) {
        EconomicPoint p;
        p.designFlow = s.designFlow;
        p.powerKw = powerKw * s.designFlow / designFlow;
        p.annualEnergy = s.annualEnergy;
        if (const auto perKwh = price(p.powerKw)) {
            CashFlowInputs in = base;
            in.investment = scaledInvestment(base.investment, powerKw, p.powerKw, exponent);
            const double ratio = base.investment > 0 ? in.investment / base.investment : 1.0;
            in.subsidies = base.subsidies * ratio;
            in.yearlyCosts = base.yearlyCosts * ratio;
            in.energy = s.annualEnergy;
            in.revenue = s.annualEnergy * *perKwh;
            p.npv = cashFlow(in).npv;
        }
        out.points.push_back(p);
        const int i = static_cast<int>(out.points.size()) - 1;
        if (out.mostEnergy < 0 || p.annualEnergy > out.points[static_cast<std::size_t>(out.mostEnergy)].annualEnergy)
            out.mostEnergy = i;
        if (p.npv && (out.best < 0 || *p.npv > *out.points[static_cast<std::size_t>(out.best)].npv)) out.best = i;
    }
    return out;
}

}  // namespace aub

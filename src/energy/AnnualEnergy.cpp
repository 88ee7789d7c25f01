#include "energy/AnnualEnergy.h"

#include <algorithm>
#include <cmath>

namespace aub {

namespace {

constexpr double Gravity = 9.81;
constexpr double HoursPerYear = 8760;
constexpr int GridSteps = 1000;  // p = 0, 0.1 ... 100 %

}  // namespace

double efficiencyAt(const std::array<double, 10>& table, double x) {
    if (!(x > 0)) return 0.0;
    if (x >= 1.0) return table[9];
    const double pos = x * 10.0;  // 0..10
    const int i = static_cast<int>(std::floor(pos));
    const double lo = i == 0 ? 0.0 : table[i - 1];
    const double hi = table[i];
    return lo + (hi - lo) * (pos - i);
}

double turbinedFlow(const SiteMachine& m, double riverFlow) {
    const double available = std::max(0.0, riverFlow - m.reservedFlow);
    const double qt = std::min(available, m.designFlow);
    if (qt <= 0 || qt < m.minimumFlowPercent / 100.0 * m.designFlow) return 0.0;
    return qt;
}

double powerAtTurbinedFlow(const SiteMachine& m, double qt) {
    if (!(qt > 0) || !(m.designFlow > 0)) return 0.0;
    const double x = qt / m.designFlow;
    const double hn = m.grossHead - m.headLoss * x * x;
    if (hn <= 0) return 0.0;
    return Gravity * qt * hn * efficiencyAt(m.efficiency, x) * m.driveEfficiency;
}

double electricPower(const SiteMachine& m, double riverFlow) {
    return powerAtTurbinedFlow(m, turbinedFlow(m, riverFlow));
}

double curveFlow(const std::vector<DurationPoint>& curve, double p) {
    if (curve.empty()) return 0.0;
    if (p <= curve.front().percent) return curve.front().flow;
    if (p >= curve.back().percent) return curve.back().flow;
    const auto hi =
        std::upper_bound(curve.begin(), curve.end(), p, [](double v, const DurationPoint& d) { return v < d.percent; });
    const auto lo = hi - 1;
    const double t = (p - lo->percent) / (hi->percent - lo->percent);
    return lo->flow + (hi->flow - lo->flow) * t;
}

std::vector<double> standardPercents() {
    std::vector<double> p = {0, 1, 2};
    for (int k = 5; k <= 95; k += 5) p.push_back(k);
    p.insert(p.end(), {98, 99, 100});
    return p;
}

FlowRegime FlowRegime::fromCurve(std::vector<DurationPoint> curve) {
    FlowRegime r;
    r.curve_ = std::move(curve);
    r.flows_.resize(GridSteps + 1);
    for (int i = 0; i <= GridSteps; ++i) r.flows_[i] = curveFlow(r.curve_, 100.0 * i / GridSteps);
    return r;
}

FlowRegime FlowRegime::fromRecord(std::vector<double> dailyFlows) {
    FlowRegime r;
    r.record_ = true;
    r.flows_ = std::move(dailyFlows);
    r.sorted_ = r.flows_;
    std::sort(r.sorted_.begin(), r.sorted_.end(), std::greater<>());
    return r;
}

double FlowRegime::mean(const std::function<double(double)>& f) const {
    if (flows_.empty()) return 0.0;
    double sum = 0;
    if (record_) {
        for (double q : flows_) sum += f(q);
        return sum / static_cast<double>(flows_.size());
    }
    // Trapezoid rule on the grid: half weight at both ends.
    for (std::size_t i = 0; i < flows_.size(); ++i) {
        const double w = (i == 0 || i + 1 == flows_.size()) ? 0.5 : 1.0;
        sum += w * f(flows_[i]);
    }
    return sum / GridSteps;
}

double FlowRegime::meanFlow() const {
    return mean([](double q) { return q; });
}

double FlowRegime::largestFlow() const {
    if (flows_.empty()) return 0.0;
    return *std::max_element(flows_.begin(), flows_.end());
}

double FlowRegime::exceededFlow(double p) const {
    if (!record_) return curveFlow(curve_, p);
    if (sorted_.empty()) return 0.0;
    // Day k of n (by decreasing flow) stands at p = 100·k/(n − 1).
    if (sorted_.size() == 1) return sorted_.front();
    const double pos = std::clamp(p, 0.0, 100.0) / 100.0 * static_cast<double>(sorted_.size() - 1);
    const std::size_t i = std::min(static_cast<std::size_t>(std::floor(pos)), sorted_.size() - 2);
    return sorted_[i] + (sorted_[i + 1] - sorted_[i]) * (pos - static_cast<double>(i));
}

EnergyResult annualEnergy(const FlowRegime& regime, const SiteMachine& m, double module) {
    EnergyResult r;
    r.module = module;
    r.reservedFlow = m.reservedFlow;
    r.grossPowerMax = Gravity * m.designFlow * m.grossHead;
    for (int i = 1; i <= GridSteps; ++i) {
        const double qt = m.designFlow * i / GridSteps;
        if (qt < m.minimumFlowPercent / 100.0 * m.designFlow) continue;
        r.electricPowerMax = std::max(r.electricPowerMax, powerAtTurbinedFlow(m, qt));
    }
    r.meanPower = regime.mean([&m](double q) { return electricPower(m, q); });
    r.annualEnergy = HoursPerYear * r.meanPower;
    if (r.electricPowerMax > 0) {
        r.loadFactor = 100.0 * r.meanPower / r.electricPowerMax;
        r.fullPowerHours = r.annualEnergy / r.electricPowerMax;
    }
    r.operatingDays = 365.0 * regime.mean([&m](double q) { return turbinedFlow(m, q) > 0 ? 1.0 : 0.0; });
    return r;
}

DesignFlowSweep designFlowSweep(const FlowRegime& regime, const SiteMachine& m, double module,
                                const std::function<std::array<double, 10>(double)>& efficiencyFor) {
    constexpr int Points = 60;
    DesignFlowSweep sweep;
    if (!(module > 0)) return sweep;
    double bestEnergy = -1;
    for (int i = 0; i < Points; ++i) {
        SiteMachine trial = m;
        trial.designFlow = module * (0.1 + 2.9 * i / (Points - 1));
        trial.efficiency = efficiencyFor(trial.designFlow);
        const double energy = HoursPerYear * regime.mean([&trial](double q) { return electricPower(trial, q); });
        sweep.points.push_back({trial.designFlow, energy});
        if (energy > bestEnergy) {
            bestEnergy = energy;
            sweep.best = i;
        }
    }
    return sweep;
}

EnergyCharts energyCharts(const FlowRegime& regime, const SiteMachine& m, DesignFlowSweep sweep) {
    EnergyCharts c;
    c.reservedFlow = m.reservedFlow;
    c.designFlow = m.designFlow;
    constexpr int Steps = 200;  // every 0.5 %
    for (int i = 0; i <= Steps; ++i) {
        const double p = 100.0 * i / Steps;
        const double q = regime.exceededFlow(p);
        const double qt = turbinedFlow(m, q);
        c.durationCurve.push_back({p, q});
        c.bandLow.push_back({p, std::min(q, m.reservedFlow)});
        c.bandHigh.push_back({p, std::min(q, m.reservedFlow) + qt});
        c.powerCurve.push_back({p, powerAtTurbinedFlow(m, qt)});
    }
    c.sweep = std::move(sweep);
    return c;
}

}  // namespace aub

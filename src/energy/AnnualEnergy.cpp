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

namespace {

// The power of k of the N machines taking together the flow q (no stop-flow check).
double runPower(const SiteMachine& m, double q, int k, double floodLoss) {
    if (!(q > 0) || !(m.designFlow > 0)) return 0.0;
    const double x = q / m.designFlow;
    const double hn = m.grossHead - m.headLoss * x * x - floodLoss;
    if (hn <= 0) return 0.0;
    // Each machine at its own fraction of Qd/N; with all N running it is Qt/Qd.
    const int n = std::max(1, m.machines);
    const double own = k == n ? x : (q / k) / (m.designFlow / n);
    return Gravity * q * hn * efficiencyAt(m.efficiency, own) * m.driveEfficiency;
}

// The best number of machines for the flow available.
PlantPoint bestRun(const SiteMachine& m, double available, double floodLoss) {
    PlantPoint best;
    const int n = std::max(1, m.machines);
    const double unit = m.designFlow / n;
    const double stop = m.minimumFlowPercent / 100.0 * unit;
    for (int k = 1; k <= n; ++k) {
        const double q = std::min(available, k == n ? m.designFlow : k * unit);
        if (q <= 0 || q / k < stop) continue;
        const double p = runPower(m, q, k, floodLoss);
        if (best.running == 0 || p > best.power) best = {q, p, k};
    }
    return best;
}

constexpr int MonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

}  // namespace

double floodHeadReduction(const SiteMachine& m, double q) {
    if (!(m.floodHeadLoss > 0) || !(m.floodFlow > m.designFlow) || !(q > m.designFlow)) return 0.0;
    return m.floodHeadLoss * (q - m.designFlow) / (m.floodFlow - m.designFlow);
}

PlantPoint plantAt(const SiteMachine& m, double riverFlow, double reservedFlow) {
    const double available = std::max(0.0, riverFlow - reservedFlow);
    return bestRun(m, available, floodHeadReduction(m, riverFlow));
}

double meanReservedFlow(const SiteMachine& m) {
    if (!m.reservedByMonth) return m.reservedFlow;
    double sum = 0;
    for (std::size_t i = 0; i < 12; ++i) sum += MonthDays[i] * m.monthlyReserved[i];
    return sum / 365.0;
}

double transpositionRatio(double stationArea, double siteArea, double exponent) {
    if (!(stationArea > 0) || !(siteArea > 0)) return 1.0;
    return std::pow(siteArea / stationArea, exponent);
}

double turbinedFlow(const SiteMachine& m, double riverFlow) { return plantAt(m, riverFlow, m.reservedFlow).turbined; }

double powerAtTurbinedFlow(const SiteMachine& m, double qt) {
    if (std::max(1, m.machines) == 1) return runPower(m, qt, 1, 0.0);
    return bestRun(m, qt, 0.0).power;
}

double electricPower(const SiteMachine& m, double riverFlow) { return plantAt(m, riverFlow, m.reservedFlow).power; }

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

FlowRegime FlowRegime::fromDatedRecord(const std::vector<RecordDay>& days) {
    std::vector<double> flows;
    flows.reserve(days.size());
    for (const RecordDay& d : days) flows.push_back(d.flow);
    FlowRegime r = fromRecord(std::move(flows));
    r.days_.reserve(days.size());
    r.months_.reserve(days.size());
    int year = 0;
    for (std::size_t i = 0; i < days.size(); ++i) {
        const CivilDay c = civilDay(days[i].day);
        r.days_.push_back(days[i].day);
        r.months_.push_back(static_cast<unsigned char>(c.month - 1));
        if (i == 0 || c.year != year) {
            year = c.year;
            r.yearStarts_.push_back(i);
            r.leapYears_.push_back((year % 4 == 0 && year % 100 != 0) || year % 400 == 0);
        }
    }
    r.yearStarts_.push_back(days.size());
    return r;
}

double FlowRegime::weight(std::size_t i) const {
    if (record_) return 1.0;
    return (i == 0 || i + 1 == flows_.size()) ? 0.5 : 1.0;
}

double FlowRegime::meanOf(const std::vector<double>& values) const {
    if (values.empty()) return 0.0;
    double sum = 0;
    if (record_) {
        for (double v : values) sum += v;
        return sum / static_cast<double>(values.size());
    }
    for (std::size_t i = 0; i < values.size(); ++i) sum += weight(i) * values[i];
    return sum / GridSteps;
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

namespace {

// Takes `share` of the total weight from the samples of [first, last) that produce least
// (those not turning first among equals): what is left of each is kept.
void takeLowest(const FlowRegime& regime, PlantSamples& s, std::size_t first, std::size_t last, double share) {
    double total = 0;
    for (std::size_t i = first; i < last; ++i) total += regime.weight(i);
    double left = share * total;
    if (!(left > 0)) return;
    std::vector<std::size_t> order(last - first);
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = first + i;
    auto lower = [&s](std::size_t a, std::size_t b) {
        if (s.power[a] != s.power[b]) return s.power[a] < s.power[b];
        if (s.running[a] != s.running[b]) return s.running[a] < s.running[b];
        return a < b;
    };
    // Only as many as the downtime reaches need to be in order.
    std::size_t needed = order.size();
    if (regime.isRecord()) needed = std::min(order.size(), static_cast<std::size_t>(std::ceil(left)) + 1);
    std::partial_sort(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(needed), order.end(), lower);
    for (std::size_t j = 0; j < needed && left > 0; ++j) {
        const std::size_t i = order[j];
        const double w = regime.weight(i);
        const double take = std::min(w, left);
        const double keep = (w - take) / w;
        s.power[i] *= keep;
        s.running[i] *= keep;
        left -= take;
    }
}

}  // namespace

PlantSamples plantSamples(const FlowRegime& regime, const SiteMachine& m) {
    PlantSamples s;
    const std::vector<double>& flows = regime.flows();
    s.power.resize(flows.size());
    s.running.resize(flows.size());
    if (regime.isDated() && m.reservedByMonth) {
        for (std::size_t i = 0; i < flows.size(); ++i) {
            const PlantPoint p = plantAt(m, flows[i], m.monthlyReserved[regime.months()[i]]);
            s.power[i] = p.power;
            s.running[i] = p.running > 0 ? 1.0 : 0.0;
        }
    } else if (m.reservedByMonth) {
        for (std::size_t i = 0; i < flows.size(); ++i) {
            double power = 0, running = 0;
            for (std::size_t k = 0; k < 12; ++k) {
                const PlantPoint p = plantAt(m, flows[i], m.monthlyReserved[k]);
                power += MonthDays[k] * p.power;
                running += p.running > 0 ? MonthDays[k] : 0;
            }
            s.power[i] = power / 365.0;
            s.running[i] = running / 365.0;
        }
    } else {
        for (std::size_t i = 0; i < flows.size(); ++i) {
            const PlantPoint p = plantAt(m, flows[i], m.reservedFlow);
            s.power[i] = p.power;
            s.running[i] = p.running > 0 ? 1.0 : 0.0;
        }
    }
    if (m.downtimeDays > 0) {
        if (regime.isDated()) {
            // Each calendar year loses its share of the downtime.
            const std::vector<std::size_t>& starts = regime.yearStarts();
            for (std::size_t y = 0; y + 1 < starts.size(); ++y)
                takeLowest(regime, s, starts[y], starts[y + 1],
                           m.downtimeDays / (regime.leapYears()[y] ? 366.0 : 365.0));
        } else {
            takeLowest(regime, s, 0, flows.size(), m.downtimeDays / 365.0);
        }
    }
    if (m.availability != 1.0)
        for (std::size_t i = 0; i < flows.size(); ++i) {
            s.power[i] *= m.availability;
            s.running[i] *= m.availability;
        }
    return s;
}

EnergyResult annualEnergy(const FlowRegime& regime, const SiteMachine& m, double module) {
    return annualEnergy(regime, m, module, plantSamples(regime, m));
}

EnergyResult annualEnergy(const FlowRegime& regime, const SiteMachine& m, double module, const PlantSamples& samples) {
    EnergyResult r;
    r.module = module;
    r.reservedFlow = meanReservedFlow(m);
    r.grossPowerMax = Gravity * m.designFlow * m.grossHead;
    const double stop = m.minimumFlowPercent / 100.0 * m.designFlow / std::max(1, m.machines);
    for (int i = 1; i <= GridSteps; ++i) {
        const double qt = m.designFlow * i / GridSteps;
        if (qt < stop) continue;
        r.electricPowerMax = std::max(r.electricPowerMax, powerAtTurbinedFlow(m, qt));
    }
    r.meanPower = regime.meanOf(samples.power);
    r.annualEnergy = HoursPerYear * r.meanPower;
    if (r.electricPowerMax > 0) {
        r.loadFactor = 100.0 * r.meanPower / r.electricPowerMax;
        r.fullPowerHours = r.annualEnergy / r.electricPowerMax;
    }
    r.operatingDays = 365.0 * regime.meanOf(samples.running);
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
        const double energy = HoursPerYear * regime.meanOf(plantSamples(regime, trial).power);
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
    c.reservedFlow = meanReservedFlow(m);
    c.designFlow = m.designFlow;
    c.reservedByMonth = m.reservedByMonth;
    c.monthlyReserved = m.monthlyReserved;
    constexpr int Steps = 200;  // every 0.5 %
    for (int i = 0; i <= Steps; ++i) {
        const double p = 100.0 * i / Steps;
        const double q = regime.exceededFlow(p);
        // With a reserved flow by month, the months' mean at that flow.
        double low = 0, qt = 0, power = 0;
        if (m.reservedByMonth) {
            for (std::size_t k = 0; k < 12; ++k) {
                const PlantPoint pt = plantAt(m, q, m.monthlyReserved[k]);
                low += MonthDays[k] * std::min(q, m.monthlyReserved[k]);
                qt += MonthDays[k] * pt.turbined;
                power += MonthDays[k] * pt.power;
            }
            low /= 365.0, qt /= 365.0, power /= 365.0;
        } else {
            const PlantPoint pt = plantAt(m, q, m.reservedFlow);
            low = std::min(q, m.reservedFlow);
            qt = pt.turbined;
            power = pt.power;
        }
        c.durationCurve.push_back({p, q});
        c.bandLow.push_back({p, low});
        c.bandHigh.push_back({p, low + qt});
        c.powerCurve.push_back({p, power});
    }
    c.sweep = std::move(sweep);
    return c;
}

std::vector<ChartPoint> reservedDurationSteps(const EnergyCharts& c, double offset) {
    if (!c.reservedByMonth) return {{0, c.reservedFlow + offset}, {100, c.reservedFlow + offset}};
    std::array<std::size_t, 12> order{};
    for (std::size_t i = 0; i < 12; ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return c.monthlyReserved[a] > c.monthlyReserved[b]; });
    std::vector<ChartPoint> out;
    int days = 0;
    for (std::size_t k : order) {
        const double q = c.monthlyReserved[k] + offset;
        out.push_back({100.0 * days / 365.0, q});
        days += MonthDays[k];
        out.push_back({100.0 * days / 365.0, q});
    }
    return out;
}

std::vector<ChartPoint> reservedDateSteps(const EnergyCharts& c, int firstDay, int lastDay, double offset) {
    std::vector<ChartPoint> out;
    if (lastDay < firstDay) return out;
    if (!c.reservedByMonth) {
        out.push_back({static_cast<double>(firstDay), c.reservedFlow + offset});
        out.push_back({static_cast<double>(lastDay + 1), c.reservedFlow + offset});
        return out;
    }
    CivilDay at = civilDay(firstDay);
    int start = firstDay;
    while (start <= lastDay) {
        const unsigned nextMonth = at.month == 12 ? 1 : at.month + 1;
        const int nextYear = at.month == 12 ? at.year + 1 : at.year;
        const int end = std::min(dayNumber(nextYear, nextMonth, 1), lastDay + 1);
        const double q = c.monthlyReserved[at.month - 1] + offset;
        out.push_back({static_cast<double>(start), q});
        out.push_back({static_cast<double>(end), q});
        start = end;
        at = {nextYear, nextMonth, 1};
    }
    return out;
}

}  // namespace aub

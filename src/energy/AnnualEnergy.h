#pragma once
// Annual energy of a run-of-river site for one machine, in double precision.
//
// For a river flow Q (m3/s): available Qa = max(0, Q − Qr), turbined Qt = min(Qa, Qd),
// and 0 when Qt < Qmin; net head Hn = Hb − hL·(Qt/Qd)²; electric power
// P = 9.81·Qt·Hn·η(Qt/Qd)·ηtg kW, 0 where Hn <= 0. η is read linearly in the table
// of ten efficiencies at 10 % ... 100 % of Qd, and between 0 and the 10 % value below it.
//
// The year's flows come either from a flow-duration curve (points of exceedance
// percentage and flow, read linearly between points and constant beyond the first and
// the last), averaged by the trapezoid rule on p = 0, 0.1, ... 100 %, or from a daily
// record, averaged over its days.
#include <array>
#include <functional>
#include <string>
#include <vector>
#include "forms/Chart.h"

namespace aub {

struct DurationPoint {
    double percent = 0;  // exceedance, 0..100
    double flow = 0;     // m3/s
};

struct SiteMachine {
    double grossHead = 0;                 // Hb, m
    double headLoss = 0;                  // hL at the design flow, m
    double designFlow = 0;                // Qd, m3/s
    double reservedFlow = 0;              // Qr, m3/s
    std::array<double, 10> efficiency{};  // at 10 % ... 100 % of Qd, 0..1
    double minimumFlowPercent = 0;        // Qmin, % of Qd
    double driveEfficiency = 1;           // transmission and generator, 0..1
};

// η at a fraction x of the design flow (0..1).
double efficiencyAt(const std::array<double, 10>& table, double fraction);
// Qt for a river flow.
double turbinedFlow(const SiteMachine& m, double riverFlow);
// P (kW) for a turbined flow, and for a river flow.
double powerAtTurbinedFlow(const SiteMachine& m, double qt);
double electricPower(const SiteMachine& m, double riverFlow);

// The year's flows.
class FlowRegime {
public:
    static FlowRegime fromCurve(std::vector<DurationPoint> curve);  // points by growing percent
    static FlowRegime fromRecord(std::vector<double> dailyFlows);   // at least one day

    bool isRecord() const { return record_; }
    std::size_t days() const { return flows_.size(); }
    double meanFlow() const;
    double largestFlow() const;
    // The flow exceeded `percent` % of the time.
    double exceededFlow(double percent) const;
    // Mean over the year of f(Q).
    double mean(const std::function<double(double)>& f) const;

private:
    bool record_ = false;
    std::vector<DurationPoint> curve_;
    std::vector<double> flows_;   // record: the days; curve: Q at p = 0, 0.1 ... 100 %
    std::vector<double> sorted_;  // record: flows by decreasing value
};

// Q(p) of a curve.
double curveFlow(const std::vector<DurationPoint>& curve, double percent);

// The exceedance percentages shown for a record: 0, 1, 2, 5, 10, 15 ... 95, 98, 99, 100.
std::vector<double> standardPercents();

struct EnergyResult {
    double module = 0;            // m3/s
    double reservedFlow = 0;      // m3/s
    double grossPowerMax = 0;     // 9.81·Qd·Hb, kW
    double electricPowerMax = 0;  // largest P over 0 < Qt <= Qd, kW
    double meanPower = 0;         // kW
    double annualEnergy = 0;      // 8760 × mean power, kWh/yr
    double loadFactor = 0;        // mean / maximum electric power, %
    double fullPowerHours = 0;    // h/yr
    double operatingDays = 0;     // share of the year with Qt > 0, × 365
};

// `m.reservedFlow` is the one used; `module` the one shown (typed or the mean flow).
EnergyResult annualEnergy(const FlowRegime& regime, const SiteMachine& m, double module);

// Energy for 60 design flows from 0.1 to 3 × module; `efficiencyFor(qd)` gives the
// table to use at each design flow. `best` is the index of the largest energy.
struct SweepPoint {
    double designFlow = 0;
    double annualEnergy = 0;
};
struct DesignFlowSweep {
    std::vector<SweepPoint> points;
    int best = -1;
};
DesignFlowSweep designFlowSweep(const FlowRegime& regime, const SiteMachine& m, double module,
                                const std::function<std::array<double, 10>(double)>& efficiencyFor);

// Data of the three charts of the window (points as the chart control holds them).
struct EnergyCharts {
    // Flow-duration curve: % of time, m3/s; the turbined band from Qr to Qr + Qt.
    std::vector<ChartPoint> durationCurve, bandLow, bandHigh;
    double reservedFlow = 0, designFlow = 0;
    // Power against % of time, kW.
    std::vector<ChartPoint> powerCurve;
    // Energy against design flow, m3/s and kWh/yr; the present design flow marked.
    DesignFlowSweep sweep;
};
EnergyCharts energyCharts(const FlowRegime& regime, const SiteMachine& m, DesignFlowSweep sweep);

}  // namespace aub

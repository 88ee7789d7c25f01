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
//
// The plant as it runs (every default leaves the figures of a single machine as above):
// - Reserved flow by month: the month's value replaces Qr day by day for a dated record;
//   a curve or an undated record has no months, so each month's value is applied to the
//   whole year's flows and weighted by its length (31, 28, 31 ... of 365 days).
// - Several machines: N identical machines share Qd, each of design flow Qd/N and stop
//   flow Qmin % of Qd/N, its efficiency read at its own fraction of Qd/N. At each river
//   flow the number k of machines running (1 to N) is the one giving the most power,
//   the fewest at equal power: k machines take min(Qa, k·Qd/N) shared equally, and each
//   must stay at or above its stop flow. So the machines start one after another as the
//   flow rises. The head loss hL·(Qt/Qd)² is that of the shared water way.
// - Flood head: the tail water rises in floods; the head lost is ΔHc·(Q − Qd)/(Qc − Qd)
//   for a river flow Q above Qd, ΔHc being the loss at the flood flow Qc (straight line
//   beyond Qc too); none below Qd.
// - Downtime: D days a year out of service are taken from the days (or parts of the
//   curve) that produce least — for a dated record D·n/(days of the year) days of each
//   calendar year of n days read, otherwise the share D/365 of the year; then the
//   availability A (0..1) scales what remains (the outages that strike at any time).
#include <array>
#include <functional>
#include <string>
#include <vector>
#include "energy/DatedRecord.h"
#include "forms/Chart.h"

namespace aub {

struct DurationPoint {
    double percent = 0;  // exceedance, 0..100
    double flow = 0;     // m3/s
};

struct SiteMachine {
    double grossHead = 0;                      // Hb, m
    double headLoss = 0;                       // hL at the design flow, m
    double designFlow = 0;                     // Qd, m3/s
    double reservedFlow = 0;                   // Qr, m3/s
    std::array<double, 10> efficiency{};       // at 10 % ... 100 % of Qd, 0..1
    double minimumFlowPercent = 0;             // Qmin, % of Qd
    double driveEfficiency = 1;                // transmission and generator, 0..1
    int machines = 1;                          // N identical machines sharing Qd, 1..4
    double floodHeadLoss = 0;                  // ΔHc, m, at the river flow floodFlow; 0: none
    double floodFlow = 0;                      // Qc, m3/s, above Qd
    bool reservedByMonth = false;              // monthlyReserved replaces reservedFlow
    std::array<double, 12> monthlyReserved{};  // m3/s, January first
    double downtimeDays = 0;                   // D, days per year, 0..365
    double availability = 1;                   // A, 0..1
};

// The machines running at a river flow, their flow and power.
struct PlantPoint {
    double turbined = 0;  // Qt, m3/s
    double power = 0;     // kW
    int running = 0;      // machines turning
};

// ΔH lost to the tail water at a river flow, m.
double floodHeadReduction(const SiteMachine& m, double riverFlow);
// The plant at a river flow with a given reserved flow.
PlantPoint plantAt(const SiteMachine& m, double riverFlow, double reservedFlow);
// The reserved flow of the year: the constant, or the months' values weighted by
// their length (365 days).
double meanReservedFlow(const SiteMachine& m);

// The ratio of a site's flows to a gauging station's, by the ratio of their catchment
// areas raised to an exponent: (A_site / A_station)^n — the drainage-area ratio method
// (W. H. Asquith, M. C. Roussel, J. Vrabel, 2006, "Statewide analysis of the
// drainage-area ratio method for 34 streamflow percentile ranges in Texas", USGS
// Scientific Investigations Report 2006-5286: n is commonly taken as 1). 1 without areas.
double transpositionRatio(double stationArea, double siteArea, double exponent);

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
    static FlowRegime fromCurve(std::vector<DurationPoint> curve);          // points by growing percent
    static FlowRegime fromRecord(std::vector<double> dailyFlows);           // at least one day
    static FlowRegime fromDatedRecord(const std::vector<RecordDay>& days);  // sorted by day

    bool isRecord() const { return record_; }
    bool isDated() const { return !days_.empty(); }
    const std::vector<double>& flows() const { return flows_; }
    const std::vector<int>& days() const { return days_; }  // dated record only
    // Dated record: the month (0..11) of each day, and where each calendar year starts
    // (indexes into the days, with the end last) and whether it is a leap year.
    const std::vector<unsigned char>& months() const { return months_; }
    const std::vector<std::size_t>& yearStarts() const { return yearStarts_; }
    const std::vector<bool>& leapYears() const { return leapYears_; }
    std::size_t dayCount() const { return flows_.size(); }
    double meanFlow() const;
    double largestFlow() const;
    // The flow exceeded `percent` % of the time.
    double exceededFlow(double percent) const;
    // Mean over the year of f(Q).
    double mean(const std::function<double(double)>& f) const;
    // Mean of one value per flow (days of a record, points of a curve's grid).
    double meanOf(const std::vector<double>& values) const;
    // The weight of a flow in that mean (1 a day; the trapezoid's ½ or 1 on a curve).
    double weight(std::size_t i) const;

private:
    bool record_ = false;
    std::vector<DurationPoint> curve_;
    std::vector<double> flows_;   // record: the days; curve: Q at p = 0, 0.1 ... 100 %
    std::vector<double> sorted_;  // record: flows by decreasing value
    std::vector<int> days_;       // dated record: the day of each flow
    std::vector<unsigned char> months_;
    std::vector<std::size_t> yearStarts_;
    std::vector<bool> leapYears_;
};

// The expected power of each flow of a regime (kW) and the share of it the plant turns
// (0..1), with the months' reserved flows, the machines, the flood head, the downtime
// and the availability.
struct PlantSamples {
    std::vector<double> power;
    std::vector<double> running;
};
PlantSamples plantSamples(const FlowRegime& regime, const SiteMachine& m);

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

// `m.reservedFlow` (or the months') is the one used; `module` the one shown (typed or
// the mean flow). The result's reserved flow is the year's mean one.
EnergyResult annualEnergy(const FlowRegime& regime, const SiteMachine& m, double module);
// The same from samples already computed.
EnergyResult annualEnergy(const FlowRegime& regime, const SiteMachine& m, double module, const PlantSamples& samples);

// Energy for 60 design flows from 0.1 to 3 × module; `efficiencyFor(qd)` gives the
// table to use at each design flow of the plant (each machine taking qd/N). `best` is the index of the largest energy.
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
    double reservedFlow = 0, designFlow = 0;   // Qr the year's mean one
    bool reservedByMonth = false;              // the months' Qr below replace the constant
    std::array<double, 12> monthlyReserved{};  // m3/s, January first
    // Power against % of time, kW.
    std::vector<ChartPoint> powerCurve;
    // Energy against design flow, m3/s and kWh/yr; the present design flow marked.
    DesignFlowSweep sweep;
};
EnergyCharts energyCharts(const FlowRegime& regime, const SiteMachine& m, DesignFlowSweep sweep);

// The reserved flow by month on the flow-duration chart: the months' values ranked from
// the largest down, each held over its share of the year's days (31/365 for January
// ...), as a staircase of points (% of time, m3/s) from 0 to 100 %, `offset` added to
// every value (Qd for the line Qr + Qd). A constant Qr gives one step.
std::vector<ChartPoint> reservedDurationSteps(const EnergyCharts& c, double offset);

// The reserved flow by month against the date: one step per calendar month from the
// month of `firstDay` to that of `lastDay` (days since 1 January 1970), each month's
// value held from its first day to the first day of the next, the last step ending at
// `lastDay` + 1. Points (day, m3/s), `offset` added to every value.
std::vector<ChartPoint> reservedDateSteps(const EnergyCharts& c, int firstDay, int lastDay, double offset);

}  // namespace aub

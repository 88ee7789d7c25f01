// Speed of the annual-energy calculation: a 50-year daily record (18 262 days) and
// its 60-point design-flow sweep, each as the window runs them.
#include "energy/AnnualEnergy.h"
#include "energy/MachineEfficiency.h"
#include "energy/RecordStatistics.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

// A river with a yearly cycle and day-to-day noise (deterministic).
std::vector<double> fiftyYears() {
    std::vector<double> flows;
    unsigned seed = 12345;
    for (int d = 0; d < 18262; ++d) {
        seed = seed * 1103515245u + 12345u;
        const double noise = ((seed >> 8) % 1000) / 1000.0;
        flows.push_back(0.2 + 1.5 * (1 + std::cos(2 * 3.141592653589793 * d / 365.25)) * (0.5 + noise));
    }
    return flows;
}

aub::SiteMachine kaplan(double qd) {
    aub::SiteMachine m;
    m.grossHead = 3.2;
    m.headLoss = 0.2;
    m.designFlow = qd;
    m.reservedFlow = 0.15;
    m.efficiency = aub::efficiencyTable(aub::machineType("Turbine Kaplan"), {qd, 3.0, 4.5, 1});
    m.minimumFlowPercent = 15;
    m.driveEfficiency = 0.9;
    return m;
}

void BM_RecordFiftyYears(benchmark::State& state) {
    const std::vector<double> flows = fiftyYears();
    const aub::SiteMachine m = kaplan(1.5);
    for (auto _ : state) {
        const aub::FlowRegime river = aub::FlowRegime::fromRecord(flows);
        benchmark::DoNotOptimize(aub::annualEnergy(river, m, river.meanFlow()));
    }
}
BENCHMARK(BM_RecordFiftyYears)->Unit(benchmark::kMillisecond);

void BM_DesignFlowSweepFiftyYears(benchmark::State& state) {
    const aub::FlowRegime river = aub::FlowRegime::fromRecord(fiftyYears());
    const aub::SiteMachine m = kaplan(1.5);
    const double module = river.meanFlow();
    auto curveFor = [](double qd) {
        return aub::efficiencyTable(aub::machineType("Turbine Kaplan"), {qd, 3.0, 4.5, 1});
    };
    for (auto _ : state) {
        auto sweep = aub::designFlowSweep(river, m, module, curveFor);
        benchmark::DoNotOptimize(aub::energyCharts(river, m, std::move(sweep)));
    }
}
BENCHMARK(BM_DesignFlowSweepFiftyYears)->Unit(benchmark::kMillisecond);

// The whole calculation as the window runs it on a dated 50-year record: the day-by-day
// powers, the annual figures, the 60-point sweep, the years, months and QMNA5, the charts;
// once with one machine, once with three machines, a reserved flow by month, 20 days of
// downtime, 97 % availability and a flood head loss.
void wholeCalculation(benchmark::State& state, bool plant) {
    std::vector<aub::RecordDay> days;
    const std::vector<double> flows = fiftyYears();
    for (std::size_t i = 0; i < flows.size(); ++i) days.push_back({static_cast<int>(i), flows[i]});
    aub::SiteMachine m = kaplan(1.5);
    if (plant) {
        m.machines = 3;
        m.reservedByMonth = true;
        m.monthlyReserved = {0.3, 0.3, 0.3, 0.2, 0.2, 0.15, 0.1, 0.1, 0.1, 0.15, 0.2, 0.3};
        m.downtimeDays = 20;
        m.availability = 0.97;
        m.floodHeadLoss = 0.5;
        m.floodFlow = 6;
    }
    auto curveFor = [&m](double qd) {
        return aub::efficiencyTable(aub::machineType("Turbine Kaplan"), {qd / m.machines, 3.0, 4.5, 1});
    };
    for (auto _ : state) {
        const aub::FlowRegime river = aub::FlowRegime::fromDatedRecord(days);
        const aub::PlantSamples samples = aub::plantSamples(river, m);
        benchmark::DoNotOptimize(aub::annualEnergy(river, m, river.meanFlow(), samples));
        auto sweep = aub::designFlowSweep(river, m, river.meanFlow(), curveFor);
        benchmark::DoNotOptimize(aub::recordStatistics(days, samples.power));
        benchmark::DoNotOptimize(aub::energyCharts(river, m, std::move(sweep)));
    }
}
void BM_WholeCalculationFiftyYears(benchmark::State& state) { wholeCalculation(state, false); }
void BM_WholeCalculationFiftyYearsThreeMachinesAndLosses(benchmark::State& state) { wholeCalculation(state, true); }
BENCHMARK(BM_WholeCalculationFiftyYears)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WholeCalculationFiftyYearsThreeMachinesAndLosses)->Unit(benchmark::kMillisecond);

}  // namespace

// Speed of the annual-energy calculation: a 50-year daily record (18 262 days) and
// its 60-point design-flow sweep, each as the window runs them.
#include "energy/AnnualEnergy.h"
#include "energy/MachineEfficiency.h"

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
    m.efficiency = aub::efficiencyTable(aub::MachineType::Kaplan, {qd, 3.0, 4.5, 1});
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
    auto curveFor = [](double qd) { return aub::efficiencyTable(aub::MachineType::Kaplan, {qd, 3.0, 4.5, 1}); };
    for (auto _ : state) {
        auto sweep = aub::designFlowSweep(river, m, module, curveFor);
        benchmark::DoNotOptimize(aub::energyCharts(river, m, std::move(sweep)));
    }
}
BENCHMARK(BM_DesignFlowSweepFiftyYears)->Unit(benchmark::kMillisecond);

}  // namespace

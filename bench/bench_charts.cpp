// Building the Moody diagram: fourteen Colebrook curves solved point by point.
#include "charts/MoodyCurves.h"
#include "forms/Chart.h"

#include <benchmark/benchmark.h>

namespace {

// The fourteen curves at 200 points each, the figure the diagram is sized for.
void BM_MoodyCurves14x200(benchmark::State& state) {
    for (auto _ : state) {
        std::size_t points = 0;
        for (double eps : aub::MoodyRoughnesses)
            points += aub::colebrookCurve(eps, aub::TurbulentStart, aub::MoodyReMax, 200).size();
        benchmark::DoNotOptimize(points);
    }
    state.SetItemsProcessed(state.iterations() * 14 * 200);
}
BENCHMARK(BM_MoodyCurves14x200)->Unit(benchmark::kMillisecond);

// The whole chart as the window builds it (240 points per curve, the laminar line,
// the band and an operating point with its own roughness curve).
void BM_MoodyChart(benchmark::State& state) {
    const aub::MoodyPoint point{5e5, 0.02, 6e-6};
    for (auto _ : state) {
        aub::Chart chart;
        aub::buildMoodyChart(chart, point);
        benchmark::DoNotOptimize(chart.series().size());
    }
}
BENCHMARK(BM_MoodyChart)->Unit(benchmark::kMillisecond);

}  // namespace

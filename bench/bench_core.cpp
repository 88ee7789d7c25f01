// Speed of the routines every window calls many times: reading a box, showing a
// number with a mask, and the friction-factor solver.
#include "core/Hydraulics.h"
#include "core/Messenger.h"
#include "core/NumberText.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

class SilentMessenger : public aub::Messenger {
public:
    void message(const std::string&) override {}
};

void BM_ParseNumberPoint(benchmark::State& state) {
    SilentMessenger m;
    const std::string input = "  1234,5678  ";
    for (auto _ : state) {
        std::string text = input;
        benchmark::DoNotOptimize(aub::parseNumber(text, false, m));
    }
}
BENCHMARK(BM_ParseNumberPoint);

void BM_ParseNumberComma(benchmark::State& state) {
    SilentMessenger m;
    const std::string input = "-0.0185E+2";
    for (auto _ : state) {
        std::string text = input;
        benchmark::DoNotOptimize(aub::parseNumber(text, true, m));
    }
}
BENCHMARK(BM_ParseNumberComma);

void BM_ParseNumberLong(benchmark::State& state) {
    SilentMessenger m;
    std::string input;
    for (int i = 0; i < 5000; ++i) input += "1 ";
    for (auto _ : state) {
        std::string text = input;
        benchmark::DoNotOptimize(aub::parseNumber(text, false, m));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(input.size()));
}
BENCHMARK(BM_ParseNumberLong);

void BM_FormatMask(benchmark::State& state) {
    float v = 12.3456f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(aub::formatMask(v, "###0.###"));
        v += 0.001f;
    }
}
BENCHMARK(BM_FormatMask);

void BM_FormatNumber3(benchmark::State& state) {
    float v = 0.5f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(aub::formatNumber3(v));
        v += 0.37f;
    }
}
BENCHMARK(BM_FormatNumber3);

void BM_FormatGeneral(benchmark::State& state) {
    float v = 1.0f / 3.0f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(aub::formatGeneral(v));
        v = v > 1e30f ? 1.0f / 3.0f : v * 1.01f;
    }
}
BENCHMARK(BM_FormatGeneral);

void BM_ColebrookFriction(benchmark::State& state) {
    SilentMessenger m;
    const double re = static_cast<double>(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(aub::colebrookFriction(0.0001, re, m));
}
BENCHMARK(BM_ColebrookFriction)->Arg(5000)->Arg(100000)->Arg(10000000);

void BM_ColebrookSmoothHighRe(benchmark::State& state) {
    SilentMessenger m;
    for (auto _ : state) benchmark::DoNotOptimize(aub::colebrookFriction(0.0, 1e12, m));
}
BENCHMARK(BM_ColebrookSmoothHighRe);

}  // namespace

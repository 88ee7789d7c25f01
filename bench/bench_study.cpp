// Speed of a parametric study: 10 000 points of the overshot wheel calculation (the
// wheel diameter from 2.5 to 4 m, two results followed), from the request to the CSV
// table, on a program folder seeded with the delivered data; the same with every point
// stopping on a message (a gate opening beyond the head race); and one point alone.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "app/Windows.h"
#include "forms/WindowCatalog.h"
#include "study/Study.h"

namespace {

namespace fs = std::filesystem;

class ProgramFolder {
public:
    ProgramFolder() {
        std::random_device rd;
        path_ = fs::temp_directory_path() / ("aubelys-bench-" + std::to_string(rd()));
        fs::create_directories(path_);
        fs::copy(AUBELYS_DATA_SOURCE, path_, fs::copy_options::recursive);
    }
    ~ProgramFolder() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

aub::StudyRequest overshotDiameters(int points) {
    aub::StudyRequest r;
    r.calculation = "Roue au dessus — Calcul";
    r.parameter = "Valbox(4)";
    r.from = 2.5;
    r.to = 4;
    r.points = points;
    r.followed = {"Resubox(3)", "Resubox(8)"};
    r.startFile = "H0Dalmor.txt";
    return r;
}

void BM_OvershotStudy(benchmark::State& state) {
    ProgramFolder folder;
    aub::WindowCatalog catalog;
    aub::registerAllWindows(catalog);
    const int points = static_cast<int>(state.range(0));
    for (auto _ : state) {
        aub::Study study(catalog, folder.path(), overshotDiameters(points));
        if (!study.ok()) {
            state.SkipWithError(study.error().c_str());
            break;
        }
        study.runAll();
        benchmark::DoNotOptimize(study.csv());
    }
    state.SetItemsProcessed(state.iterations() * points);
}
BENCHMARK(BM_OvershotStudy)->Arg(10000)->Unit(benchmark::kMillisecond);

// Every point raises "levée trop grande": the gate opened 41 to 90 cm under 0.4 m of water.
void BM_OvershotStudyEveryPointAMessage(benchmark::State& state) {
    ProgramFolder folder;
    aub::WindowCatalog catalog;
    aub::registerAllWindows(catalog);
    const int points = static_cast<int>(state.range(0));
    aub::StudyRequest request = overshotDiameters(points);
    request.parameter = "Valbox(2)";
    request.from = 41;
    request.to = 90;
    for (auto _ : state) {
        aub::Study study(catalog, folder.path(), request);
        if (!study.ok()) {
            state.SkipWithError(study.error().c_str());
            break;
        }
        study.runAll();
        if (study.rows().back().message.empty()) {
            state.SkipWithError("a point without a message");
            break;
        }
        benchmark::DoNotOptimize(study.csv());
    }
    state.SetItemsProcessed(state.iterations() * points);
}
BENCHMARK(BM_OvershotStudyEveryPointAMessage)->Arg(10000)->Unit(benchmark::kMillisecond);

// One point of a prepared study, the study's own bookkeeping included: the private
// window set to its starting point, the value typed, the calculation, the results read.
void BM_OvershotStudyPoint(benchmark::State& state) {
    ProgramFolder folder;
    aub::WindowCatalog catalog;
    aub::registerAllWindows(catalog);
    constexpr int Points = 10000;
    std::unique_ptr<aub::Study> study;
    auto fresh = [&] {
        study = std::make_unique<aub::Study>(catalog, folder.path(), overshotDiameters(Points));
        return study->ok();
    };
    if (!fresh()) {
        state.SkipWithError(study->error().c_str());
        return;
    }
    for (auto _ : state) {
        if (study->done() + 1 >= study->total()) {
            state.PauseTiming();
            fresh();
            state.ResumeTiming();
        }
        study->runPoints(1);
    }
}
BENCHMARK(BM_OvershotStudyPoint)->Unit(benchmark::kMicrosecond);

}  // namespace

// Speed of the long flume in its window: 100 000 Manning steps listed and written to the
// scratch file, run by the command line's step runner on a program folder seeded with the
// delivered data (the whole event, as a person clicking "Calcul" waits for it).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CliMain.h"

namespace {

namespace fs = std::filesystem;

void BM_FlumeHundredThousandSteps(benchmark::State& state) {
    std::random_device rd;
    const fs::path folder = fs::temp_directory_path() / ("aubelys-bench-" + std::to_string(rd()));
    fs::create_directories(folder);
    fs::copy(AUBELYS_DATA_SOURCE, folder, fs::copy_options::recursive);
    const std::vector<std::string> args = {"--dossier",       folder.string(),  "Frmpertecou",    "Valbox(0)=2",
                                           "Valbox(1)=100",   "Valbox(2)=10",   "Valbox(3)=1000", "Valbox(4)=0.5",
                                           "Valbox(5)=0.014", "Valbox(6)=0.01", "Command1"};
    for (auto _ : state) {
        std::ostringstream out, err;
        benchmark::DoNotOptimize(aub::cliMain(args, folder.string(), out, err));
    }
    std::error_code ec;
    fs::remove_all(folder, ec);
}
BENCHMARK(BM_FlumeHundredThousandSteps)->Unit(benchmark::kMillisecond);

}  // namespace

// Speed of two windows on a screen (Qt's offscreen platform), from the person's click to
// the window drawn again: the flume's 100 000 Manning steps listed in its window, and a
// study of 10 000 points of the overshot wheel run in the study window on its timer. The
// same study run by the command line's step runner (no views, fixed slices) is measured
// beside it, so that the two figures come from the same machine at the same time.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "app/Windows.h"
#include "forms/Script.h"
#include "forms/Scripted.h"
#include "forms/Session.h"
#include "forms/WindowCatalog.h"
#include "study/EtudeParametrique.h"
#include "ui/FormView.h"
#include "ui/UiHost.h"

namespace {

namespace fs = std::filesystem;

void startQt() {
    static int argc = 1;
    static char name[] = "bench_windows";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
}

// A screen's platform: long work paced by the clock, as in the program.
class ScreenPlatform : public aub::RecordingPlatform {
public:
    bool pacedByClock() const override { return true; }
};

// A program folder seeded with the delivered data, a session and, on a screen, its views.
class Screen {
public:
    explicit Screen(bool views = true) {
        startQt();
        std::random_device rd;
        folder_ = fs::temp_directory_path() / ("aubelys-bench-" + std::to_string(rd()));
        fs::create_directories(folder_);
        fs::copy(AUBELYS_DATA_SOURCE, folder_, fs::copy_options::recursive);
        aub::registerAllWindows(catalog_);
        session_ = std::make_unique<aub::Session>(
            catalog_, dialogs_, views ? static_cast<aub::RecordingPlatform&>(screenPlatform_) : commandLinePlatform_,
            folder_);
        if (views) {
            host_ = std::make_unique<aub::UiHost>(*session_);
            host_->setEndsApplication(false);
            session_->setHost(host_.get());
        }
    }
    ~Screen() {
        host_.reset();
        session_.reset();
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }
    // Steps of the command line run as the person's events, each followed by the views.
    bool steps(const std::string& window, const std::vector<std::string>& list) {
        int status = 0;
        auto run = [&] { status = aub::runScript(*session_, window, list).status; };
        if (host_)
            host_->dispatch(session_->loaded(window), run);
        else
            run();
        return status == 0;
    }
    // Lets the views lay themselves out and draws the window.
    void draw(const std::string& window) {
        if (!host_) return;
        QCoreApplication::processEvents();
        if (aub::Form* f = session_->loaded(window))
            if (QWidget* view = host_->view(*f)) benchmark::DoNotOptimize(view->grab());
    }
    aub::Session& session() { return *session_; }

private:
    fs::path folder_;
    aub::WindowCatalog catalog_;
    aub::ScriptedDialogs dialogs_;
    ScreenPlatform screenPlatform_;
    aub::RecordingPlatform commandLinePlatform_;
    std::unique_ptr<aub::Session> session_;
    std::unique_ptr<aub::UiHost> host_;
};

// Each click lists the 100 000 steps anew (the roughness alternates, so that the list
// changes every time). The flume steps its length in single precision, as the program
// always has: 1000 m by 0.01 m gives 99 929 steps, not exactly 100 000.
void BM_FlumeWindowHundredThousandSteps(benchmark::State& state) {
    Screen screen;
    const std::string w = "Frmpertecou";
    if (!screen.steps(w, {"Valbox(0)=2", "Valbox(1)=100", "Valbox(2)=10", "Valbox(3)=1000", "Valbox(4)=0.5",
                          "Valbox(5)=0.014", "Valbox(6)=0.01"})) {
        state.SkipWithError("the flume window did not open");
        return;
    }
    screen.session().show(w);
    screen.draw(w);
    bool other = false;
    for (auto _ : state) {
        other = !other;
        screen.steps(w, {other ? "Valbox(5)=0.015" : "Valbox(5)=0.014", "Command1"});
        screen.draw(w);
    }
    const std::size_t listed = screen.session().loaded(w)->ctl("List1").items.size();
    state.counters["listed"] = static_cast<double>(listed);
    if (listed < 99000) state.SkipWithError("fewer steps listed");
}
BENCHMARK(BM_FlumeWindowHundredThousandSteps)->Unit(benchmark::kMillisecond);

// "Lancer", then the window's timer until the last point, the table and the chart drawn;
// without views, "Lancer" then the timer's clicks as a script gives them.
void studyTenThousandPoints(benchmark::State& state, bool views) {
    Screen screen(views);
    const std::string w = aub::EtudeParametrique::WindowName;
    screen.session().open(w);
    auto* window = dynamic_cast<aub::EtudeParametrique*>(screen.session().loaded(w));
    if (!window || !screen.steps(w, {"Calcul=Roue au dessus — Calcul", "Parametre=Diamètre Roue m", "De=2.5", "A=4",
                                     "Points=10000", "Depart=H0Dalmor.txt"})) {
        state.SkipWithError("the study window did not open");
        return;
    }
    if (views) {
        screen.session().show(w);
        screen.draw(w);
    }
    for (auto _ : state) {
        screen.steps(w, {"Lancer"});
        // At most two minutes: a study that stops advancing ends the measurement.
        QElapsedTimer clock;
        clock.start();
        while (window->running() && clock.elapsed() < 120000) {
            if (views)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
            else
                screen.steps(w, {"Minuterie"});
        }
        screen.draw(w);
    }
    if (!window->study() || window->study()->done() != 10000) state.SkipWithError("the study did not finish");
}

void BM_StudyWindowTenThousandPoints(benchmark::State& state) { studyTenThousandPoints(state, true); }
void BM_StudyCommandLineTenThousandPoints(benchmark::State& state) { studyTenThousandPoints(state, false); }
BENCHMARK(BM_StudyCommandLineTenThousandPoints)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_StudyWindowTenThousandPoints)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

#pragma once
// The window "ETUDE PARAMETRIQUE": one input of a calculation swept over a range
// (and a second one over a few values), the followed results in a table and a
// chart, exported as CSV or copied for a spreadsheet. The study runs in slices on
// the window's timer so that the window keeps answering; it works on a private copy
// of the session, so the person's windows and files stay as they were.
#include <array>
#include <chrono>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "forms/Form.h"
#include "study/Study.h"

namespace aub {

// The settings of one calculation's study as the person left them: choices by caption,
// boxes as typed.
struct StudySettings {
    std::string parameter, from, to, points, second, secondValues, start;
    int progression = 0;
    std::array<std::string, 6> followed;
};

// What the study window keeps while the session lasts, from one opening to the next.
struct EtudeParametriqueMemory {
    std::string calculation;  // the calculation chosen last
    std::map<std::string, StudySettings> byCalculation;
    std::string exportFolder;  // where the last table was exported
};

class EtudeParametrique : public Form {
public:
    static constexpr const char* WindowName = "EtudeParametrique";
    static constexpr int MaxFollowed = 6;
    static constexpr int MaxSecondValues = 6;
    // The entries of "Point de départ" that are not design files.
    static constexpr const char* WindowValues = "Valeurs de la fenêtre";
    static constexpr const char* DefaultValues = "Valeurs par défaut";
    // A study that has run this long shows its progress bar and "Arrêter".
    static constexpr double ProgressAfterSeconds = 0.5;

    explicit EtudeParametrique(Session& s);
    ~EtudeParametrique() override;
    void load() override;
    void activate() override;
    // A computed table is given up only after "Oui" (not when the system closes).
    bool queryUnload(CloseMode mode) override;
    void unloaded() override;

    // Chooses the calculation `calculation` of `window` (the calculation window active last
    // and the calculation it shows), else the window's first; a window without
    // calculation leaves the choice as it is. The values now in that window are offered
    // as starting point only for the calculation it shows (a window that shows several,
    // one at a time, holds another's inputs otherwise).
    void openOn(const std::string& window, const std::string& calculation = "");
    // The study shown (running, stopped or done), or none.
    const Study* study() const { return study_.get(); }
    bool running() const;

private:
    const StudyDeclaration* chosen() const;
    // True when the person's window is loaded and shows this calculation.
    bool windowHolds(const StudyDeclaration& d) const;
    void calculationChosen();
    void refreshStartPoints();
    // Keeps the settings of the calculation shown, and puts back those kept for it.
    void remember();
    void recall(const StudyDeclaration& d);
    std::optional<StudyRequest> request();
    void start();
    void tick();
    void stop();
    // One slice of the study: by the clock on a screen, by a fixed number of points otherwise.
    void runSlice(bool first);
    void finish();
    void showRows(bool charting);
    // The chart drawn again from the first row (another result traced, a new study), and
    // the rows added since it was last drawn.
    void drawChart();
    void extendChart();
    bool haveRows();
    void exportCsv();
    void copyTable();

    std::vector<const StudyDeclaration*> calculations_;
    std::unique_ptr<Study> study_;
    std::chrono::steady_clock::time_point started_;
    // The second parameter's caption and whether the sweep is geometric, for the chart.
    std::string secondCaption_;
    std::string windowCalculation_;  // the calculation the person's window shows
    bool geometric_ = false;
    int slices_ = 0;  // slices run by the study shown
    // The chart's curves by value of the second parameter: their marks, the line segment
    // being drawn (-1 after a gap), their colour; the rows charted so far and the result.
    struct Curve {
        int marks = -1;
        int segment = -1;
        int color = 0;
    };
    std::map<std::string, Curve> curves_;
    std::size_t charted_ = 0;
    std::chrono::steady_clock::time_point chartedAt_;  // when the chart last took rows
    std::size_t tracedResult_ = 0;
    bool charting_ = false;
    bool filling_ = false;
    EtudeParametriqueMemory& memory_;
    std::string shownCalculation_;  // the calculation whose lists the window shows
    std::string startsFor_;         // the calculation whose starting points "Depart" lists
};

// The design files a calculation window lists in its files list (declaration's
// filesList), read from the program folder by a window loaded on its own, out of
// the person's sight. Empty when the window keeps no files.
std::vector<std::string> studyDesignFiles(Session& session, const StudyDeclaration& declaration);

// A result as the window shows it, read as a number for the chart: "12.5", ".5",
// "12.", "1,5" and "." (a zero on some masks); anything else, or a value that is not
// finite, is no number.
std::optional<double> shownNumber(const std::string& text);

}  // namespace aub

#pragma once
// The program's windows for a browser view: the same window models, the same step runner
// and the same JSON listing as the command line, with what a view needs to draw each
// window (its declared layout, menus, drawings). Every answer is a JSON value.
//
// A window's synchronous question (yes / no, an input box, a file to choose) is answered
// from a queue of answers, as the command line's --repondre does. A question that finds
// no answer stops the step and is reported as pending; answer() then replays the whole run
// (every window opened and every step played since the run began, with every answer
// given) on a fresh session, the program folder first put back as it was when the run
// began, so that the step asks again and takes the answer at the very point it asked.
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "forms/RecordingPlatform.h"
#include "forms/Script.h"
#include "forms/ScriptedDialogs.h"
#include "forms/WindowCatalog.h"

namespace aub {

class Chart;
class Session;

// A chart as Bridge::chart gives it.
Json chartDrawn(const Chart& chart);

class Bridge {
public:
    // programFolder: the program folder (created and seeded from the delivered data that
    // programDir holds, as --dossier does); programDir: the folder of the program's files.
    Bridge(const std::filesystem::path& programFolder, const std::filesystem::path& programDir);
    ~Bridge();
    Bridge(const Bridge&) = delete;
    Bridge& operator=(const Bridge&) = delete;

    // Outcomes: {"status": 0 | 1 | 2 | 3, "error": T, "pending": DIALOG | null}: 0 done,
    // 1 a failure of the program, 2 unknown window, control, menu entry or list entry,
    // 3 a dialog waits for its answer (DIALOG as in the listing, with "items" for a list).
    // Opens a window as its menu entry does (its FormulaId included) in the current run.
    Json open(const std::string& window);
    // One step of the command line's syntax, on the first window opened (AUTRE:ETAPE for another).
    Json play(const std::string& step);
    // Answers the pending dialog ("oui" / "non", the text of an input box, "" for Cancel).
    Json answer(const std::string& text);
    // An answer given before the dialog that takes it (as --repondre).
    void queueAnswer(const std::string& text);
    // A new run: no window loaded, no answer left, the program folder as it is now.
    void reset();

    // The listing of `aubelys-cli --json`, exactly.
    Json state() const;
    // The declared layout of a loaded window, or of every loaded one ("" : {"windows": {...}}).
    Json layout(const std::string& window) const;
    // Each drawing of a loaded window with its scale and pen: {KEY: {"scale", "backColor", "elements"}}.
    Json drawings(const std::string& window) const;
    // Every window that can be opened, by code name.
    Json windows() const;
    // What the windows asked of the system since the run began, in order ("printForm
    // Formroue", "showHelp PATH 12", "openWebPage PATH", "setClipboard" ...), with the
    // clipboard's text: {"calls": [...], "clipboard": T}. A replay gives them again.
    Json platform() const;
    // A file the person put into the program folder from outside (an import): kept when a
    // replay puts the folder back as the run found it. A name, not a path.
    Json imported(const std::string& name);
    // The last dossier the windows asked to save (the report model), or null: {"program",
    // "study", "date", "site": [T], "windows": [{"window", "title", "section", "calculated",
    // "inputs", "results", "messages", "observations", "figures", "method"}]}, each group
    // {"title", "rows": [{"caption", "value", "unit"}]}, each figure {"kind", "caption",
    // "width", "height"} with its "drawing" (as drawings() gives it), "picture" or "chart"
    // (as chart() gives it).
    Json dossier() const;
    // A chart of a loaded window as a drawing of it needs it: the listing's chart with,
    // for each series, its "color" ("#rrggbb", null for the view's palette), "width" and
    // "inLegend", and for each axis the "shown" range [lo, hi] and its labelled "ticks"
    // [{"value", "text"}] as the desktop draws them; or {"error": T}.
    Json chart(const std::string& window, const std::string& chart) const;
    // A chart of a loaded window as the desktop exports it to CSV: {"csv": TEXT} or {"error": T}.
    Json chartCsv(const std::string& window, const std::string& chart, char decimalSeparator) const;

    const std::filesystem::path& programFolder() const { return folder_; }

private:
    struct Action {
        bool open = false;
        std::string text;  // the window opened, or the step played
    };
    struct Run;
    Json perform(const Action& action);
    void startRun();
    Json replay();  // the outcome of the last action replayed
    Json outcome(const ScriptOutcome& out) const;

    WindowCatalog catalog_;
    std::filesystem::path folder_;
    std::filesystem::path snapshot_;  // the program folder as the run found it
    std::unique_ptr<Run> run_;
    std::string first_;  // the first window opened: the steps' window
    std::vector<Action> history_;
    std::vector<std::string> answers_;  // every answer given in this run, in order
    std::optional<DialogRecord> pending_;
};

}  // namespace aub

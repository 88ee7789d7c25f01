#pragma once
// Drives windows without a screen, step by step, the way a person would:
//   NOM(I)=TEXTE / NOM=TEXTE  types into a box (Change runs), chooses the entry TEXTE
//                             of a list or combo (Click runs), ticks a check box (1/0),
//                             moves a slider (Change runs);
//   NOM(I) / NOM              clicks that control (a list clicks its selected entry);
//   a menu entry by name or by caption path "Options1/Vanne" (captions without "&"
//   and surrounding blanks; each menu on the path is clicked in turn, as when it opens);
//   a button by its caption ("CALCUL ", compared the same way) when no control or
//   menu entry has that name;
//   Form                      clicks the window's background;
//   AUTRE:ETAPE               acts on another window, loading it (not shown) first.
#include <string>
#include <string_view>
#include <vector>

namespace aub {

class Chart;
class Session;
class ScriptedDialogs;

struct ScriptOutcome {
    int status = 0;     // 0 every step ran, 2 unknown window/control/menu or one hidden or greyed, 3 missing answer
    std::string error;  // French explanation when status != 0
};

ScriptOutcome runScript(Session& session, const std::string& window, const std::vector<std::string>& steps);

// One step on an already loaded window (used by runScript and the tests).
ScriptOutcome runStep(Session& session, const std::string& window, const std::string& step);

// Listings of the visible windows (or every loaded one), the dialogs and the shared values.
std::string listingText(Session& session, const ScriptedDialogs& dialogs, bool allLoaded = false);
std::string listingJson(Session& session, const ScriptedDialogs& dialogs, bool allLoaded = false);

// A chart as a JSON object: title, axes (title, unit, scale, range shown) and series
// (name, kind, label when set, points [x, y] or [x, y, lower] for an area).
std::string chartJson(const Chart& chart);

// A text as a JSON string (quoted, escaped; Windows-1252 bytes read as such).
std::string jsonString(std::string_view text);

}  // namespace aub

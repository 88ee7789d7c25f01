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

#include <nlohmann/json_fwd.hpp>

namespace aub {

class Chart;
class Drawing;
class Form;
class Session;
class ScriptedDialogs;
struct DialogRecord;
struct SharedValues;

// The one JSON writer of the program (keys kept in the order they are written).
using Json = nlohmann::ordered_json;

struct ScriptOutcome {
    int status = 0;     // 0 every step ran, 2 unknown window/control/menu or one hidden or greyed, 3 missing answer
    std::string error;  // French explanation when status != 0
};

ScriptOutcome runScript(Session& session, const std::string& window, const std::vector<std::string>& steps);

// One step on an already loaded window (used by runScript and the tests).
ScriptOutcome runStep(Session& session, const std::string& window, const std::string& step);

// Listings of the visible windows (or every loaded one), the dialogs and the shared values.
std::string listingText(Session& session, const ScriptedDialogs& dialogs, bool allLoaded = false);
// The JSON listing: every loaded window, the dialogs shown, the shared values
//   {"windows": {NAME: {"title", "visible", "controls": {KEY: {...}}, "drawing": {KEY: [...]}}},
//    "dialogs": [...], "shared": {...}, "ended": B}
// Texts are UTF-8 (other bytes read as Windows-1252); numbers carry the digits the
// program shows (general format), whole numbers without a point.
std::string listingJson(Session& session, const ScriptedDialogs& dialogs, bool allLoaded = false);
Json stateJson(Session& session, const ScriptedDialogs& dialogs);
Json formValue(const Form& form);
Json dialogValue(const DialogRecord& dialog);
Json sharedValue(SharedValues& shared);

// A chart as a JSON object: title, axes (title, unit, scale, range shown) and series
// (name, kind, label when set, points [x, y] or [x, y, lower] for an area).
std::string chartJson(const Chart& chart);
Json chartValue(const Chart& chart);

// A drawing's elements in user coordinates ({"line": [x1, y1, x2, y2], "color": "#rrggbb"},
// "box", "circle" [x, y, r], "point", {"text": T, "at": [x, y]}); a coordinate that is not
// finite is drawn at 0. withPen adds the pen width in pixels, a text's font size in points
// and whether a box or circle is filled.
Json drawingValue(const Drawing& drawing, bool withPen);

// A text as a JSON string (quoted, escaped; Windows-1252 bytes read as such).
std::string jsonString(std::string_view text);
// Compact JSON text of a value, as the command line prints it: numbers in the general
// format ("0.1", "2837", "1.5E-07").
std::string dumpJson(const Json& value);
// A single as the program shows it: the nearest double of its general format's seven
// significant digits, so that the JSON text carries those digits and no others. Not
// finite: null.
Json shownSingle(float value);

}  // namespace aub

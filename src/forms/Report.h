#pragma once
// The dossier of a calculation: what was assumed, what was computed, what the
// calculation said, the drawings and the method, read from a window's controls as a
// document that the Qt layer lays out as PDF and the command line prints as text.
//
// How a window's boxes are read:
//  - a result is a text box the window names in `Form::resultBoxes` (by control name,
//    by key such as "boite(12)", or by the frame that holds it); when the window names
//    none, a locked text box or a text box in a frame captioned "RESULTATS";
//  - a box that the last calculation wrote (the event that changed a result box) is a
//    result too, until the person types into it;
//  - an input is any other text box or combo box the person can type into, a list the
//    person chooses from (its chosen entry), a check box;
//  - an observation list is a list that only shows lines (no event on a click), and a
//    notice is a multi-line box that is neither an input nor a result;
//  - a box's caption is the label at its left in the same frame and row; when the row
//    has none, the caption of its frame.
// Only what is visible on the window goes in.
#include <string>
#include <vector>

#include "forms/Chart.h"
#include "forms/Drawing.h"

namespace aub {

class Form;
class Control;
class Session;
struct SharedValues;

struct ReportRow {
    std::string caption;
    std::string value;   // the box's text as a reader writes it: "0.85" for ".85", "0" for "0."
    std::string unit{};  // the unit its caption names ("mm/m", "%"), empty when none
};

// A group of rows under the caption of the frame that holds them (empty: the window itself).
struct ReportGroup {
    std::string title;
    std::vector<ReportRow> rows;
};

// A figure of the window: a drawing area's display list, a picture file of the
// program folder, or a chart's data.
struct ReportFigure {
    enum class Kind { Drawing, Picture, Chart };
    Kind kind = Kind::Drawing;
    std::string caption;            // the frame's caption or the control's name
    Drawing drawing;                // Kind::Drawing
    std::string picture;            // Kind::Picture: the file, as the window names it
    std::string picturePath;        // its full path (UTF-8), empty when the file is missing
    Chart chart;                    // Kind::Chart
    int widthTw = 0, heightTw = 0;  // the area's size on the window (0: free)
};

struct WindowReport {
    std::string window;   // the window's code name
    std::string title;    // its title bar
    std::string section;  // the name its calculation is known by ("Roue au dessus"), else the title
    bool calculated = false;
    std::vector<ReportGroup> inputs;
    std::vector<ReportGroup> results;
    std::vector<std::string> messages;      // raised by the last calculation, and its warnings shown
    std::vector<ReportGroup> observations;  // observation lists and notices
    std::vector<ReportFigure> figures;
    std::string method;  // the method the last calculation used (Form::reportMethod)
};

struct Report {
    std::string program;  // "Aubelys  version 13.0"
    std::string study;    // the name the person typed; text, never a path
    std::string date;     // "09/12/2026"
    std::vector<WindowReport> windows;
    // The site when the dossier is written (siteLines): one line each
    // ("Hauteur de chute : 3.2 m (Productible annuel)"), empty when unknown.
    std::vector<std::string> site{};
};

// Section headings and the fixed texts of the dossier.
inline constexpr const char* ReportInputsTitle = "Données";
inline constexpr const char* ReportResultsTitle = "Résultats";
inline constexpr const char* ReportObservationsTitle = "Observations";
// "Dessins", or "Dessins et graphes" when a window shows a chart.
inline constexpr const char* ReportFiguresTitle = "Dessins";
inline constexpr const char* ReportFiguresChartsTitle = "Dessins et graphes";
inline constexpr const char* ReportMethodTitle = "Méthode";
inline constexpr const char* NoCalculationText = "Aucun calcul effectué";

// How the report reads a window's controls (see the header comment).
bool isResultBox(const Form& form, const Control& c);
bool isInputControl(const Form& form, const Control& c);
// Visible on the window: the control and every frame around it.
bool isShown(const Form& form, const Control& c);
// A window the dossier can report: at least one input and one result.
bool isCalculationWindow(const Form& form);
// Whether a visible result box holds a value.
bool showsResults(const Form& form);

WindowReport buildWindowReport(Form& form);

// The name a window's calculation is known by: its first study declaration's caption
// before " — " ("Roue au dessus"), else the window's title.
std::string sectionName(const Form& form);
// The paragraphs of a help record that state the method: the title line and the
// sentences about menus, buttons, lists and files left out.
std::string methodFromHelp(const std::string& record);
// The name of the dossier's entry in every calculation window's menu, and of the main window's.
inline constexpr const char* DossierEntryName = "Dossierajout";

// A box's text as a reader writes it: a leading zero before the point (".85" -> "0.85",
// "-.5" -> "-0.5"), no point after a whole number ("0." -> "0"), no trailing zeros after
// the point ("23895.5600000" -> "23895.56"); any other text as shown.
std::string readableValue(const std::string& shown);
// The unit a caption ends with ("Perte de charge mm/m" -> "mm/m", "Hauteur (m)" -> "m",
// "Rendement H %" -> "%"), empty when it names none.
std::string captionUnit(const std::string& caption);
// The site lines of the first page: the head, the flow and the gross power as the
// sections give them (the first section holding each, named), else the program-wide
// head and flow with their gross power 9.81·Q·H.
std::vector<std::string> siteLines(const SharedValues& shared, const std::vector<WindowReport>& windows);
// "Dossier : 3 fenêtres — Roue au dessus, Productible annuel, Conduite en charge".
std::string dossierSummary(const std::vector<WindowReport>& windows);

// The heading of a window's figures.
const char* figuresTitle(const WindowReport& window);

// Watches one event of a window: when the event changes a result box, the messages shown
// meanwhile become the window's calculation messages, the other boxes it wrote its
// written boxes, and the session notes the window as the calculation window used last.
// Inactive for events run inside other events, and in a session that records no
// calculation (Session::recordsCalculations): then it costs nothing.
class CalculationWatch {
public:
    // `notes`: the event makes its window the one the person used last.
    CalculationWatch(Form& form, bool active, bool notes = true);
    ~CalculationWatch();
    CalculationWatch(const CalculationWatch&) = delete;
    CalculationWatch& operator=(const CalculationWatch&) = delete;

private:
    Form* form_;
    bool active_;
    std::size_t messagesBefore_ = 0;
    std::vector<std::string> before_;
    std::vector<std::string> labelsBefore_;  // each label's visibility and caption
};

// Today's date as the dossier shows it, "dd/mm/yyyy".
std::string reportDate();

// The report as plain UTF-8 text, one line per row, "caption : value".
std::string reportText(const Report& report);

}  // namespace aub

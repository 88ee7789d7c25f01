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

struct ReportRow {
    std::string caption;
    std::string value;
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
    std::string window;  // the window's code name
    std::string title;   // its title bar
    bool calculated = false;
    std::vector<ReportGroup> inputs;
    std::vector<ReportGroup> results;
    std::vector<std::string> messages;      // raised by the last calculation
    std::vector<ReportGroup> observations;  // observation lists and notices
    std::vector<ReportFigure> figures;
    std::string method;  // the help-text record of the window
};

struct Report {
    std::string program;  // "Aubelys  version 13.0"
    std::string study;    // the name the person typed; text, never a path
    std::string date;     // "09/12/2026"
    std::vector<WindowReport> windows;
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

// The heading of a window's figures.
const char* figuresTitle(const WindowReport& window);

// Watches one event of a window: when the event changes a result box, the messages shown
// meanwhile become the window's calculation messages, the other boxes it wrote its
// written boxes, and the session notes the window as the calculation window used last.
// Inactive for events run inside other events, and in a session that records no
// calculation (Session::recordsCalculations): then it costs nothing.
class CalculationWatch {
public:
    CalculationWatch(Form& form, bool active);
    ~CalculationWatch();
    CalculationWatch(const CalculationWatch&) = delete;
    CalculationWatch& operator=(const CalculationWatch&) = delete;

private:
    Form* form_;
    bool active_;
    std::size_t messagesBefore_ = 0;
    std::vector<std::string> before_;
};

// Today's date as the dossier shows it, "dd/mm/yyyy".
std::string reportDate();

// The report as plain UTF-8 text, one line per row, "caption : value".
std::string reportText(const Report& report);

}  // namespace aub

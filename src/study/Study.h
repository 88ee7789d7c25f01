#pragma once
// A parametric study: one input of a calculation window swept over a range (and,
// optionally, a second input over a few values), the calculation run for every point
// on a private session, and the followed result boxes collected as the window shows
// them. The person's windows, program-wide values and files are untouched.
#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "forms/StudyDeclaration.h"

namespace aub {

class Control;
class Session;
class WindowCatalog;

enum class Progression { Linear, Geometric };

struct StudyRequest {
    std::string calculation;  // a StudyDeclaration caption
    std::string parameter;    // input key or caption
    double from = 0, to = 0;
    int points = 2;  // 2 .. 10 000
    Progression progression = Progression::Linear;
    // Second parameter (optional): input key or caption, and up to 6 values as typed.
    std::string second;
    std::vector<std::string> secondValues;
    std::vector<std::string> followed;  // result keys or captions, 1 .. 6
    // Starting point: the window's input texts by key (the person's loaded window), or a
    // design file of the window's files list, or neither (the window's own defaults).
    std::vector<std::pair<std::string, std::string>> startValues;
    std::string startFile;
    // With the window's values: what its boxes do not carry (StudyDeclaration::captureState).
    StudyState startState;
    // The program's regional decimal separator: how a typed number is written into the
    // boxes, and the separator of the CSV text.
    char decimalSeparator = '.';
};

struct StudyRow {
    double value = 0;                  // the swept parameter
    std::string secondValue;           // empty without a second parameter
    std::vector<std::string> results;  // as the window shows them ("" when the point failed)
    std::string message;               // the first message the point raised, or ""
};

class Study {
public:
    // Checks the request against the catalogue's declarations; on a bad request
    // error() holds the French message and nothing runs.
    Study(const WindowCatalog& catalog, const std::filesystem::path& programFolder, StudyRequest request);
    ~Study();
    Study(const Study&) = delete;
    Study& operator=(const Study&) = delete;

    const std::string& error() const { return error_; }
    bool ok() const { return error_.empty(); }
    const StudyDeclaration* declaration() const { return declaration_; }
    // Captions of the columns: parameter, [second parameter], followed results, "Message".
    std::vector<std::string> columnCaptions() const;

    // Runs points until all are done, cancel() was called, or `budgetSeconds` has gone
    // by (a view calls it from its timer to stay responsive). True while points remain.
    bool runSome(double budgetSeconds);
    // Runs at most `count` points (the same points on every machine, whatever its speed).
    // True while points remain.
    bool runPoints(std::size_t count);
    void runAll() {
        while (runSome(1e9)) {
        }
    }
    // Stops before the next point; the private copy goes at once.
    void cancel();
    bool cancelled() const { return cancelled_; }
    std::size_t done() const { return rows_.size(); }
    std::size_t total() const;
    const std::vector<StudyRow>& rows() const { return rows_; }

    // The table as text: CSV with ';' and the regional decimal separator (numbers of the
    // result boxes too), tab-separated for a spreadsheet's paste, or JSON (results as shown).
    std::string csv() const;
    std::string tabSeparated() const;
    std::string json() const;
    // The CSV text as a file is written: UTF-8 mark first, lines ending CR LF.
    std::string csvFile() const;
    // A row's cells in the order of columnCaptions(), as the table shows them: numbers with
    // ".", like the boxes (the exports and the clipboard take the regional separator).
    std::vector<std::string> cells(const StudyRow& row) const;
    // A swept value as it is typed into the box (the regional decimal separator).
    std::string valueText(double value) const;

private:
    class Runner;
    std::string check(const WindowCatalog& catalog, const std::filesystem::path& programFolder);
    double pointValue(std::size_t index) const;
    // Runs points while `goOn` says so (asked after each point).
    template <class More>
    bool runWhile(More goOn);
    std::vector<std::string> sheetCells(const StudyRow& row) const;
    std::string sheet(const char* separator, std::string (*cell)(std::string_view)) const;
    std::string parameterKey_, secondKey_;
    std::vector<std::string> followedKeys_;
    std::vector<std::string> secondTexts_;
    std::unique_ptr<Runner> runner_;
    const StudyDeclaration* declaration_ = nullptr;
    StudyRequest request_;
    std::string error_;
    std::vector<StudyRow> rows_;
    bool cancelled_ = false;
};

// A number as a person types it for a study (either decimal separator, blanks around,
// an optional exponent, nothing else); nothing for any other text.
std::optional<double> typedNumber(std::string_view text);

// The box a study names by its key ("Valbox(4)", any letter case) or by the caption
// beside it (letter case and runs of blanks aside); nothing when none is.
const StudyBox* findStudyBox(const std::vector<StudyBox>& boxes, std::string_view name);

// The value of an input as a study's starting point takes it: a box's or a list's text,
// a slider's position, a check box's 1 or 0.
std::string studyInputText(const Control& control);

// The calculation declarations in the order the study window lists them.
std::vector<const StudyDeclaration*> studyCalculations(const WindowCatalog& catalog);

}  // namespace aub

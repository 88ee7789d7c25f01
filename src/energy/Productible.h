#pragma once
// The annual-energy window: a site (gross head, head loss, module, reserved flow,
// design flow), a machine (type, ten part-flow efficiencies, stop flow, jets, Rm,
// drive efficiency) and the river's flow-duration curve, typed or imported from a
// daily record; "Calcul" gives the annual energy (AnnualEnergy.h) and the data of
// three charts: the flow-duration curve with the turbined band, the power against
// the % of time, and the energy against the design flow (60 points, the best marked),
// drawn one at a time in the chart "Graphe" under the results, the list "Graphique"
// choosing which. Enter runs "Calcul"; opening a study asks before dropping typed inputs.
//
// The efficiency boxes follow the chosen machine and its data (design flow, rated
// head Hb − hL, Rm, jets) until the person types into one of them; choosing a type
// again gives back the machine's own curve.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/FormulaCode.h"
#include "energy/AnnualEnergy.h"
#include "energy/MachineEfficiency.h"
#include "energy/RecordStatistics.h"
#include "energy/SiteStudyFile.h"
#include "forms/Form.h"
#include "forms/StudyDeclaration.h"

namespace aub {

// The help record and page code of the window.
constexpr int ProductibleHelpRecord = number(FormulaCode::AnnualEnergy);

class Productible : public Form {
public:
    // The builders of the charts of the list "Graphique" (defined with that list).
    enum class ChartId : int;

    explicit Productible(Session& s);
    // The input boxes and the result boxes, with the captions beside them, for the
    // calculation the parametric study runs.
    static std::vector<StudyBox> studyInputs();
    static std::vector<StudyBox> studyResults();
    void load() override;

    // "Calcul": false when an input stopped it (its message shown).
    bool calculate();
    // Reads a daily record through the system's file dialog.
    void importRecord();
    // Opens the study of that name, found without regard to letter case; the window then
    // works on that very file.
    void openStudy(const std::string& name);
    // Saves under that name. An existing file of the name (any case) is the one written;
    // unless it is the study opened or saved last and `askAlways` is false, it is
    // replaced only after "Oui" to the overwrite question.
    void saveStudyAs(const std::string& name, bool askAlways = false);

    // The last calculation's results and chart data (nothing before a calculation).
    const std::optional<EnergyResult>& result() const { return result_; }
    const std::optional<EnergyCharts>& charts() const { return charts_; }
    // The dated record's years, months, QMNA5, P50/P90 and winter share (nothing for a
    // curve or an undated record).
    const std::optional<RecordStatistics>& statistics() const { return statistics_; }
    const std::vector<RecordDay>& recordDays() const { return recordDays_; }
    bool efficiencyEdited() const { return efficiencyEdited_; }
    bool hasRecord() const { return !record_.empty(); }
    const std::string& studyName() const { return studyName_; }

    SiteStudy study() const;
    void applyStudy(const SiteStudy& study);
    // The flows, the reserved-flow rule and the efficiency curve of the last calculation.
    std::string reportMethod() override;
    // The three charts of the last calculation (the one the window shows is its own).
    std::vector<Chart> reportCharts() override;

private:
    // The type chosen in the list "Typemachine" (the default before any choice).
    const MachineType& machine() const;
    // Its place in the list, -1 for a caption the list does not hold.
    int machineIndex(std::string_view typeCaption);
    void machineChosen(bool warn = true);
    void refillEfficiencies(bool warn);
    void clearResults();
    // Fills the chart control with the chart the list "Graphique" chooses (axes alone
    // before a calculation).
    void drawChart();
    void drawRecordChart(Chart& chart, ChartId which);
    // Fills the table the list "Tableaux" chooses (years or months of a dated record).
    void fillTable();
    // The sentence under "Importer": days, dates, coverage, ignored lines.
    std::string recordInfo() const;
    void askOpen();
    void save();
    void askSaveAs();

    // The daily flows (m3/s) and, for a dated record, their days (a study of the first
    // version holds flows alone).
    std::vector<double> record_;
    std::vector<RecordDay> recordDays_;
    std::vector<RecordDay> siteDays_;  // the days of the last calculation, at the site
    int recordSkipped_ = 0;
    std::string recordIgnored_;  // "lignes 3, 7, 12 … ignorées"
    std::string recordNote_;     // the export recognised, days averaged ...
    std::string recordSource_;
    std::string studyName_;
    std::filesystem::path studyPath_;  // the file opened or saved last (empty: none)
    bool filling_ = false;
    bool efficiencyEdited_ = false;
    std::optional<EnergyResult> result_;
    std::optional<EnergyCharts> charts_;
    std::optional<RecordStatistics> statistics_;
    std::string method_;  // of the last calculation
};

}  // namespace aub

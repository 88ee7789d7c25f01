#pragma once
// The economic balance of a site, "BILAN ECONOMIQUE": the annual energy's figures (read
// from the annual-energy window, or typed), the investment by item (pre-filled from a
// specific cost), the sale (purchase obligation, fixed price or self-consumption), the
// yearly costs and rates; "Calcul" gives the net present value, the internal rate, the
// simple payback, the levelised cost, the cumulative cash flow year by year (table and
// chart) and, when the annual-energy window has its design-flow sweep, the net present
// value of each design flow with the best economic one marked beside the most-energy one.
#include <optional>
#include <string>
#include <vector>

#include "core/FormulaCode.h"
#include "economy/CashFlow.h"
#include "economy/EconomicSweep.h"
#include "energy/MachineEfficiency.h"
#include "forms/Form.h"
#include "forms/StudyDeclaration.h"

namespace aub {

constexpr int BilanEconomiqueHelpRecord = number(FormulaCode::EconomicBalance);

class BilanEconomique : public Form {
public:
    explicit BilanEconomique(Session& s);
    static std::vector<StudyBox> studyInputs();
    static std::vector<StudyBox> studyResults();
    void load() override;

    // Reads the annual-energy window's last results into the first boxes and pre-fills the
    // investment; false (its message shown) when there are none.
    bool readEnergy();
    // Fills the investment items and the maintenance from the power and the specific cost.
    void prefill();
    // "Calcul": false when an input stopped it (its message shown).
    bool calculate();
    void openBalance(const std::string& name);
    void saveBalanceAs(const std::string& name);

    const std::optional<CashFlowResult>& result() const { return result_; }
    const std::optional<EconomicSweep>& sweep() const { return sweep_; }

private:
    void saleChosen();
    void clearResults();
    void drawChart();
    void fillTable();
    void askOpen();
    void askSaveAs();

    MachineType machine_ = MachineType::CrossFlow;
    std::string balanceName_;
    bool filling_ = false;
    std::optional<CashFlowResult> result_;
    std::optional<EconomicSweep> sweep_;
    double sweepDesignFlow_ = 0;
    double designFlow_ = 0;  // Qd of the annual energy read (0: none read)
};

}  // namespace aub

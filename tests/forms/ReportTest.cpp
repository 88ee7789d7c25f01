// The report read from a window: which boxes are data and which are results, their
// captions, what the last calculation said, and the plain-text dossier.
#include <gtest/gtest.h>

#include <fstream>

#include "forms/Form.h"
#include "forms/RecordingPlatform.h"
#include "forms/Report.h"
#include "forms/Script.h"
#include "forms/ScriptedDialogs.h"
#include "forms/Session.h"
#include "forms/WindowCatalog.h"
#include "support/WindowTest.h"

namespace aub {
namespace {

// A pump-like sheet: two data boxes, a result frame captioned "RESULTATS", a locked box
// outside it, a hidden box, an observation list, a design list and a drawing.
class Sheet : public Form {
public:
    explicit Sheet(Session& s) : Form(s, "Sheet", "FEUILLE D'ESSAI") {
        frame("Frame1", -1, "DONNEES").at(0, 0);
        label("Label", 0, "Débit l/s").in("Frame1").at(0, 0);
        textBox("Valbox", 0, "12").in("Frame1").at(0, 1);
        label("Label", 1, "Hauteur m").in("Frame1").at(1, 0);
        textBox("Valbox", 1, "3").in("Frame1").at(1, 1);
        textBox("Valbox", 2, "secret").in("Frame1").at(2, 1).hidden();
        listBox("Files").in("Frame1").at(3, 0).items = {"A.txt"};
        frame("Frame2", -1, "Résultats").at(0, 1);
        label("Label", 5, "Puissance W").in("Frame2").at(0, 0);
        textBox("Resu", 0).in("Frame2").at(0, 1);
        textBox("Total", -1).at(1, 0).locked = true;  // no label in its row: no frame either
        listBox("Notes").at(2, 0).items = {"OBSERVATIONS", " néant"};
        canvas("Picture1").at(3, 0).size(1500, 1500).drawing.line(0, 0, 1, 1);
        button("Calcul", -1, "Calcul");
        button("Clear", -1, "Efface");
        helpRecord = 2;
        on("Files", EventKind::Click, [](int) {});
        on("Calcul", EventKind::Click, [this](int) {
            const float p = 9.81f * num("Valbox", 0) * num("Valbox", 1);
            set("Resu", 0, std::to_string(static_cast<int>(p)));
            set("Total", -1, "ok");
            if (p > 300) dialogs().message("Puissance élevée");
        });
        on("Clear", EventKind::Click, [this](int) {
            set("Resu", 0, "");
            set("Total", -1, "");
        });
        on("Valbox", EventKind::Change, [](int) {});
    }
};

class ReportTest : public ::testing::Test {
protected:
    void SetUp() override {
        catalog_.add("Sheet", [](Session& s) { return std::make_unique<Sheet>(s); });
        std::ofstream help(folder_.path() / "Microfich.txt", std::ios::binary);
        help << std::string(10000, ' ') << "POMPE\r\nP = 9,81 Q H" << std::string(10000 - 19, ' ');
        session_ = std::make_unique<Session>(catalog_, dialogs_, platform_, folder_.path());
    }
    Form& sheet() { return session_->load("Sheet"); }
    void step(const std::string& s) { ASSERT_EQ(runStep(*session_, "Sheet", s).status, 0) << s; }
    static const ReportGroup* group(const std::vector<ReportGroup>& groups, const std::string& title) {
        for (const auto& g : groups)
            if (g.title == title) return &g;
        return nullptr;
    }

    test::TempFolder folder_;
    WindowCatalog catalog_;
    ScriptedDialogs dialogs_;
    RecordingPlatform platform_;
    std::unique_ptr<Session> session_;
};

TEST_F(ReportTest, DataAndResultsAreToldApartWithTheirCaptions) {
    sheet();
    step("Calcul");
    const WindowReport r = buildWindowReport(sheet());
    EXPECT_EQ(r.title, "FEUILLE D'ESSAI");
    ASSERT_TRUE(r.calculated);
    const ReportGroup* data = group(r.inputs, "DONNEES");
    ASSERT_NE(data, nullptr);
    // The hidden box stays out; a design list with nothing chosen too.
    ASSERT_EQ(data->rows.size(), 2u);
    EXPECT_EQ(data->rows[0].caption, "Débit l/s");
    EXPECT_EQ(data->rows[0].value, "12");
    EXPECT_EQ(data->rows[1].caption, "Hauteur m");
    const ReportGroup* results = group(r.results, "Résultats");
    ASSERT_NE(results, nullptr);
    ASSERT_EQ(results->rows.size(), 1u);
    EXPECT_EQ(results->rows[0].caption, "Puissance W");
    EXPECT_EQ(results->rows[0].value, "353");
    // A locked box is a result; with neither label nor frame, its name captions it.
    const ReportGroup* loose = group(r.results, "");
    ASSERT_NE(loose, nullptr);
    EXPECT_EQ(loose->rows[0].caption, "Total");
    EXPECT_EQ(loose->rows[0].value, "ok");
    ASSERT_EQ(r.observations.size(), 1u);
    EXPECT_EQ(r.observations[0].rows.size(), 2u);
    ASSERT_EQ(r.figures.size(), 1u);
    EXPECT_EQ(r.figures[0].drawing.ops().size(), 1u);
    EXPECT_EQ(r.method, "P = 9,81 Q H");  // the record without its title line
}

TEST_F(ReportTest, NamedResultBoxesOverrideTheGeneralRule) {
    Form& f = sheet();
    f.resultBoxes = {"Valbox(1)", "Frame2"};
    EXPECT_TRUE(isResultBox(f, f.ctl("Valbox", 1)));
    EXPECT_TRUE(isResultBox(f, f.ctl("Resu", 0)));  // by its frame
    EXPECT_FALSE(isResultBox(f, f.ctl("Valbox", 0)));
    EXPECT_FALSE(isResultBox(f, f.ctl("Total")));  // locked, but not named
    f.resultBoxes = {"Resu"};
    EXPECT_TRUE(isResultBox(f, f.ctl("Resu", 0)));  // by its array name
}

// A session that makes no dossier notes nothing of its calculations; one that does
// notes them again from its next event.
TEST_F(ReportTest, ASessionThatRecordsNoCalculationNotesNothing) {
    session_->recordsCalculations = false;
    sheet();
    step("Calcul");
    EXPECT_TRUE(sheet().calculationMessages.empty());
    EXPECT_TRUE(session_->lastCalculationWindow().empty());
    session_->show("Sheet");
    EXPECT_TRUE(session_->lastCalculationWindow().empty());
    session_->recordsCalculations = true;
    step("Valbox(0)=13");
    step("Calcul");
    EXPECT_EQ(sheet().calculationMessages, std::vector<std::string>{"Puissance élevée"});
    EXPECT_EQ(session_->lastCalculationWindow(), "Sheet");
}

TEST_F(ReportTest, NeverCalculatedSaysSoAndStillListsTheData) {
    sheet();
    Report report{"Programme", "Étude", "01/02/2026", {buildWindowReport(sheet())}};
    EXPECT_FALSE(report.windows[0].calculated);
    const std::string text = reportText(report);
    EXPECT_NE(text.find("Données\n  [DONNEES]\n  Débit l/s : 12 l/s\n  Hauteur m : 3 m\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Résultats\n  Aucun calcul effectué\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Méthode\n  P = 9,81 Q H\n"), std::string::npos) << text;
}

TEST_F(ReportTest, MessagesOfTheLastCalculationOnly) {
    sheet();
    step("Calcul");  // 9.81 · 12 · 3 > 300
    EXPECT_EQ(sheet().calculationMessages, std::vector<std::string>{"Puissance élevée"});
    EXPECT_EQ(session_->lastCalculationWindow(), "Sheet");
    std::string text = reportText({"P", "", "d", {buildWindowReport(sheet())}});
    EXPECT_NE(text.find("Observations\n  Puissance élevée\n"), std::string::npos) << text;

    // A calculation that says nothing replaces what the previous one said.
    step("Valbox(0)=1");
    step("Calcul");
    EXPECT_TRUE(sheet().calculationMessages.empty());
    // Cleared results: no calculation shown, no messages of an earlier one.
    step("Valbox(0)=12");
    step("Calcul");
    step("Clear");
    const WindowReport r = buildWindowReport(sheet());
    EXPECT_FALSE(r.calculated);
    EXPECT_TRUE(r.messages.empty());
}

TEST_F(ReportTest, EmptySectionsAreLeftOut) {
    Form& f = sheet();
    f.helpRecord = 0;
    f.ctl("Notes").visible = false;
    f.ctl("Picture1").visible = false;
    step("Valbox(0)=1");
    step("Calcul");
    const std::string text = reportText({"P", "", "d", {buildWindowReport(f)}});
    EXPECT_EQ(text.find("Observations"), std::string::npos) << text;
    EXPECT_EQ(text.find("Dessins"), std::string::npos);
    EXPECT_EQ(text.find("Méthode"), std::string::npos);
    EXPECT_EQ(text.find("Étude"), std::string::npos);  // no study name typed
}

// A page that writes some of its results into boxes the person can type into.
class Page : public Form {
public:
    explicit Page(Session& s) : Form(s, "Page", "PAGE") {
        label("Label", 0, "Largeur m").at(0, 0);
        textBox("zonetxt", 0, "2").at(0, 1);
        label("Label", 1, "Coefficient").at(1, 0);
        textBox("zonetxt", 1).at(1, 1);
        label("Label", 2, "Débit m3/s").at(2, 0);
        textBox("zoneresu", -1).at(2, 1);
        resultBoxes = {"zoneresu"};
        button("CALCUL", -1, "CALCUL ");
        on("CALCUL", EventKind::Click, [this](int) {
            set("zonetxt", 1, "0.55");
            set("zoneresu", -1, "1.1");
        });
        on("zonetxt", EventKind::Change, [this](int) { set("zoneresu", -1, ""); });
    }
};

TEST_F(ReportTest, BoxesWrittenByTheCalculationAreResultsUntilTyped) {
    catalog_.add("Page", [](Session& s) { return std::make_unique<Page>(s); });
    Form& page = session_->load("Page");
    ASSERT_EQ(runStep(*session_, "Page", "CALCUL").status, 0);
    WindowReport r = buildWindowReport(page);
    ASSERT_EQ(r.results.size(), 1u);
    ASSERT_EQ(r.results[0].rows.size(), 2u);
    EXPECT_EQ(r.results[0].rows[0].caption, "Coefficient");
    EXPECT_EQ(r.results[0].rows[0].value, "0.55");
    EXPECT_EQ(r.inputs[0].rows.size(), 1u);
    // Typing into it empties the result: the typed value is data again.
    ASSERT_EQ(runStep(*session_, "Page", "zonetxt(1)=0.6").status, 0);
    r = buildWindowReport(page);
    EXPECT_FALSE(r.calculated);
    EXPECT_EQ(r.inputs[0].rows.size(), 2u);
    EXPECT_TRUE(page.calculationWritten.empty());
}

}  // namespace
}  // namespace aub

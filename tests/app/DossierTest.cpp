// The dossier of the worked examples (overshot wheel, turbine, pressure pipe) read
// against their boxes, and the main window's "Impression" entries that build it.
#include <gtest/gtest.h>

#include <map>

#include "app/Dossier.h"
#include "core/NumberText.h"
#include "forms/Report.h"
#include "forms/Session.h"
#include "support/WindowTest.h"

namespace aub::test {
namespace {

class DossierTest : public WindowTest {
protected:
    void overshotExample() {
        open("Formrouehaut");
        step("Formrouehaut", "List1=H0Dalmor.txt");
        step("Formrouehaut", "Calcul");
    }
    void turbineExample() {
        open("Formroue");
        step("Formroue", "Command1");
    }
    void pipeExample() {
        open("Formbuse");
        step("Formbuse", "Combo1=Fonte neuve");
        step("Formbuse", "Colebrook");
    }
    // Every row of the report, by control text: caption -> value, for one section.
    static std::multimap<std::string, std::string> rows(const std::vector<ReportGroup>& groups) {
        std::multimap<std::string, std::string> out;
        for (const auto& g : groups)
            for (const auto& r : g.rows) out.emplace(r.caption, r.value);
        return out;
    }
    // Each box of the array `name` shown on the window appears in `section` with the
    // caption of the label of the same index and the text the box shows.
    void expectBoxes(Form& f, const std::vector<ReportGroup>& section, const std::string& name,
                     const std::string& labels) {
        const auto all = rows(section);
        int seen = 0;
        for (const auto& c : f.controls()) {
            if (c->name() != name || !isShown(f, *c)) continue;
            const Control* label = f.find(labels, c->index());
            ASSERT_NE(label, nullptr) << c->key();
            const auto range = all.equal_range(trim(label->caption));
            bool found = false;
            for (auto it = range.first; it != range.second; ++it) found = found || it->second == trim(c->text());
            EXPECT_TRUE(found) << c->key() << " « " << label->caption << " » = " << c->text();
            ++seen;
        }
        EXPECT_GT(seen, 0);
    }
};

TEST_F(DossierTest, OvershotExampleShowsEveryBoxAndItsMethod) {
    overshotExample();
    Form& f = *session().loaded("Formrouehaut");
    const WindowReport r = buildWindowReport(f);
    ASSERT_TRUE(r.calculated);
    expectBoxes(f, r.inputs, "Valbox", "Label");
    expectBoxes(f, r.results, "Resubox", "Labelresu");
    EXPECT_EQ(rows(r.results).find("Rendement H %")->second, "58.825");
    EXPECT_EQ(r.method, session().helpText(18));
    EXPECT_EQ(r.method.rfind("ROUE EN DESSUS", 0), 0u);
}

TEST_F(DossierTest, TurbineExampleKeepsTypedEfficiencyAmongTheDataAndComputedNsAmongResults) {
    turbineExample();
    Form& f = *session().loaded("Formroue");
    const WindowReport r = buildWindowReport(f);
    ASSERT_TRUE(r.calculated);
    const auto data = rows(r.inputs);
    EXPECT_EQ(data.find("Hauteur (m)")->second, "10");
    EXPECT_EQ(data.find("Rendement")->second, ".85");
    const auto results = rows(r.results);
    // Base 1 computes Ns from the speed: written by the calculation, it is a result.
    EXPECT_EQ(data.count("Ns vitesse spécifique"), 0u);
    EXPECT_EQ(results.find("Ns vitesse spécifique")->second, "104");
    EXPECT_EQ(results.count("Rendement"), 0u);
    EXPECT_EQ(results.find("Type de roue")->second, "Francis lente");
    EXPECT_EQ(results.find("Diamètre roue entrée m.")->second, "1.887");
    EXPECT_EQ(results.find("Omega rad/s")->second, "10.4719760");
    // The two power frames keep their captions apart.
    ASSERT_EQ(r.results.size(), 5u);
    EXPECT_EQ(r.results[0].title, "Chute");
    ASSERT_EQ(r.results[1].title, "Puissance théorique");
    EXPECT_EQ(r.results[1].rows[0].value, "399.990000");
    EXPECT_EQ(r.results[2].title, "Puissance utile");
    // The runner's picture (its local help is the help pages, not a record: no method).
    ASSERT_EQ(r.figures.size(), 1u);
    EXPECT_EQ(r.figures[0].picture, "franlent.jpg");
    EXPECT_TRUE(r.method.empty());
}

TEST_F(DossierTest, PipeExampleResultsComeFromTheResultFrame) {
    pipeExample();
    Form& f = *session().loaded("Formbuse");
    const WindowReport r = buildWindowReport(f);
    ASSERT_TRUE(r.calculated);
    const auto data = rows(r.inputs);
    EXPECT_EQ(data.find("Paroi")->second, "Fonte neuve");
    EXPECT_EQ(data.find("Diamètre mm")->second, "250");
    const auto results = rows(r.results);
    EXPECT_EQ(results.size(), 6u);
    EXPECT_EQ(results.find("Perte de charge mm/m")->second, "17.1148");
    EXPECT_EQ(results.find("H résiduelle m")->second, "14.658");
    EXPECT_EQ(r.method, session().helpText(27));
}

TEST_F(DossierTest, ImpressionEntriesCollectWindowsInTheOrderAdded) {
    open("Formmain");
    // Nothing calculated yet: the entries say so and write nothing.
    expectMessage("Aucune fenêtre de calcul n'est ouverte : ouvrez-en une et faites le calcul.");
    step("Formmain", "Impression/Dossier PDF…");
    pipeExample();
    overshotExample();
    expectMessage("« ertes cinétiques » est ajoutée au dossier (1 fenêtre).");
    step("Formmain", "Impression/Ajouter la fenêtre au dossier");
    step("Formbuse", "Valbox(1)=200");
    step("Formbuse", "Colebrook");  // calculating again makes it the last one used
    expectMessage("« PERTES DE CHARGE D UNE CONDUITE EN CHARGE » est ajoutée au dossier (2 fenêtres).");
    step("Formmain", "Impression/Ajouter la fenêtre au dossier");
    answer("Moulin/Bief : « essai »");
    step("Formmain", "Impression/Dossier PDF…");
    ASSERT_FALSE(platform_.calls.empty());
    EXPECT_EQ(platform_.calls.back(), "saveDossier Moulin/Bief : « essai » Formrouehaut Formbuse");
    ASSERT_TRUE(platform_.dossier);
    EXPECT_EQ(platform_.dossier->program, programVersionText());
    // Written: the next dossier starts empty and reports the window used last.
    EXPECT_TRUE(session().dossier.empty());
    answer("Variante");
    step("Formmain", "Impression/Dossier PDF…");
    EXPECT_EQ(platform_.calls.back(), "saveDossier Variante Formbuse");
}

TEST_F(DossierTest, CancelledStudyNameWritesNothingAndKeepsTheDossier) {
    overshotExample();
    open("Formmain");
    expectMessage("« ertes cinétiques » est ajoutée au dossier (1 fenêtre).");
    step("Formmain", "Impression/Ajouter la fenêtre au dossier");
    dialogs_.answer(std::string());  // Annuler
    const auto before = platform_.calls.size();
    step("Formmain", "Impression/Dossier PDF…");
    EXPECT_EQ(platform_.calls.size(), before);
    EXPECT_EQ(session().dossier.size(), 1u);
}

TEST_F(DossierTest, CommandLineWindowsAreTheFirstThenTheOthersOnce) {
    EXPECT_EQ(reportedWindows(catalog_, "formrouehaut",
                              {"Valbox(0)=a:b", "Formroue:Command1", "Calcul", "FORMROUE:Command2",
                               "Formbuse:Colebrook", "Nulle:x"}),
              (std::vector<std::string>{"Formrouehaut", "Formroue", "Formbuse"}));
}

TEST_F(DossierTest, DrawingWindowsShownByTheCalculationFollowIt) {
    overshotExample();
    step("Formrouehaut", "graphique");
    const Report report = makeReport(session(), {"Formrouehaut"}, "");
    ASSERT_EQ(report.windows.size(), 2u);
    EXPECT_EQ(report.windows[1].window, "Formgraph");
    ASSERT_FALSE(report.windows[1].figures.empty());
    EXPECT_FALSE(report.windows[1].figures[0].drawing.ops().empty());
}

TEST_F(DossierTest, ChartShownByThePipeFollowsItAndTheTextListsEverySeries) {
    pipeExample();
    step("Formbuse", "Diagramme de Moody");
    const Report report = makeReport(session(), {"Formbuse"}, "");
    ASSERT_EQ(report.windows.size(), 2u);
    const WindowReport& moody = report.windows[1];
    EXPECT_EQ(moody.window, "Moody");
    ASSERT_EQ(moody.figures.size(), 1u);
    const ReportFigure& fig = moody.figures[0];
    ASSERT_EQ(fig.kind, ReportFigure::Kind::Chart);
    const Chart& shown = session().load("Moody").ctl("Graphe").chart;
    ASSERT_EQ(fig.chart.series().size(), shown.series().size());

    const std::string text = reportText(report);
    const auto window = text.find("=== DIAGRAMME DE MOODY (Moody)");
    ASSERT_NE(window, std::string::npos) << text;
    const auto heading = text.find(std::string("\n") + ReportFiguresChartsTitle + "\n", window);
    ASSERT_NE(heading, std::string::npos) << text;
    EXPECT_NE(
        text.find("graphique « Diagramme de Moody » : Nombre de Reynolds Re (log) / Coefficient de frottement f (log)",
                  heading),
        std::string::npos)
        << text;
    // One line per series of the window's chart, with its number of points, the pipe's
    // operating point among them.
    for (const ChartSeries& s : shown.series()) {
        const std::string line = "série « " + s.name + " » (" + seriesKindName(s.kind) +
                                 ") : " + std::to_string(s.points.size()) +
                                 (s.points.size() == 1 ? " point" : " points");
        EXPECT_NE(text.find(line, heading), std::string::npos) << line << "\n" << text;
    }
    EXPECT_NE(text.find("série « Point de fonctionnement » (" + std::string(seriesKindName(SeriesKind::Marker)) +
                        ") : 1 point, x de "),
              std::string::npos)
        << text;
    // The drawings of a window without charts keep their heading.
    EXPECT_EQ(figuresTitle(report.windows[0]), std::string(ReportFiguresTitle));
}

// The rows the dossier prints for the annual energy's curve box.
std::vector<std::string> curveRows(Form& f) {
    const WindowReport r = buildWindowReport(f);
    for (const ReportGroup& g : r.observations)
        if (!g.rows.empty() && g.rows.front().caption.find(';') != std::string::npos) {
            std::vector<std::string> out;
            for (const ReportRow& row : g.rows) out.push_back(row.caption);
            return out;
        }
    return {};
}

TEST_F(DossierTest, ALongCurveIsPrintedAtTheQuotedExceedanceFrequenciesAndAShortOneWhole) {
    open("Productible");
    Form& f = load("Productible");
    // 6 001 points, 0 to 100 % by 1/60 %: the flow falls from 10 to 0 m3/s.
    std::string curve;
    for (int i = 0; i <= 6000; ++i)
        curve += formatMask(i / 60.0, "0.000") + ";" + formatMask(10.0 - i / 600.0, "0.000") + "\r\n";
    f.set("Courbe", -1, curve);
    const auto rows = curveRows(f);
    ASSERT_EQ(rows.size(), 16u);  // the 15 quoted frequencies and the line that says so
    EXPECT_EQ(rows.front(), "0.000;10.000");
    EXPECT_EQ(rows[7], "50.000;5.000");
    EXPECT_EQ(rows[14], "100.000;0.000");
    EXPECT_EQ(rows.back(),
              "(courbe de 6001 points, imprimée aux fréquences de dépassement 0, 1, 5, 10, 20 … 90, 95, 99 et 100 %)");

    f.set("Courbe", -1, "0;3\r\n50;1\r\n100;0.2\r\n");
    EXPECT_EQ(curveRows(f), (std::vector<std::string>{"0;3", "50;1", "100;0.2"}));
}

}  // namespace
}  // namespace aub::test

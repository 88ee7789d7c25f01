// The dossier of the worked examples (overshot wheel, turbine, pressure pipe) read
// against their boxes, and the main window's "Impression" entries that build it.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "app/Dossier.h"
#include "core/NumberText.h"
#include "forms/DossierEntry.h"
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
    // The method is the help record's account of the calculation, without its title and
    // without what it says about menus and files.
    EXPECT_NE(r.method.find("Le calcul suit le jet depuis la vanne"), std::string::npos) << r.method;
    EXPECT_EQ(r.method.find("ROUE EN DESSUS"), std::string::npos);
    EXPECT_EQ(r.method.find("H0Dalmor.txt"), std::string::npos) << r.method;
    EXPECT_EQ(r.method.find("menu"), std::string::npos) << r.method;
}

TEST_F(DossierTest, TurbineExampleKeepsTypedEfficiencyAmongTheDataAndComputedNsAmongResults) {
    turbineExample();
    Form& f = *session().loaded("Formroue");
    const WindowReport r = buildWindowReport(f);
    ASSERT_TRUE(r.calculated);
    const auto data = rows(r.inputs);
    EXPECT_EQ(data.find("Hauteur (m)")->second, "10");
    EXPECT_EQ(data.find("Rendement")->second, "0.85");  // shown ".85"
    const auto results = rows(r.results);
    // Base 1 computes Ns from the speed: written by the calculation, it is a result.
    EXPECT_EQ(data.count("Ns vitesse spécifique"), 0u);
    EXPECT_EQ(results.find("Ns vitesse spécifique")->second, "104");
    EXPECT_EQ(results.count("Rendement"), 0u);
    EXPECT_EQ(results.find("Type de roue")->second, "Francis lente");
    EXPECT_EQ(results.find("Diamètre roue entrée m.")->second, "1.887");
    EXPECT_EQ(results.find("Omega rad/s")->second, "10.471976");  // shown "10.4719760"
    // The two power frames keep their captions apart.
    ASSERT_EQ(r.results.size(), 5u);
    EXPECT_EQ(r.results[0].title, "Chute");
    ASSERT_EQ(r.results[1].title, "Puissance théorique");
    EXPECT_EQ(r.results[1].rows[0].value, "399.99");
    EXPECT_EQ(r.results[2].title, "Puissance utile");
    // The runner's picture, and the method of the base used (its help is the help pages, not a record).
    ASSERT_EQ(r.figures.size(), 1u);
    EXPECT_EQ(r.figures[0].picture, "franlent.jpg");
    EXPECT_NE(r.method.find("Vitesse spécifique Ns = N × √Pu / H^1,25"), std::string::npos) << r.method;
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
    for (const auto& g : r.results)
        for (const auto& row : g.rows)
            if (row.caption == "Perte de charge mm/m") {
                EXPECT_EQ(row.unit, "mm/m");
            }
    EXPECT_NE(r.method.find("Colebrook-White"), std::string::npos) << r.method;
    EXPECT_NE(r.method.find("« Fonte neuve » ε = 0.25 mm"), std::string::npos) << r.method;
    EXPECT_EQ(r.method.find("menu"), std::string::npos);
}

TEST_F(DossierTest, ImpressionEntriesCollectWindowsInTheOrderAdded) {
    open("Formmain");
    // Nothing calculated yet: the entries say so and write nothing.
    expectMessage("Aucune fenêtre de calcul n'est ouverte : ouvrez-en une et faites le calcul.");
    step("Formmain", "Impression/Dossier PDF…");
    pipeExample();
    overshotExample();
    expectMessage("« Roue au dessus » est ajoutée au dossier.\nDossier : 1 fenêtre — Roue au dessus");
    step("Formmain", "Impression/Ajouter la fenêtre au dossier");
    step("Formbuse", "Valbox(1)=200");  // working in a window makes it the last one used
    expectMessage(
        "« Conduite en charge » est ajoutée au dossier.\nDossier : 2 fenêtres — Roue au dessus, Conduite en charge");
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
    expectMessage("« Roue au dessus » est ajoutée au dossier.\nDossier : 1 fenêtre — Roue au dessus");
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

TEST_F(DossierTest, EveryCalculationWindowHasItsOwnEntryAndTheMainWindowKeepsItsOwn) {
    std::vector<std::string> windows;
    for (const auto& d : catalog_.studies())
        if (d.window != "Formmain" && std::find(windows.begin(), windows.end(), d.window) == windows.end())
            windows.push_back(d.window);
    ASSERT_GE(windows.size(), 15u);
    for (const auto& name : windows) {
        Form& f = load(name);
        const Control* entry = f.find(DossierEntryName);
        ASSERT_NE(entry, nullptr) << name;
        EXPECT_EQ(entry->caption, DossierEntryCaption) << name;
        // In a menu of the bar, which is itself in the bar.
        const Control* parent = f.find(entry->menuParent);
        ASSERT_NE(parent, nullptr) << name;
        EXPECT_EQ(parent->menuParent, "") << name;
    }
    // In the printing menu where there is one, else the file menu.
    EXPECT_EQ(load("Banki").find(DossierEntryName)->menuParent, "Imprimer");
    EXPECT_EQ(load("Formbuse").find(DossierEntryName)->menuParent, "Fichier");
    EXPECT_EQ(load("Formmain").find(DossierEntryName)->caption, "Ajouter la fenêtre au dossier");
}

TEST_F(DossierTest, AModalWindowAddsItselfAndItsCompanionsFromItsOwnMenu) {
    overshotExample();
    step("Formrouehaut", "graphique");
    expectMessage("« Roue au dessus » est ajoutée au dossier.\nDossier : 2 fenêtres — Roue au dessus, " +
                  trim(load("Formgraph").caption));
    step("Formrouehaut", "Fichier/Ajouter au dossier");
    ASSERT_EQ(session().dossier.size(), 2u);
    EXPECT_EQ(session().dossier[0].window, "Formrouehaut");
    EXPECT_EQ(session().dossier[1].window, "Formgraph");
}

TEST_F(DossierTest, AClosedWindowsReportStaysForTheMainWindowsEntry) {
    open("Formmain");
    pipeExample();
    session().unload("Formbuse", CloseMode::System);
    ASSERT_EQ(session().loaded("Formbuse"), nullptr);
    expectMessage("« Conduite en charge » est ajoutée au dossier.\nDossier : 1 fenêtre — Conduite en charge");
    step("Formmain", "Impression/Ajouter la fenêtre au dossier");
    ASSERT_EQ(session().dossier.size(), 1u);
    EXPECT_TRUE(session().dossier[0].calculated);
    EXPECT_EQ(rows(session().dossier[0].results).find("Perte de charge mm/m")->second, "17.1148");
}

TEST_F(DossierTest, TheWindowThePersonWorkedInLastIsAddedNotTheOneCalculatedLast) {
    open("Formmain");
    turbineExample();
    pipeExample();
    step("Formroue", "boitebase(0)=12");  // back to the turbine window
    expectMessage("« Turbine » est ajoutée au dossier.\nDossier : 1 fenêtre — Turbine");
    step("Formmain", "Impression/Ajouter la fenêtre au dossier");
    ASSERT_EQ(session().dossier.size(), 1u);
    EXPECT_EQ(session().dossier[0].window, "Formroue");
}

TEST_F(DossierTest, ThePipesWarningsAndItsMoodyDiagramGoInItsReport) {
    pipeExample();
    step("Formbuse", "Valbox(2)=300");  // 6.1 m/s in 250 mm
    step("Formbuse", "Colebrook");
    const WindowReport r = buildWindowReport(*session().loaded("Formbuse"));
    ASSERT_TRUE(r.calculated);
    ASSERT_FALSE(r.messages.empty());
    EXPECT_NE(std::find(r.messages.begin(), r.messages.end(), "AVERTISSEMENT Vitesse de l'eau supérieure à 5 m/s"),
              r.messages.end());
    // The Moody diagram with the operating point, though its window was never opened.
    ASSERT_EQ(r.figures.size(), 1u);
    EXPECT_EQ(r.figures[0].kind, ReportFigure::Kind::Chart);
    const auto& series = r.figures[0].chart.series();
    EXPECT_TRUE(std::any_of(series.begin(), series.end(),
                            [](const ChartSeries& s) { return s.kind == SeriesKind::Marker && s.points.size() == 1; }));
    // Scimemi states its own law, with the wall's coefficients, and draws no Moody point.
    step("Formbuse", "Valbox(2)=100");
    step("Formbuse", "Scimemi");
    const WindowReport scimemi = buildWindowReport(*session().loaded("Formbuse"));
    EXPECT_NE(scimemi.method.find("Scimemi"), std::string::npos);
    EXPECT_NE(scimemi.method.find("k0 = 35"), std::string::npos) << scimemi.method;
    EXPECT_EQ(scimemi.method.find("Colebrook"), std::string::npos) << scimemi.method;
    EXPECT_TRUE(scimemi.figures.empty());
    EXPECT_TRUE(scimemi.messages.empty());
}

TEST_F(DossierTest, TheAnnualEnergyStatesItsReservedFlowRuleAndItsEfficiencySource) {
    open("Productible");
    answer("Site exemple");
    step("Productible", "Fichier/Ouvrir");
    step("Productible", "Calcul");
    const WindowReport r = buildWindowReport(*session().loaded("Productible"));
    ASSERT_TRUE(r.calculated);
    EXPECT_EQ(r.section, "Productible annuel");
    EXPECT_NE(r.method.find("Débit réservé : "), std::string::npos) << r.method;
    EXPECT_NE(r.method.find("Rendement de la machine"), std::string::npos) << r.method;
    EXPECT_EQ(r.method.find("menu"), std::string::npos) << r.method;
    // The first page's site, from the section that computes it.
    const Report report = makeReport(session(), {"Productible"}, "Site exemple");
    EXPECT_EQ(report.site, (std::vector<std::string>{"Hauteur de chute : 3.2 m (Productible annuel)",
                                                     "Débit : 1.2 m3/s (Productible annuel)",
                                                     "Puissance maximale brute : 37.7 kW (Productible annuel)"}));
    // The three charts, the window left showing its own.
    std::vector<std::string> titles;
    for (const auto& f : r.figures)
        if (f.kind == ReportFigure::Kind::Chart) titles.push_back(f.chart.title);
    EXPECT_EQ(titles, (std::vector<std::string>{"Débits classés et débit turbiné", "Puissance électrique",
                                                "Productible selon le débit d'équipement"}));
    EXPECT_EQ(session().loaded("Productible")->ctl("Graphe").chart.title, "Débits classés et débit turbiné");
}

TEST(ReportValues, TheShownTextIsWrittenAsAReaderWritesANumber) {
    const std::pair<const char*, const char*> cases[] = {{".85", "0.85"},    {"23895.5600000", "23895.56"},
                                                         {"0.", "0"},        {".", "0"},
                                                         {"-.5", "-0.5"},    {"12", "12"},
                                                         {"1.887", "1.887"}, {"100.000", "100"},
                                                         {"-0.", "0"},       {"Fonte neuve", "Fonte neuve"},
                                                         {"1,5", "1,5"},     {" 14.658 ", "14.658"},
                                                         {"1e5", "1e5"},     {"", ""}};
    for (const auto& [shown, read] : cases) EXPECT_EQ(readableValue(shown), read) << shown;
}

TEST(ReportValues, TheUnitIsTheOneTheCaptionEndsWith) {
    const std::pair<const char*, const char*> cases[] = {{"Perte de charge mm/m", "mm/m"},
                                                         {"Hauteur (m)", "m"},
                                                         {"Rendement H %", "%"},
                                                         {"Diamètre roue entrée m.", "m"},
                                                         {"Débit réservé (m3/s)", "m3/s"},
                                                         {" Vitesse de l'eau m/s", "m/s"},
                                                         {"Nature conduite", ""},
                                                         {"Type de roue", ""},
                                                         {"Charge amont (hauteur)", ""},
                                                         {"Omega rad/s", "rad/s"},
                                                         {"Productible annuel (kWh/an)", "kWh/an"},
                                                         {"Rendement à 10 %", ""},
                                                         {"Débit minimal (% de Qd)", ""}};
    for (const auto& [caption, unit] : cases) EXPECT_EQ(captionUnit(caption), unit) << caption;
}

TEST(ReportValues, TheSummaryNamesEverySection) {
    std::vector<WindowReport> w(3);
    w[0].section = "Roue au dessus";
    w[1].section = "Productible annuel";
    w[2].section = "Conduite en charge";
    EXPECT_EQ(dossierSummary(w), "Dossier : 3 fenêtres — Roue au dessus, Productible annuel, Conduite en charge");
    w.resize(1);
    EXPECT_EQ(dossierSummary(w), "Dossier : 1 fenêtre — Roue au dessus");
}

TEST(ReportValues, TheMethodLeavesOutTheTitleAndWhatIsSaidOfMenusAndFiles) {
    EXPECT_EQ(methodFromHelp("ROUE — AIDE\r\n\r\nLe calcul suit le jet. Cliquez sur Calcul pour lancer.\r\n"
                             "Menus :\r\nFichiers : les projets H*.txt.\r\nLa perte vaut J × L."),
              "Le calcul suit le jet.\nLa perte vaut J × L.");
}

}  // namespace
}  // namespace aub::test

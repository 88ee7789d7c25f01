// The parametric study window: the calculations it lists and the one it opens on, a
// study run into the table and the chart, the second parameter and failed points,
// stopping, the CSV file and the clipboard, bad requests, and the person's windows,
// values and files left as they were.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <thread>

#include "app/Formmain.h"
#include "core/NumberText.h"
#include "files/TextFile.h"
#include "forms/Script.h"
#include "forms/Scripted.h"
#include "forms/Session.h"
#include "forms/WindowCatalog.h"
#include "study/EtudeParametrique.h"
#include "support/TempFolder.h"
#include "support/WindowTest.h"

namespace aub {
namespace {

namespace fs = std::filesystem;

constexpr const char* Essai = "Essai — parabole";

// A calculation made for these tests: y = k·x², refused for 2 < x < 3 (a failed point),
// taking `slowMs` milliseconds a point when asked.
class EssaiWindow : public Form {
public:
    EssaiWindow(Session& s, int slowMs) : Form(s, "Essai", "ESSAI") {
        label("Lx", -1, "Abscisse x").at(0, 0);
        textBox("X", -1, "1").at(0, 1);
        label("Lk", -1, "Coefficient k").at(1, 0);
        textBox("K", -1, "1").at(1, 1);
        label("Ly", -1, "Ordonnée y").at(2, 0);
        textBox("Y", -1).at(2, 1).locked = true;
        button("Calcul", -1, "Calcul").at(3, 0);
        resultBoxes = {"Y"};
        on("Calcul", EventKind::Click, [this, slowMs](int) {
            if (slowMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(slowMs));
            const float x = num("X"), k = num("K");
            if (x > 2 && x < 3) return stopCalculation("Hors domaine");
            set("Y", -1, formatGeneral(k * x * x));
        });
    }
};

class EtudeParametriqueTest : public test::WindowTest {
protected:
    void declareEssai(int slowMs = 0) {
        catalog_.add("Essai", [slowMs](Session& s) { return std::make_unique<EssaiWindow>(s, slowMs); });
        catalog_.declareStudy({.caption = Essai,
                               .window = "Essai",
                               .setup = {},
                               .action = "Calcul",
                               .inputs = {{"X", "Abscisse x"}, {"K", "Coefficient k"}},
                               .results = {{"Y", "Ordonnée y"}},
                               .filesList = ""});
    }
    EtudeParametrique& window() { return session().window<EtudeParametrique>(EtudeParametrique::WindowName); }
    void on(const std::string& s) { step(EtudeParametrique::WindowName, s); }
    Control& ctl(const std::string& name, int index = -1) { return window().ctl(name, index); }
    void sweep(const std::string& calculation, const std::string& parameter, const std::string& from,
               const std::string& to, const std::string& points) {
        on("Calcul=" + calculation);
        on("Parametre=" + parameter);
        on("De=" + from);
        on("A=" + to);
        on("Points=" + points);
    }
    void sweepEssai(const std::string& points = "11") {
        declareEssai();
        session().open(EtudeParametrique::WindowName);
        sweep(Essai, "Abscisse x", "0", "5", points);
    }
    const std::vector<std::vector<std::string>>& rows() { return ctl("Tableau").rows; }
    // The series of the chart by kind: the marked points, and the line segments.
    std::vector<const ChartSeries*> series(SeriesKind kind) {
        std::vector<const ChartSeries*> out;
        for (const ChartSeries& s : ctl("Graphe").chart.series())
            if (s.kind == kind) out.push_back(&s);
        return out;
    }
};

TEST_F(EtudeParametriqueTest, ListsEveryCalculationAndOpensOnTheWindowCalculatedLast) {
    open("Formrouehaut");
    step("Formrouehaut", "List1=H0Dalmor.txt");
    step("Formrouehaut", "Calcul");
    step("Formmain", "Utilités/Etude paramétrique…");
    EtudeParametrique& w = window();
    EXPECT_TRUE(w.visible());
    EXPECT_FALSE(w.modal());

    std::vector<std::string> captions;
    for (const StudyDeclaration* d : studyCalculations(catalog_)) captions.push_back(d->caption);
    EXPECT_EQ(captions.size(), catalog_.studies().size());
    for (const StudyDeclaration& d : catalog_.studies())
        EXPECT_NE(std::find(captions.begin(), captions.end(), d.caption), captions.end()) << d.caption;
    EXPECT_EQ(ctl("Calcul").items, captions);
    EXPECT_EQ(ctl("Calcul").text(), "Roue au dessus — Calcul");

    // Its inputs to vary (the second parameter may be none), its results to follow.
    ASSERT_FALSE(ctl("Parametre").items.empty());
    EXPECT_EQ(ctl("Parametre").items[4], "Diamètre Roue m");
    EXPECT_EQ(ctl("Second").items.front(), "(aucun)");
    EXPECT_EQ(ctl("Second").items.size(), ctl("Parametre").items.size() + 1);
    EXPECT_EQ(ctl("Suivi", 5).items.front(), "(aucun)");
    // The person's window is open: its values come first, then its design files.
    const auto& starts = ctl("Depart").items;
    ASSERT_GE(starts.size(), 3u);
    EXPECT_EQ(starts.front(), "Valeurs de la fenêtre");
    EXPECT_NE(std::find(starts.begin(), starts.end(), "H0Dalmor.txt"), starts.end());
    EXPECT_EQ(starts.back(), "Valeurs par défaut");

    // Without the window open, its design files and defaults only.
    session().unload("Formrouehaut", CloseMode::System);
    w.activate();
    EXPECT_EQ(ctl("Depart").items.front(), "H0Dalmor.txt");
}

// The general page shows one formula page at a time: the study opens on the page shown,
// and offers the values in the window as a starting point for that page only.
TEST_F(EtudeParametriqueTest, OpensOnTheFormulaPageShownAndOffersItsValuesForItOnly) {
    for (const char* s : {"Options1/Vanne", "zonetxt(0)=2", "zonetxt(1)=2", "zonetxt(2)=0.5", "CALCUL "})
        step("Formmain", s);
    session().open(EtudeParametrique::WindowName);
    const std::string gate = Formmain::studyDeclaration(*Formmain::formulaPage(FormulaCode::SluiceGate)).caption;
    EXPECT_EQ(ctl("Calcul").text(), gate);
    EXPECT_EQ(ctl("Depart").items.front(), "Valeurs de la fenêtre");

    std::string otherPage;
    for (const StudyDeclaration& d : catalog_.studies())
        if (d.window == "Formmain" && d.caption != gate && otherPage.empty()) otherPage = d.caption;
    ASSERT_FALSE(otherPage.empty());
    on("Calcul=" + otherPage);
    EXPECT_EQ(ctl("Depart").items, std::vector<std::string>{"Valeurs par défaut"});
    on("Calcul=" + gate);
    EXPECT_EQ(ctl("Depart").items.front(), "Valeurs de la fenêtre");
}

// The annual energy studied from the person's window: the private window gets the
// opened study's curve with the boxes, so every design flow has its energy, the one
// the window itself gives.
TEST_F(EtudeParametriqueTest, AnnualEnergyStudyFromTheWindowTakesItsCurve) {
    open("Productible");
    answer("Site exemple");
    step("Productible", "Fichier/Ouvrir");
    step("Productible", "Site(4)=2");
    step("Productible", "Calcul");
    const std::string single = text("Productible", "Resultat", 5);
    ASSERT_FALSE(single.empty());
    session().open(EtudeParametrique::WindowName);
    sweep("Productible annuel", "Débit d'équipement (m3/s)", "1", "2", "2");
    on("Depart=Valeurs de la fenêtre");
    on("Suivi(0)=Productible annuel (kWh/an)");
    on("Lancer");
    ASSERT_EQ(rows().size(), 2u);
    for (const auto& r : rows()) EXPECT_EQ(r.back(), "") << r[0];  // no "Données manquantes"
    EXPECT_EQ(rows()[1][0], "2");
    EXPECT_EQ(rows()[1][1], single);
    EXPECT_FALSE(rows()[0][1].empty());
}

// The overshot wheel swept from the values in the person's window: the table and the
// chart are filled, a row is what the window itself gives for the same inputs, and the
// person's window, program-wide values and files are exactly as before.
TEST_F(EtudeParametriqueTest, OvershotStudyFillsTableAndChartAndLeavesThePersonsSessionAlone) {
    open("Formrouehaut");
    step("Formrouehaut", "List1=H0Dalmor.txt");
    step("Formrouehaut", "Valbox(4)=3");  // typed, not saved
    Form& wheel = load("Formrouehaut");
    auto boxes = [&] {
        std::map<std::string, std::string> out;
        for (const auto& c : wheel.controls()) out[c->key()] = c->text() + "|" + c->caption;
        return out;
    };
    auto shared = [&] {
        std::vector<std::string> out;
        for (const auto& [name, member] : SharedValues::textFields()) out.push_back(session().shared().*member);
        out.push_back(std::to_string(session().shared().DecimalComma));
        return out;
    };
    auto files = [&] {
        std::vector<std::string> out;
        for (const auto& e : fs::recursive_directory_iterator(folder()))
            out.push_back(pathToUtf8(e.path()) + " " + std::to_string(e.is_regular_file() ? e.file_size() : 0));
        std::sort(out.begin(), out.end());
        return out;
    };
    const auto boxesBefore = boxes();
    const auto sharedBefore = shared();
    const auto filesBefore = files();
    const bool unsavedBefore = wheel.unsavedEdits();

    session().open(EtudeParametrique::WindowName);
    sweep("Roue au dessus — Calcul", "Diamètre Roue m", "2.5", "4", "16");
    on("Depart=Valeurs de la fenêtre");
    on("Suivi(0)=Puissance prévue watts");
    on("Suivi(1)=Rendement H %");
    on("Lancer");

    EXPECT_FALSE(window().running());
    EXPECT_FALSE(ctl("Minuterie").enabled);
    EXPECT_FALSE(ctl("Avancement").visible);
    ASSERT_EQ(rows().size(), 16u);
    EXPECT_EQ(ctl("Tableau").columns.size(), 4u);  // parameter, two results, message
    EXPECT_EQ(ctl("Tableau").columns.back(), "Message");
    EXPECT_EQ(rows().front()[0], "2.5");
    EXPECT_EQ(rows().back()[0], "4");
    EXPECT_EQ(ctl("Etat").caption.rfind("16 points calculés", 0), 0u);
    // One curve, every point with a number on it.
    std::size_t numbers = 0;
    for (const auto& r : rows()) numbers += shownNumber(r[1]).has_value();
    EXPECT_GT(numbers, 0u);
    ASSERT_EQ(series(SeriesKind::Points).size(), 1u);
    EXPECT_EQ(series(SeriesKind::Points)[0]->points.size(), numbers);
    EXPECT_EQ(ctl("Graphe").chart.x.title, "Diamètre Roue m");
    EXPECT_EQ(ctl("Graphe").chart.y.title, "Puissance prévue watts");
    on("Trace=Rendement H %");
    EXPECT_EQ(ctl("Graphe").chart.y.title, "Rendement H %");

    EXPECT_EQ(boxes(), boxesBefore);
    EXPECT_EQ(shared(), sharedBefore);
    EXPECT_EQ(files(), filesBefore);
    EXPECT_EQ(wheel.unsavedEdits(), unsavedBefore);

    // The last point is the window's own calculation at 4 m from the same values.
    step("Formrouehaut", "Valbox(4)=4");
    step("Formrouehaut", "Calcul");
    EXPECT_EQ(rows().back()[1], wheel.ctl("Resubox", 3).text());
    EXPECT_EQ(rows().back()[2], wheel.ctl("Resubox", 8).text());
}

// One curve per value of the second parameter; a point that fails is a row with its
// message and a gap in its curve.
TEST_F(EtudeParametriqueTest, SecondParameterGivesOneCurveEachAndFailedPointsAreGaps) {
    sweepEssai();
    on("Second=Coefficient k");
    on("Valeurs2=1; 2");
    on("Depart=Valeurs par défaut");
    on("Lancer");

    ASSERT_EQ(rows().size(), 22u);
    EXPECT_EQ(ctl("Tableau").columns,
              (std::vector<std::string>{"Abscisse x", "Coefficient k", "Ordonnée y", "Message"}));
    std::size_t failed = 0;
    for (const auto& r : rows()) {
        if (r[0] != "2.5") {
            EXPECT_EQ(shownNumber(r[2]), std::stod(r[1]) * std::stod(r[0]) * std::stod(r[0])) << r[0];
            continue;
        }
        ++failed;
        EXPECT_EQ(r[2], "");
        EXPECT_EQ(r[3], "Hors domaine");
    }
    EXPECT_EQ(failed, 2u);
    EXPECT_NE(ctl("Etat").caption.find("2 sans résultat"), std::string::npos);

    const auto marks = series(SeriesKind::Points);
    ASSERT_EQ(marks.size(), 2u);
    EXPECT_EQ(marks[0]->name, "1");
    EXPECT_EQ(marks[1]->name, "2");
    EXPECT_EQ(ctl("Graphe").chart.title, "Ordonnée y (courbes : Coefficient k)");
    EXPECT_EQ(marks[0]->points.size(), 10u);
    // Each curve broken at x = 2.5: two segments, in the curve's colour, out of the legend.
    const auto lines = series(SeriesKind::Line);
    ASSERT_EQ(lines.size(), 4u);
    for (const ChartSeries* s : lines) {
        EXPECT_FALSE(s->inLegend);
        for (const ChartPoint& p : s->points) EXPECT_NE(p.x, 2.5);
    }
    EXPECT_EQ(lines[0]->color, marks[0]->color);
    EXPECT_EQ(lines[0]->points.back().x, 2.0);
    EXPECT_EQ(lines[1]->points.front().x, 3.0);
}

// A long study runs on the timer; its progress bar and "Arrêter" appear once it outlasts
// its first slice, and "Arrêter" ends it with the points done so far.
TEST_F(EtudeParametriqueTest, LongStudyRunsOnTheTimerAndArreterStopsIt) {
    declareEssai();
    session().open(EtudeParametrique::WindowName);
    sweep(Essai, "Abscisse x", "3", "1000", "2000");
    on("Lancer");
    EXPECT_TRUE(window().running());
    EXPECT_TRUE(ctl("Minuterie").enabled);
    EXPECT_FALSE(ctl("Arreter").visible);
    const std::size_t first = rows().size();
    EXPECT_GT(first, 0u);
    EXPECT_LT(first, 2000u);

    on("Minuterie");
    ASSERT_TRUE(ctl("Arreter").visible);
    EXPECT_TRUE(ctl("Avancement").visible);
    EXPECT_GT(rows().size(), first);
    EXPECT_EQ(ctl("Avancement").value(), static_cast<int>(rows().size()));
    EXPECT_EQ(ctl("Avancement").max, 2000);

    on("Arreter");
    const std::size_t stopped = rows().size();
    EXPECT_FALSE(window().running());
    EXPECT_FALSE(ctl("Minuterie").enabled);
    EXPECT_FALSE(ctl("Arreter").visible);
    EXPECT_FALSE(ctl("Avancement").visible);
    EXPECT_EQ(ctl("Etat").caption, "Etude arrêtée après " + std::to_string(stopped) + " points sur 2000");
    on("Minuterie");
    EXPECT_EQ(rows().size(), stopped);
    EXPECT_EQ(window().study()->done(), stopped);
}

// A screen's platform: the study paced by the clock.
class ScreenPlatform : public RecordingPlatform {
public:
    bool pacedByClock() const override { return true; }
};

// On a screen the chart takes new rows only now and then while the study runs, but the
// rows of the first slice at once, and every row when the study is stopped.
TEST_F(EtudeParametriqueTest, OnAScreenTheChartHoldsTheFirstSliceAndEveryRowOnceStopped) {
    declareEssai(1);
    ScreenPlatform screen;
    Session onScreen(catalog_, dialogs_, screen, folder());
    onScreen.open(EtudeParametrique::WindowName);
    auto play = [&](const std::string& s) {
        ASSERT_EQ(runStep(onScreen, EtudeParametrique::WindowName, s).status, 0) << s;
    };
    for (const char* s : {"Calcul=Essai — parabole", "Parametre=Abscisse x", "De=3", "A=1000", "Points=2000"})
        ASSERT_NO_FATAL_FAILURE(play(s));
    auto& w = onScreen.window<EtudeParametrique>(EtudeParametrique::WindowName);
    auto marked = [&] {
        std::size_t n = 0;
        for (const ChartSeries& c : w.ctl("Graphe").chart.series())
            if (c.kind == SeriesKind::Points) n += c.points.size();
        return n;
    };
    ASSERT_NO_FATAL_FAILURE(play("Lancer"));
    ASSERT_TRUE(w.running());
    const std::size_t first = w.ctl("Tableau").rows.size();
    EXPECT_GT(first, 0u);
    EXPECT_EQ(marked(), first);
    // "Arrêter" is offered once the study has run half a second (2000 points of at least
    // a millisecond each take longer).
    for (int tick = 0; tick < 100 && w.running() && !w.ctl("Arreter").visible; ++tick)
        ASSERT_NO_FATAL_FAILURE(play("Minuterie"));
    ASSERT_TRUE(w.running());
    EXPECT_GT(w.ctl("Tableau").rows.size(), first);
    ASSERT_NO_FATAL_FAILURE(play("Arreter"));
    EXPECT_FALSE(w.running());
    EXPECT_EQ(marked(), w.ctl("Tableau").rows.size());
}

// Without a clock to pace it, the study advances by a fixed number of points: "Lancer"
// 1000, each tick 500, so that a script gives the same table on every machine; the chart
// grown slice by slice, two curves broken by the failed points, is the one drawn at once.
TEST_F(EtudeParametriqueTest, ScriptedSlicesAreFixedAndTheChartGrownBySlicesIsTheWholeOne) {
    declareEssai();
    session().open(EtudeParametrique::WindowName);
    sweep(Essai, "Abscisse x", "0", "5", "1300");
    on("Second=Coefficient k");
    on("Valeurs2=1;2");
    on("Lancer");
    EXPECT_EQ(rows().size(), 1000u);
    EXPECT_FALSE(ctl("Arreter").visible);
    on("Minuterie");
    EXPECT_EQ(rows().size(), 1500u);
    EXPECT_TRUE(ctl("Arreter").visible);
    on("Minuterie");
    on("Minuterie");
    EXPECT_EQ(rows().size(), 2500u);
    on("Minuterie");
    EXPECT_EQ(rows().size(), 2600u);
    EXPECT_FALSE(window().running());
    EXPECT_FALSE(ctl("Arreter").visible);

    const Chart grown = ctl("Graphe").chart;
    ctl("Trace").setListIndex(-1);  // chosen again: drawn from the first row
    ctl("Trace").setListIndex(0);
    const Chart whole = ctl("Graphe").chart;
    ASSERT_EQ(grown.series().size(), whole.series().size());
    EXPECT_GT(grown.series().size(), 4u);  // marks and at least two segments per curve
    for (std::size_t i = 0; i < whole.series().size(); ++i) {
        const ChartSeries &a = grown.series()[i], &b = whole.series()[i];
        EXPECT_EQ(a.name, b.name) << i;
        EXPECT_EQ(a.kind, b.kind) << i;
        EXPECT_EQ(a.color, b.color) << i;
        EXPECT_EQ(a.inLegend, b.inLegend) << i;
        ASSERT_EQ(a.points.size(), b.points.size()) << i;
        for (std::size_t k = 0; k < a.points.size(); ++k) {
            EXPECT_EQ(a.points[k].x, b.points[k].x) << i << " " << k;
            EXPECT_EQ(a.points[k].y, b.points[k].y) << i << " " << k;
        }
    }
}

TEST_F(EtudeParametriqueTest, ExportSavesThroughTheSaveDialogAndSaysTheWholePathAndCopierTheTabSeparatedText) {
    sweepEssai();
    on("Lancer");
    const std::string csv = window().study()->csvFile();
    ASSERT_FALSE(csv.empty());

    // The system's save dialog proposes the program folder; cancelled, nothing is written.
    answer("");
    on("Exporter");
    EXPECT_EQ(platform_.calls.back(), "chooseFileToSave Exporter le tableau (CSV)");
    EXPECT_EQ(dialogs_.shown().back().defaultText, pathToUtf8(folder() / "Etude.csv"));
    EXPECT_FALSE(fs::exists(folder() / "Etude.csv"));
    // A name chosen without extension gets ".csv"; the state line gives the whole path.
    fs::create_directory(folder() / "exports");
    const fs::path written = folder() / "exports" / pathFromUtf8("résultats.csv");
    answer(pathToUtf8(folder() / "exports" / pathFromUtf8("résultats")));
    on("Exporter");
    EXPECT_EQ(test::slurp(written), csv);
    EXPECT_EQ(ctl("Etat").caption, "Tableau enregistré dans " + pathToUtf8(written));
    // The next export proposes that folder; the extension added, an existing file of that
    // name is replaced only when the person says so.
    fs::path existing = folder() / "exports" / "Ancien.CSV";
    { std::ofstream(existing) << "ancien"; }
    answer(pathToUtf8(folder() / "exports" / "ancien"));
    answer("non");
    on("Exporter");
    EXPECT_EQ(dialogs_.shown()[dialogs_.shown().size() - 2].defaultText,
              pathToUtf8(folder() / "exports" / "Etude.csv"));
    EXPECT_EQ(test::slurp(existing), "ancien");
    answer(pathToUtf8(folder() / "exports" / "ancien"));
    answer("oui");
    on("Exporter");
    EXPECT_EQ(test::slurp(existing), csv);

    on("Copier");
    EXPECT_EQ(platform_.clipboard(), window().study()->tabSeparated());
    EXPECT_NE(platform_.clipboard().find('\t'), std::string::npos);
}

TEST_F(EtudeParametriqueTest, BadRequestsShowTheirMessageAndRunNothing) {
    declareEssai();
    session().open(EtudeParametrique::WindowName);
    expectMessage("Aucun résultat : lancez d'abord l'étude");
    on("Copier");

    // Refused by the study itself: its own message.
    sweep(Essai, "Abscisse x", "1", "1", "5");
    StudyRequest same;
    same.calculation = Essai;
    same.parameter = "X";
    same.from = same.to = 1;
    same.points = 5;
    same.followed = {"Y"};
    const Study refused(catalog_, folder(), same);
    ASSERT_FALSE(refused.ok());
    expectMessage(refused.error());
    on("Lancer");
    EXPECT_EQ(window().study(), nullptr);
    EXPECT_TRUE(rows().empty());

    on("A=2");
    on("Points=20000");
    same.to = 2;
    same.points = 20000;
    expectMessage(Study(catalog_, folder(), same).error());
    on("Lancer");

    // Boxes that are not numbers are refused before the study.
    on("Points=2.5");
    expectMessage("Nombre de points : un nombre entier de 2 à 10 000 est attendu");
    on("Lancer");
    on("Points=5");
    on("De=abc");
    expectMessage("Valeur numérique attendue pour « De »");
    on("Lancer");
    on("De=0");
    on("Valeurs2=2;3");
    expectMessage("Choisissez le second paramètre de ces valeurs, ou effacez-les");
    on("Lancer");
    EXPECT_EQ(window().study(), nullptr);
    EXPECT_FALSE(ctl("Minuterie").enabled);
}

TEST_F(EtudeParametriqueTest, SettingsAreKeptForTheSessionEachForItsCalculation) {
    sweepEssai("7");
    on("Progression=géométrique");
    on("De=1");
    on("Second=Coefficient k");
    on("Valeurs2=2;3");
    on("Suivi(1)=Ordonnée y");
    on("Fermer");  // no table yet: nothing to ask
    ASSERT_EQ(session().loaded(EtudeParametrique::WindowName), nullptr);

    session().open(EtudeParametrique::WindowName);
    EXPECT_EQ(ctl("Calcul").text(), Essai);
    EXPECT_EQ(ctl("Parametre").text(), "Abscisse x");
    EXPECT_EQ(ctl("De").text(), "1");
    EXPECT_EQ(ctl("A").text(), "5");
    EXPECT_EQ(ctl("Points").text(), "7");
    EXPECT_EQ(ctl("Progression").text(), "géométrique");
    EXPECT_EQ(ctl("Second").text(), "Coefficient k");
    EXPECT_EQ(ctl("Valeurs2").text(), "2;3");
    EXPECT_EQ(ctl("Suivi", 1).text(), "Ordonnée y");

    // Another calculation has its own settings; coming back gives these again.
    on("Calcul=Roue au dessus — Calcul");
    EXPECT_EQ(ctl("Points").text(), "7");  // a box the person typed stays as typed
    on("Points=12");
    on("Calcul=" + std::string(Essai));
    EXPECT_EQ(ctl("Second").text(), "Coefficient k");
    on("Calcul=Roue au dessus — Calcul");
    EXPECT_EQ(ctl("Points").text(), "12");
}

TEST_F(EtudeParametriqueTest, StartsFromTheDesignJustCalculated) {
    // Opened first on another calculation, then on the wheel calculated last.
    open("Formrouehaut");
    step("Formrouehaut", "List1=H0Dalmor.txt");
    step("Formrouehaut", "Calcul");
    step("Formmain", "Utilités/Etude paramétrique…");
    EXPECT_EQ(ctl("Calcul").text(), "Roue au dessus — Calcul");
    EXPECT_EQ(ctl("Depart").text(), EtudeParametrique::WindowValues);
    on("Depart=" + std::string(EtudeParametrique::DefaultValues));  // the person's choice stays
    window().activate();
    EXPECT_EQ(ctl("Depart").text(), EtudeParametrique::DefaultValues);

    // Window closed, study opened again, the design calculated again: its values come first.
    session().unload("Formrouehaut", CloseMode::System);
    on("Fermer");
    open("Formrouehaut");
    step("Formrouehaut", "List1=H18028.txt");
    step("Formrouehaut", "Calcul");
    step("Formmain", "Utilités/Etude paramétrique…");
    EXPECT_EQ(ctl("Depart").text(), EtudeParametrique::WindowValues);
}

TEST_F(EtudeParametriqueTest, ClosingAsksBeforeDroppingAComputedTable) {
    sweepEssai();
    on("Lancer");
    ASSERT_FALSE(rows().empty());
    answer("non");
    EXPECT_TRUE(window().runCancelAction());  // Escape
    EXPECT_EQ(dialogs_.shown().back().text, "Fermer l'étude paramétrique et abandonner le tableau calculé ?");
    ASSERT_NE(session().loaded(EtudeParametrique::WindowName), nullptr);
    EXPECT_EQ(rows().size(), 11u);
    answer("oui");
    on("Fermer");
    EXPECT_EQ(session().loaded(EtudeParametrique::WindowName), nullptr);
}

TEST(ShownNumber, ReadsWhatTheMasksWriteAndNothingElse) {
    EXPECT_EQ(shownNumber("12.5"), 12.5);
    EXPECT_EQ(shownNumber(" .5 "), 0.5);
    EXPECT_EQ(shownNumber("-.25"), -0.25);
    EXPECT_EQ(shownNumber("12."), 12.0);
    EXPECT_EQ(shownNumber("1,5"), 1.5);
    EXPECT_EQ(shownNumber("."), 0.0);
    EXPECT_EQ(shownNumber("1.5E-07"), 1.5e-7);
    EXPECT_FALSE(shownNumber(""));
    EXPECT_FALSE(shownNumber("oui"));
    EXPECT_FALSE(shownNumber("12 m"));
    EXPECT_FALSE(shownNumber("1e999"));
    EXPECT_FALSE(shownNumber("nan"));
}

}  // namespace
}  // namespace aub

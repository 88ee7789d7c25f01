// The annual-energy window: opening, machine curves, the calculation and its refusals,
// the record import through the file dialog, the study files, the command line.
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/CliMain.h"
#include "core/NumberText.h"
#include "energy/Productible.h"
#include "files/AppFolder.h"
#include "files/TextFile.h"
#include "study/Study.h"
#include "support/WindowTest.h"

namespace aub::test {
namespace {

const char* const Curve =
    "0 ; 6.5\n5 ; 3.2\n10 ; 2.3\n20 ; 1.55\n30 ; 1.15\n40 ; 0.88\n50 ; 0.68\n60 ; 0.52\n"
    "70 ; 0.40\n80 ; 0.30\n90 ; 0.21\n95 ; 0.16\n100 ; 0.08";

class ProductibleTest : public WindowTest {
protected:
    Productible& win() { return session().window<Productible>("Productible"); }
    void fill() {
        open("Productible");
        step("Productible", "Site(0)=3.2");
        step("Productible", "Site(1)=0.2");
        step("Productible", "Site(4)=1.2");
        step("Productible", "Typemachine=Turbine Kaplan");
        step("Productible", std::string("Courbe=") + Curve);
    }
    std::filesystem::path writeFile(const std::string& name, const std::string& bytes) {
        const auto p = folder() / name;
        std::ofstream(p, std::ios::binary) << bytes;
        return p;
    }
};

TEST_F(ProductibleTest, OpensFromTheMainMenuWithTheProgramHeadAndFlow) {
    session().shared().SharedHead.set(4.5f, HeadUnit::Metres);
    session().shared().SharedFlow.set(0.8f, FlowRateUnit::CubicMetresPerSecond);
    open("Formmain");
    step("Formmain", "Evaluations/Productible annuel (débits classés)");
    Form* w = session().loaded("Productible");
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->visible());
    EXPECT_EQ(w->caption, "PRODUCTIBLE ANNUEL D'UN SITE");
    EXPECT_EQ(text("Productible", "Site", 0), "4.5");
    EXPECT_EQ(text("Productible", "Site", 4), "0.8");
    EXPECT_EQ(session().shared().FormulaId, FormulaCode::AnnualEnergy);
}

TEST_F(ProductibleTest, TheSampleStudyGivesTheFiguresOfItsHelpText) {
    open("Productible");
    answer("Site exemple");
    step("Productible", "Fichier/Ouvrir");
    EXPECT_EQ(text("Productible", "Typemachine"), "Turbine Kaplan");
    EXPECT_FALSE(win().efficiencyEdited());
    step("Productible", "Calcul");
    EXPECT_EQ(text("Productible", "Resultat", 5), "106245");
    EXPECT_EQ(text("Productible", "Resultat", 8), "297");
    ASSERT_TRUE(win().charts().has_value());
    EXPECT_EQ(win().charts()->sweep.points.size(), 60u);
}

TEST_F(ProductibleTest, EfficienciesFollowTheMachineUntilThePersonEditsThem) {
    fill();
    EXPECT_EQ(text("Productible", "Rendement", 9), "0.745");
    EXPECT_EQ(text("Productible", "Machine", 0), "15");
    step("Productible", "Site(4)=5");  // a larger runner is better
    const std::string larger = text("Productible", "Rendement", 9);
    EXPECT_NE(larger, "0.745");
    step("Productible", "Rendement(9)=0.6");
    step("Productible", "Site(4)=1.2");
    EXPECT_EQ(text("Productible", "Rendement", 9), "0.6");  // the person's value stays
    step("Productible", "Typemachine=Roue en dessus");
    EXPECT_EQ(text("Productible", "Rendement", 9), "0.850");
    EXPECT_EQ(text("Productible", "Machine", 0), "10");
    Form& w = session().load("Productible");
    EXPECT_FALSE(w.ctl("Machine", 1).enabled);  // jets
    EXPECT_FALSE(w.ctl("Machine", 2).enabled);  // Rm
    step("Productible", "Typemachine=Turbine Pelton");
    EXPECT_TRUE(w.ctl("Machine", 1).enabled);
    EXPECT_FALSE(w.ctl("Machine", 2).enabled);
    step("Productible", "Typemachine=Turbine hélice");
    EXPECT_TRUE(w.ctl("Machine", 2).enabled);
}

// The type the window opens with is set up as if chosen: its stop flow, its curve and the
// boxes it enables; a blank stop flow was read as 0 % of Qd and gave more energy.
TEST_F(ProductibleTest, TheDefaultTypeHasItsStopFlowAndCurveFromTheStart) {
    open("Productible");
    Form& w = session().load("Productible");
    EXPECT_EQ(text("Productible", "Typemachine"), "Turbine Banki (cross-flow)");
    EXPECT_EQ(text("Productible", "Machine", 0), "15");
    EXPECT_EQ(text("Productible", "Rendement", 0), "0.342");
    EXPECT_EQ(text("Productible", "Rendement", 9), "0.790");
    EXPECT_FALSE(w.ctl("Machine", 1).enabled);  // jets
    EXPECT_FALSE(w.ctl("Machine", 2).enabled);  // Rm
    for (const char* s : {"Site(0)=3.2", "Site(4)=1.2"}) step("Productible", s);
    step("Productible", std::string("Courbe=") + Curve);
    step("Productible", "Calcul");
    const std::string asOpened = text("Productible", "Resultat", 5);
    step("Productible", "Typemachine=Turbine Pelton");
    step("Productible", "Typemachine=Turbine Banki (cross-flow)");
    step("Productible", "Calcul");
    EXPECT_EQ(text("Productible", "Resultat", 5), asOpened);
}

TEST_F(ProductibleTest, FrancisUnderNineMetresIsFlagged) {
    fill();
    expectMessage(
        "Courbe de rendement par défaut de la turbine Francis utilisée hors du domaine de sa source "
        "(Clean Energy Project Analysis, CANMET 2004) : ses formules ne valent que pour une chute nette de plus "
        "de 8,8 m, la chute nette est ici de 3,0 m. Vérifiez les rendements.");
    step("Productible", "Typemachine=Turbine Francis");
}

// The default Francis curve under 8.8 m of net head is zero up to about 80 % of Qd: the
// calculation still gives its figure but says the curve is out of its source's range;
// a curve the person typed is theirs and gets no word, nor does a head within range.
TEST_F(ProductibleTest, CalculWithTheFrancisCurveOutOfItsRangeSaysSoAndNamesTheRange) {
    fill();
    step("Productible", "Site(0)=8.2");  // 8 m of net head
    const std::string outside =
        "Courbe de rendement par défaut de la turbine Francis utilisée hors du domaine de sa source "
        "(Clean Energy Project Analysis, CANMET 2004) : ses formules ne valent que pour une chute nette de plus "
        "de 8,8 m, la chute nette est ici de 8,0 m. Vérifiez les rendements.";
    expectMessage(outside);  // on choosing the type
    step("Productible", "Typemachine=Turbine Francis");
    EXPECT_EQ(text("Productible", "Rendement", 0), "0.000");
    expectMessage(outside);  // and on every calculation that uses the curve
    step("Productible", "Calcul");
    EXPECT_FALSE(text("Productible", "Resultat", 5).empty());
    EXPECT_EQ(messages().size(), 2u);

    step("Productible", "Rendement(0)=0.5");  // the person's own curve
    step("Productible", "Calcul");
    EXPECT_EQ(messages().size(), 2u);

    expectMessage(outside);  // its own curve again, still at 8 m
    step("Productible", "Typemachine=Turbine Francis");
    step("Productible", "Site(0)=12.2");  // 12 m: within the range, the curve follows
    step("Productible", "Calcul");
    EXPECT_EQ(messages().size(), 3u);
}

// The design flow of the most energy is named for that; a wheel's energy grows up to
// the end of the sweep (3 × module), and the caption says the best lies at that end.
TEST_F(ProductibleTest, TheMostEnergyFlowSaysWhenItIsAtTheEndOfTheSweep) {
    fill();
    step("Productible", "Calcul");
    const std::string kaplan = win().ctl("Meilleurqd").caption;
    EXPECT_EQ(kaplan.rfind("Débit d'équipement du plus grand productible : ", 0), 0u) << kaplan;
    EXPECT_EQ(kaplan.find("au bout"), std::string::npos) << kaplan;
    EXPECT_EQ(kaplan.find("Meilleur"), std::string::npos) << kaplan;

    step("Productible", "Typemachine=Roue en dessus");
    step("Productible", "Calcul");
    const auto& sweep = win().charts()->sweep;
    ASSERT_EQ(sweep.best + 1, static_cast<int>(sweep.points.size()));
    EXPECT_EQ(win().ctl("Meilleurqd").caption,
              "Débit d'équipement du plus grand productible : 3.206 m3/s (" +
                  formatMask(sweep.points.back().annualEnergy, "0") +
                  " kWh/an), au bout de la plage étudiée (0.107 à 3.206 m3/s) : le plus grand peut être au-delà");
}

TEST_F(ProductibleTest, BadInputsStopTheCalculationWithAMessage) {
    struct Case {
        const char* step;
        const char* message;
    };
    const Case cases[] = {
        {"Site(0)=", "Données manquantes"},
        {"Site(4)=", "Données manquantes"},
        {"Courbe=", "Données manquantes"},
        {"Courbe=0 ; 1\n50 ; 2",
         "Débits classés, ligne 2 : les débits ne doivent pas croître quand la fréquence augmente."},
        {"Courbe=0 ; 1\n150 ; 0.5",
         "Débits classés, ligne 2 : la fréquence de dépassement doit être comprise entre 0 et 100 %."},
        {"Site(4)=-1", "Le débit d'équipement doit être positif."},
        {"Site(3)=7",
         "Le débit réservé atteint ou dépasse le plus fort débit de la rivière : aucune eau n'est turbinée."},
        {"Rendement(4)=1.2", "Les rendements doivent être compris entre 0 et 1."},
        {"Machine(3)=1.5", "Les rendements doivent être compris entre 0 et 1."},
        {"Site(1)=-0.5", "Les pertes de charge ne peuvent pas être négatives."},
        {"Machine(2)=9", "Le coefficient de fabrication Rm doit être compris entre 2,8 et 6,1."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.step);
        fill();
        step("Productible", c.step);
        expectMessage(c.message);
        step("Productible", "Calcul");
        EXPECT_EQ(text("Productible", "Resultat", 5), "");
        EXPECT_FALSE(win().result().has_value());
        answer("oui");  // closing drops the typed inputs after a question
        session().unload("Productible");
    }
}

TEST_F(ProductibleTest, HugeInputsNeverShowInfinity) {
    fill();
    step("Productible", "Site(0)=1E308");
    expectMessage("Dépassement de capacité");
    step("Productible", "Calcul");
    for (int i = 0; i < 9; ++i) {
        const std::string shown = text("Productible", "Resultat", i);
        EXPECT_EQ(shown.find("inf"), std::string::npos);
        EXPECT_EQ(shown.find("nan"), std::string::npos);
    }
    // A curve whose mean overflows says so (not that the reserved flow takes everything).
    step("Productible", "Site(0)=3.2");
    step("Productible", "Courbe=0 ; 1e308\n50 ; 1e308\n100 ; 1e308");
    expectMessage("Dépassement de capacité : les débits de la courbe sont trop grands pour en faire la moyenne.");
    step("Productible", "Calcul");
    EXPECT_EQ(text("Productible", "Resultat", 5), "");
}

TEST_F(ProductibleTest, ImportedRecordGivesItsCurveAndIsComputedDayByDay) {
    std::string csv = "Date;Débit (m3/s)\r\n";
    for (int d = 0; d < 365; ++d)
        csv += dayText(dayNumber(2021, 1, 1) + d) + ";" + std::to_string(d % 5 + 1) + ",5\r\n";
    csv += "j365;\r\nj366;?\r\n";
    const auto path = writeFile("chronique.csv", csv);
    fill();
    answer(pathToUtf8(path));
    step("Productible", "Importer");
    EXPECT_TRUE(win().hasRecord());
    EXPECT_EQ(text("Productible", "Infochronique"),
              "Chronique importée (chronique.csv) : 365 jours lus du 01/01/2021 au 31/12/2021, "
              "couverture 100 % — aucun jour manquant ; lignes 367, 368 ignorées.");
    const std::string box = text("Productible", "Courbe");
    EXPECT_EQ(std::count(box.begin(), box.end(), '\n'), 24);  // 25 points
    EXPECT_EQ(box.rfind("0 ; 5.5\n1 ; 5.5", 0), 0u);
    EXPECT_NE(box.find("100 ; 1.5"), std::string::npos);
    step("Productible", "Calcul");
    ASSERT_TRUE(win().result().has_value());
    double mean = 0;
    for (int d = 0; d < 365; ++d) mean += d % 5 + 1.5;
    EXPECT_NEAR(win().result()->module, mean / 365, 1e-12);
    // Editing the box goes back to the typed curve.
    step("Productible", std::string("Courbe=") + Curve);
    EXPECT_FALSE(win().hasRecord());
    EXPECT_EQ(text("Productible", "Infochronique"), "");
}

TEST_F(ProductibleTest, ARefusedImportLeavesTheBoxAsItWas) {
    fill();
    const auto binary = writeFile("photo.csv", std::string("\xFF\xD8\xFF\xE0\0\x10JFIF\0", 11));
    answer(pathToUtf8(binary));
    expectMessage("Ce fichier n'est pas un fichier texte : ce ne peut pas être une chronique de débits.");
    step("Productible", "Importer");
    answer("");  // cancelled dialog
    step("Productible", "Importer");
    EXPECT_EQ(text("Productible", "Courbe"), Curve);
    EXPECT_FALSE(win().hasRecord());
}

TEST_F(ProductibleTest, AStudyIsSavedAndReopenedWithItsRecord) {
    std::string days;  // a leap year, 0.75 and 1.25 m3/s in turn, no unit in the file
    for (int d = 0; d < 366; ++d) days += dayText(dayNumber(2004, 1, 1) + d) + (d % 2 ? "\t1.25\n" : "\t0,75\n");
    const auto path = writeFile("jours.txt", days);
    fill();
    answer(pathToUtf8(path));
    answer("m3/s");
    step("Productible", "Importer");
    step("Productible", "Rendement(3)=0.7");
    answer("Moulin d'en bas");
    step("Productible", "Fichier/Enregistrer sous");
    ASSERT_TRUE(std::filesystem::exists(folder() / "Etude productible Moulin d'en bas.txt"));
    session().unload("Productible");
    open("Productible");
    answer("moulin d'en bas");
    step("Productible", "Fichier/Ouvrir");
    EXPECT_EQ(text("Productible", "Rendement", 3), "0.7");
    EXPECT_TRUE(win().efficiencyEdited());
    EXPECT_TRUE(win().hasRecord());
    EXPECT_EQ(text("Productible", "Site", 0), "3.2");
    step("Productible", "Calcul");
    EXPECT_NEAR(win().result()->module, 1.0, 1e-12);
    // Saving under the same name again replaces it without a question.
    step("Productible", "Fichier/Enregistrer");
}

TEST_F(ProductibleTest, TypedStudyNamesStayInTheProgramFolder) {
    fill();
    answer("../dehors");
    step("Productible", "Fichier/Enregistrer sous");
    const auto shown = messages();
    ASSERT_EQ(shown.size(), 1u);
    expectMessage(shown[0]);
    EXPECT_FALSE(std::filesystem::exists(folder().parent_path() / "Etude productible dehors.txt"));
    answer("Site exemple");
    answer("non");  // an existing study is replaced only after yes
    const auto before = readFileBytes(folder() / "Etude productible Site exemple.txt");
    step("Productible", "Fichier/Enregistrer sous");
    EXPECT_EQ(readFileBytes(folder() / "Etude productible Site exemple.txt"), before);
}

// The study files of the program folder, as the folder spells them.
std::vector<std::string> studyFiles(const std::filesystem::path& folder) {
    std::vector<std::string> out;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        if (e.path().filename().string().rfind("Etude productible ", 0) == 0)
            out.push_back(e.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
}

TEST_F(ProductibleTest, SaveAfterOpeningUnderAnotherCaseWritesTheOpenedFile) {
    open("Productible");
    answer("SITE EXEMPLE");
    step("Productible", "Fichier/Ouvrir");
    EXPECT_EQ(win().studyName(), "Site exemple");
    step("Productible", "Site(0)=9.9");
    step("Productible", "Fichier/Enregistrer");  // no question: it is the opened file
    EXPECT_EQ(studyFiles(folder()), std::vector<std::string>{"Etude productible Site exemple.txt"});
    session().unload("Productible");
    open("Productible");
    answer("site exemple");
    step("Productible", "Fichier/Ouvrir");
    EXPECT_EQ(text("Productible", "Site", 0), "9.9");
}

TEST_F(ProductibleTest, OuvrirOffersTheSavedStudies) {
    fill();
    answer("Moulin");
    step("Productible", "Fichier/Enregistrer sous");
    answer("Site exemple");
    step("Productible", "Fichier/Ouvrir");
    const DialogRecord& asked = dialogs_.shown().back();
    EXPECT_EQ(asked.items, (std::vector<std::string>{"Moulin", "Site exemple"}));
    EXPECT_EQ(asked.defaultText, "Moulin");  // the study being worked on
    EXPECT_EQ(win().studyName(), "Site exemple");
    // Without a saved study there is nothing to choose from.
    for (const auto& f : studyFiles(folder())) std::filesystem::remove(folder() / f);
    expectMessage("Aucune étude de productible enregistrée dans le dossier du programme.");
    step("Productible", "Fichier/Ouvrir");
}

TEST_F(ProductibleTest, EnregistrerSousAsksBeforeReplacingEvenTheOpenedSample) {
    open("Productible");
    answer("Site exemple");
    step("Productible", "Fichier/Ouvrir");
    const auto sample = folder() / "Etude productible Site exemple.txt";
    const std::string before = readFileBytes(sample);
    step("Productible", "Site(0)=9.9");
    answer("Site exemple");  // the name proposed
    answer("non");
    step("Productible", "Fichier/Enregistrer sous");
    EXPECT_EQ(dialogs_.shown().back().text, overwriteQuestion());
    EXPECT_EQ(readFileBytes(sample), before);
    EXPECT_TRUE(win().unsavedEdits());
    answer("Site exemple");
    answer("oui");
    step("Productible", "Fichier/Enregistrer sous");
    EXPECT_NE(readFileBytes(sample), before);
    EXPECT_FALSE(win().unsavedEdits());
}

// Every point of every series of the shown chart is finite.
bool allFinite(const Chart& chart) {
    for (const ChartSeries& s : chart.series())
        for (const ChartPoint& p : s.points)
            if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.y2)) return false;
    return true;
}

const ChartSeries* seriesNamed(const Chart& chart, const std::string& name) {
    for (const ChartSeries& s : chart.series())
        if (s.name == name) return &s;
    return nullptr;
}

TEST_F(ProductibleTest, TheThreeChartsAreEmptyBeforeACalculationAndFilledAfterIt) {
    open("Productible");
    const Chart& chart = win().ctl("Graphe").chart;
    EXPECT_TRUE(chart.series().empty());
    EXPECT_EQ(chart.x.caption(), "Fréquence de dépassement (%)");
    answer("Site exemple");
    step("Productible", "Fichier/Ouvrir");
    step("Productible", "Calcul");
    ASSERT_TRUE(win().charts() && win().result());
    const EnergyCharts& data = *win().charts();

    // The flow-duration curve, the turbined band between Qr and Qr + Qt, the two levels.
    ASSERT_EQ(chart.series().size(), 4u);
    EXPECT_TRUE(allFinite(chart));
    const ChartSeries* band = seriesNamed(chart, "Débit turbiné");
    ASSERT_NE(band, nullptr);
    EXPECT_EQ(band->kind, SeriesKind::Area);
    EXPECT_EQ(band->points.size(), data.bandHigh.size());
    for (const ChartPoint& p : band->points) EXPECT_LE(p.y2, p.y + 1e-12);
    const ChartSeries* river = seriesNamed(chart, "Débits classés");
    ASSERT_NE(river, nullptr);
    EXPECT_EQ(river->points.size(), data.durationCurve.size());
    const ChartSeries* reserved = seriesNamed(chart, "Débit réservé Qr");
    ASSERT_NE(reserved, nullptr);
    EXPECT_EQ(reserved->kind, SeriesKind::HLine);
    EXPECT_DOUBLE_EQ(reserved->points.at(0).y, win().result()->reservedFlow);
    const ChartSeries* design = seriesNamed(chart, "Qr + Qd");
    ASSERT_NE(design, nullptr);
    EXPECT_DOUBLE_EQ(design->points.at(0).y, win().result()->reservedFlow + 1.2);  // Qd of the sample study
    // Nowhere does the band rise above the river's own flow.
    for (std::size_t i = 0; i < band->points.size(); ++i) EXPECT_LE(band->points[i].y, river->points[i].y + 1e-9);

    // The power against the % of time, largest at the electric maximum of the results.
    step("Productible", "Graphique=Puissance électrique");
    ASSERT_EQ(chart.series().size(), 1u);
    EXPECT_TRUE(allFinite(chart));
    EXPECT_EQ(chart.y.caption(), "Puissance électrique P (kW)");
    double largest = 0;
    for (const ChartPoint& p : chart.series()[0].points) largest = std::max(largest, p.y);
    EXPECT_NEAR(largest, win().result()->electricPowerMax, 1e-6 * win().result()->electricPowerMax);

    // The energy against the design flow: 60 points, the present and the best design flows.
    step("Productible", "Graphique=Productible selon le débit d'équipement");
    EXPECT_TRUE(allFinite(chart));
    const ChartSeries* sweep = seriesNamed(chart, "Productible annuel");
    ASSERT_NE(sweep, nullptr);
    EXPECT_EQ(sweep->points.size(), 60u);
    const ChartSeries* present = seriesNamed(chart, "Débit d'équipement choisi");
    ASSERT_NE(present, nullptr);
    EXPECT_DOUBLE_EQ(present->points.at(0).x, 1.2);
    EXPECT_DOUBLE_EQ(present->points.at(0).y, win().result()->annualEnergy);
    const ChartSeries* best = seriesNamed(chart, "Plus grand productible");
    ASSERT_NE(best, nullptr);
    ASSERT_GE(data.sweep.best, 0);
    const SweepPoint& top = data.sweep.points[static_cast<std::size_t>(data.sweep.best)];
    EXPECT_DOUBLE_EQ(best->points.at(0).x, top.designFlow);
    EXPECT_DOUBLE_EQ(best->points.at(0).y, top.annualEnergy);
    for (const ChartPoint& p : sweep->points) EXPECT_LE(p.y, top.annualEnergy);
    EXPECT_NE(best->label.find("Plus grand productible"), std::string::npos);

    // Opening a study again empties the chart with the results.
    answer("Site exemple");
    step("Productible", "Fichier/Ouvrir");
    EXPECT_TRUE(chart.series().empty());
    EXPECT_EQ(chart.x.caption(), "Débit d'équipement Qd (m3/s)");
}

TEST_F(ProductibleTest, EnterCalculatesAndOpeningAsksBeforeDroppingTypedInputs) {
    open("Productible");
    answer("Site exemple");
    step("Productible", "Fichier/Ouvrir");
    EXPECT_FALSE(win().unsavedEdits());
    EXPECT_TRUE(win().runDefaultAction());
    EXPECT_EQ(text("Productible", "Resultat", 5), "106245");
    step("Productible", "Graphique=Puissance électrique");  // choosing a chart is no edit
    EXPECT_FALSE(win().unsavedEdits());
    step("Productible", "Site(0)=4");
    EXPECT_TRUE(win().unsavedEdits());
    answer("non");  // keep the typed head
    step("Productible", "Fichier/Ouvrir");
    EXPECT_EQ(text("Productible", "Site", 0), "4");
    answer("oui");
    answer("Site exemple");
    step("Productible", "Fichier/Ouvrir");
    EXPECT_EQ(text("Productible", "Site", 0), "3.2");
    EXPECT_FALSE(win().unsavedEdits());
}

TEST(ProductibleCli, PrintsTheChartChosenAsCsv) {
    TempFolder dir;
    std::ostringstream out, err;
    const int status =
        cliMain({"--dossier", pathToUtf8(dir.path()), "--csv", "Productible:Graphe", "--repondre", "Site exemple",
                 "Productible", "Fichier/Ouvrir", "Calcul", "Graphique=Productible selon le débit d'équipement"},
                dataSource().parent_path().string(), out, err);
    ASSERT_EQ(status, 0) << err.str();
    const std::string csv = out.str();
    EXPECT_NE(csv.find("Productible annuel\r\nDébit d'équipement Qd (m3/s);Productible annuel E (kWh/an)\r\n"),
              std::string::npos)
        << csv;
    EXPECT_NE(csv.find("Plus grand productible\r\n"), std::string::npos);
    // 60 points, a header and a blank line in the sweep's block.
    const std::size_t from = csv.find("Productible annuel\r\n"), to = csv.find("\r\n\r\n", from);
    ASSERT_NE(to, std::string::npos);
    std::size_t lines = 0;
    for (std::size_t i = from; i < to; i = csv.find("\r\n", i) + 2) ++lines;
    EXPECT_EQ(lines, 62u);  // name, header, 60 points
}

TEST(ProductibleCli, PrintsTheSampleResults) {
    TempFolder dir;
    std::ostringstream out, err;
    const int status = cliMain(
        {"--dossier", pathToUtf8(dir.path()), "--repondre", "Site exemple", "Productible", "Fichier/Ouvrir", "Calcul"},
        dataSource().parent_path().string(), out, err);
    EXPECT_EQ(status, 0) << err.str();
    EXPECT_NE(out.str().find("Resultat(5) = [106245]"), std::string::npos) << out.str();
}

// A study of the annual energy runs its private window from the person's: the opened
// study's curve (and record) go with it, and every design flow gives what a single
// calculation gives.
TEST(ProductibleCli, AStudyOfTheDesignFlowEqualsSingleRuns) {
    TempFolder dir;
    auto run = [&dir](std::vector<std::string> args) {
        args.insert(args.begin(), {"--dossier", pathToUtf8(dir.path())});
        std::ostringstream out, err;
        const int status = cliMain(args, dataSource().parent_path().string(), out, err);
        EXPECT_EQ(status, 0) << err.str();
        return out.str();
    };
    const std::string table = run({"--etude", "Site(4)=0.5:3:4", "--suivre", "Resultat(5)", "--repondre",
                                   "Site exemple", "Productible", "Fichier/Ouvrir", "Calcul"});
    EXPECT_EQ(table.find("Données manquantes"), std::string::npos) << table;
    // Each row: the design flow as the study typed it, the energy, no message.
    std::istringstream lines(table);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "Débit d'équipement (m3/s);Productible annuel (kWh/an);Message");
    int rows = 0;
    while (std::getline(lines, line)) {
        const auto semi = line.find(';');
        ASSERT_NE(semi, std::string::npos) << line;
        const std::string qd = line.substr(0, semi);
        const std::string single =
            run({"--repondre", "Site exemple", "Productible", "Fichier/Ouvrir", "Site(4)=" + qd, "Calcul"});
        const auto at = single.find("Resultat(5) = [");
        ASSERT_NE(at, std::string::npos) << single;
        const std::string energy = single.substr(at + 15, single.find(']', at) - at - 15);
        EXPECT_FALSE(energy.empty());
        EXPECT_EQ(line, qd + ";" + energy + ";");
        ++rows;
    }
    EXPECT_EQ(rows, 4);
}

// The same with an imported daily record: the record is what the private window
// computes on, not the curve under it.
TEST_F(ProductibleTest, AStudyTakesTheImportedRecordFromTheWindow) {
    std::string csv = "Date;Débit (m3/s)\r\n";
    for (int d = 0; d < 365; ++d)
        csv += dayText(dayNumber(2021, 1, 1) + d) + ";" + std::to_string(d % 7 + 1) + ",25\r\n";
    const auto path = writeFile("chronique.csv", csv);
    fill();
    answer(pathToUtf8(path));
    step("Productible", "Importer");
    ASSERT_TRUE(win().hasRecord());
    step("Productible", "Site(4)=0.8");
    step("Productible", "Calcul");
    const std::string single = text("Productible", "Resultat", 5);

    StudyRequest r;
    r.calculation = "Productible annuel";
    r.parameter = "Site(4)";
    r.from = 0.8;
    r.to = 1.6;
    r.points = 2;
    r.followed = {"Resultat(5)"};
    const StudyDeclaration* d = nullptr;
    for (const auto& s : catalog_.studies())
        if (s.caption == r.calculation) d = &s;
    ASSERT_NE(d, nullptr);
    for (const auto& box : d->inputs) r.startValues.emplace_back(box.key, studyInputText(*win().findKey(box.key)));
    ASSERT_TRUE(d->captureState);
    r.startState = d->captureState(win());
    Study study(catalog_, folder(), r);
    ASSERT_TRUE(study.ok()) << study.error();
    study.runAll();
    ASSERT_EQ(study.rows().size(), 2u);
    EXPECT_EQ(study.rows()[0].message, "");
    EXPECT_EQ(study.rows()[0].results.at(0), single);
    // Without the record, the typed curve under it would give another figure.
    step("Productible", std::string("Courbe=") + Curve);
    step("Productible", "Calcul");
    EXPECT_NE(text("Productible", "Resultat", 5), single);
    EXPECT_NE(study.rows()[1].results.at(0), "");
}

}  // namespace
}  // namespace aub::test

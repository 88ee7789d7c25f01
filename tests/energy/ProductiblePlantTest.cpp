// The annual-energy window with the plant as it runs: the number of machines and their
// gain, downtime and availability, the flood head, the reserved flow by month, flows
// carried from a gauging station; the study file of the third version, the earlier
// files, the command line and the parametric study.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/CliMain.h"
#include "energy/DatedRecord.h"
#include "energy/Productible.h"
#include "files/TextFile.h"
#include "support/WindowTest.h"

namespace aub::test {
namespace {

class ProductiblePlantTest : public WindowTest {
protected:
    Productible& win() { return session().window<Productible>("Productible"); }
    // 5 m of head, no head loss, efficiency 0.8 at every load, nothing lost in the drive,
    // nothing reserved, a constant river flow.
    void flat(const std::string& flow, const std::string& qd) {
        open("Productible");
        step("Productible", "Site(0)=5");
        step("Productible", "Site(3)=0");
        step("Productible", "Site(4)=" + qd);
        for (int i = 0; i < 10; ++i) step("Productible", "Rendement(" + std::to_string(i) + ")=0.8");
        step("Productible", "Machine(0)=40");
        step("Productible", "Machine(3)=1");
        step("Productible", "Courbe=0 ; " + flow + "\n100 ; " + flow);
    }
    std::string result(int i) { return text("Productible", "Resultat", i); }
    std::filesystem::path writeFile(const std::string& name, const std::string& bytes) {
        auto p = folder() / name;
        std::ofstream(p, std::ios::binary) << bytes;
        return p;
    }
};

TEST_F(ProductiblePlantTest, TheVersionOneSampleOpensUnchangedAndIsSavedAsVersionThree) {
    open("Productible");
    answer("Site exemple");
    step("Productible", "Fichier/Ouvrir");
    EXPECT_EQ(text("Productible", "Site", 0), "3.2");
    EXPECT_EQ(text("Productible", "Site", 4), "1.2");
    EXPECT_EQ(text("Productible", "Rendement", 1), "0.341");
    EXPECT_EQ(text("Productible", "Machine", 4), "1");
    EXPECT_EQ(text("Productible", "Exploitation", 0), "0");
    EXPECT_EQ(text("Productible", "Exploitation", 1), "100");
    EXPECT_EQ(text("Productible", "Qrmois"), "");
    EXPECT_EQ(text("Productible", "Bassin", 2), "1");
    step("Productible", "Calcul");
    EXPECT_EQ(result(5), "106245");
    EXPECT_EQ(result(13), "0");  // one machine: no gain
    EXPECT_EQ(result(14), "");   // flows as read
    EXPECT_TRUE(readFileBytes(folder() / "Etude productible Site exemple.txt").find("Version=1\r\n") !=
                std::string::npos);

    step("Productible", "Machine(4)=2");  // the curve follows: two machines of 0.6 m3/s
    const std::string smaller = text("Productible", "Rendement", 1);
    EXPECT_NE(smaller, "0.341");
    answer("Deux machines");
    step("Productible", "Fichier/Enregistrer sous");
    const std::string bytes = readFileBytes(folder() / "Etude productible Deux machines.txt");
    EXPECT_NE(bytes.find("Version=3\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("Machines=2\r\n"), std::string::npos);
    session().unload("Productible");
    open("Productible");
    answer("Deux machines");
    step("Productible", "Fichier/Ouvrir");
    EXPECT_EQ(text("Productible", "Machine", 4), "2");
    EXPECT_EQ(text("Productible", "Rendement", 1), smaller);
}

// Two machines of 1 m3/s stop under 0.4 m3/s each; one machine of 2 m3/s under 0.8. On a
// constant 0.5 m3/s the single machine never runs, one of the two runs all year.
TEST_F(ProductiblePlantTest, TwoMachinesRunWhereOneLargeMachineStopsAndTheGainIsShown) {
    flat("0.5", "2");
    step("Productible", "Machine(4)=2");
    step("Productible", "Calcul");
    // 8760 × 9.81 × 0.5 × 5 × 0.8 = 171 871.2 kWh/an
    EXPECT_EQ(result(5), "171871");
    EXPECT_EQ(result(8), "365");
    EXPECT_EQ(result(13), "171871");
    EXPECT_NE(
        win().ctl("Infoexploitation").caption.find("2 machines : +171871 kWh/an sur une seule machine de 2.000 m3/s"),
        std::string::npos)
        << win().ctl("Infoexploitation").caption;
    step("Productible", "Machine(4)=1");
    step("Productible", "Calcul");
    EXPECT_EQ(result(5), "0");
}

TEST_F(ProductiblePlantTest, DowntimeAvailabilityAndTheFloodHeadLowerTheEnergy) {
    flat("11", "1");
    step("Productible", "Calcul");
    EXPECT_EQ(result(5), "343742");  // 8760 × 9.81 × 1 × 5 × 0.8
    step("Productible", "Exploitation(2)=1");
    step("Productible", "Exploitation(3)=11");  // at 11 m3/s the head is 4 m
    step("Productible", "Calcul");
    EXPECT_EQ(result(5), "274994");               // 8760 × 9.81 × 4 × 0.8
    step("Productible", "Exploitation(0)=36.5");  // a tenth of the year
    step("Productible", "Calcul");
    EXPECT_EQ(result(5), "247495");  // nine tenths of it
    step("Productible", "Exploitation(0)=0");
    step("Productible", "Exploitation(1)=50");
    step("Productible", "Calcul");
    EXPECT_EQ(result(5), "137497");
    EXPECT_EQ(result(8), "183");  // 182.5 days turning
}

TEST_F(ProductiblePlantTest, AStationsFlowsAreCarriedByTheRatioOfTheCatchments) {
    flat("2", "3");
    step("Productible", "Calcul");
    const std::string direct = result(5);
    step("Productible", "Courbe=0 ; 4\n100 ; 4");
    step("Productible", "Bassin(0)=200");
    step("Productible", "Bassin(1)=100");
    step("Productible", "Calcul");
    EXPECT_EQ(result(5), direct);
    EXPECT_EQ(result(0), "2.000");  // the site's module
    EXPECT_EQ(result(14), "0.500");
    EXPECT_NE(
        win()
            .ctl("Infoexploitation")
            .caption.find("Débits de la station × 0.500 (bassins du site et de la station 100 / 200 km², exposant 1)."),
        std::string::npos)
        << win().ctl("Infoexploitation").caption;
}

TEST_F(ProductiblePlantTest, ReservedFlowByMonthOnACurveWeighsEachMonthsLength) {
    flat("2", "1");
    // January keeps the whole river, the other months 0.5 m3/s: 334 days of 365 at Qd.
    step("Productible", "Qrmois=2;0.5;0.5;0.5;0.5;0.5;0.5;0.5;0.5;0.5;0.5;0.5");
    step("Productible", "Calcul");
    EXPECT_EQ(result(5), "314548");  // 334 × 24 × 9.81 × 5 × 0.8
    EXPECT_EQ(result(1), "0.627");   // (31 × 2 + 334 × 0.5) / 365
    EXPECT_NE(win().ctl("Infoexploitation").caption.find("pondéré par la durée du mois"), std::string::npos);
    // Blank months take the site's reserved flow (0 here).
    step("Productible", "Qrmois=2;;;;;;;;;;;");
    step("Productible", "Calcul");
    EXPECT_EQ(result(5), "314548");
}

TEST_F(ProductiblePlantTest, AReservedFlowByMonthIsDrawnMonthByMonthNotAsItsMean) {
    flat("2", "1");
    std::string csv = "Date;Débit (m3/s)\r\n";
    for (int d = dayNumber(2001, 1, 1); d <= dayNumber(2002, 12, 31); ++d) csv += dayText(d) + ";2\r\n";
    answer(pathToUtf8(writeFile("deux ans.csv", csv)));
    step("Productible", "Importer");
    step("Productible", "Qrmois=2;0.5;0.5;0.5;0.5;0.5;0.5;0.5;0.5;0.5;0.5;0.5");
    step("Productible", "Calcul");
    auto seriesNamed = [&](const std::string& name) -> const ChartSeries* {
        for (const ChartSeries& s : win().ctl("Graphe").chart.series())
            if (s.name == name) return &s;
        return nullptr;
    };
    // The flow-duration chart: January's 2 m3/s over 31/365 of the time, then 0.5.
    step("Productible", "Graphique=Débits classés et débit turbiné");
    EXPECT_EQ(seriesNamed("Débit réservé Qr"), nullptr);
    const ChartSeries* ranked = seriesNamed("Débit réservé Qr (mois classés)");
    ASSERT_NE(ranked, nullptr);
    ASSERT_EQ(ranked->points.size(), 24u);
    EXPECT_EQ(ranked->points[0].y, 2);
    EXPECT_EQ(ranked->points[2].y, 0.5);
    const ChartSeries* top = seriesNamed("Qr + Qd (mois classés)");
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(top->points[0].y, 3);
    // The hydrograph: 24 calendar months, two points each, January at 2 in both years.
    step("Productible", "Graphique=Hydrogramme");
    const ChartSeries* dated = seriesNamed("Débit réservé Qr (par mois)");
    ASSERT_NE(dated, nullptr);
    ASSERT_EQ(dated->points.size(), 48u);
    EXPECT_EQ(dated->points[0].y, 2);
    EXPECT_EQ(dated->points[2].y, 0.5);
    EXPECT_EQ(dated->points[24].y, 2);  // January 2002
    EXPECT_NE(seriesNamed("Qr + Qd (par mois)"), nullptr);
}

// The dated record through the window, from the file a person downloads: flows in l/s,
// a year under 90 % of its days left out and named, the years' table saying so.
TEST_F(ProductiblePlantTest, ARecordInLitresWithAShortYearNamesTheYearLeftOut) {
    flat("2", "1");
    std::string csv = "Date;Débit (l/s)\r\n";
    for (int d = dayNumber(2001, 1, 1); d <= dayNumber(2003, 12, 31); ++d)
        if (civilDay(d).year != 2002 || civilDay(d).month <= 10) csv += dayText(d) + ";2000\r\n";
    answer(pathToUtf8(writeFile("trois ans.csv", csv)));
    step("Productible", "Importer");
    EXPECT_NE(text("Productible", "Infochronique").find("61 jours manquants"), std::string::npos)
        << text("Productible", "Infochronique");
    step("Productible", "Calcul");
    EXPECT_EQ(result(0), "2.000");  // 2 000 l/s read as 2 m3/s
    EXPECT_EQ(win()
                  .ctl("Infoannees")
                  .caption.rfind("Années retenues : 2 ; laissées de côté (moins de 90 % de leurs "
                                 "jours) : 2002.",
                                 0),
              0u)
        << win().ctl("Infoannees").caption;
    step("Productible", "Tableaux=Productible par année");
    const Control& table = win().ctl("Tableau");
    ASSERT_EQ(table.rows.size(), 3u);
    EXPECT_EQ(table.rows[1][0], "2002");
    EXPECT_EQ(table.rows[1][1], "304");
    EXPECT_EQ(table.rows[1].back(), "non retenue (moins de 90 % des jours)");
    EXPECT_EQ(table.rows[0].back(), "343742");  // 8760 h × 9.81 × 1 × 5 × 0.8 kW
}

// Each national export, in its own layout (the header of the kept sample, a year of rows
// in its format, flows in l/s), is recognised and read through the window.
TEST_F(ProductiblePlantTest, EachNationalExportIsRecognisedThroughTheWindow) {
    const std::filesystem::path samples = AUBELYS_RECORD_SAMPLES;
    struct Layout {
        const char* sample;
        const char* name;
        std::string (*row)(const std::string& isoDay);
    };
    const Layout layouts[] = {
        {"hydroportail-qmnj.csv", "HydroPortail",
         [](const std::string& d) {
             return "\"" + d + "T00:00:00.000Z\",\"2000\",\"Donnée validée\",\"Bonne\",\"Mesurée\",\"Continue\"";
         }},
        {"hubeau-obs-elab.csv", "Hub'Eau",
         [](const std::string& d) {
             return "Y1234010;Y123401001;" + d +
                    ";2022-01-08T04:12:51Z;2000.0;QmnJ;16;Donnée validée;0;Mesurée;20;Bonne;3.521;43.612";
         }},
    };
    flat("2", "1");
    for (const Layout& l : layouts) {
        std::ifstream in(samples / l.sample, std::ios::binary);
        std::string header;
        std::getline(in, header);
        std::string csv = header + "\n";
        for (int d = dayNumber(2021, 1, 1); d <= dayNumber(2021, 12, 31); ++d) {
            const CivilDay c = civilDay(d);
            const auto two = [](unsigned v) { return std::string(v < 10 ? "0" : "") + std::to_string(v); };
            csv += l.row(std::to_string(c.year) + "-" + two(c.month) + "-" + two(c.day)) + "\n";
        }
        answer(pathToUtf8(writeFile(std::string("export ") + l.name + ".csv", csv)));
        step("Productible", "Importer");
        ASSERT_TRUE(win().hasRecord()) << l.name;
        const std::string info = text("Productible", "Infochronique");
        EXPECT_NE(info.find(std::string("export ") + l.name), std::string::npos) << info;
        EXPECT_NE(info.find("365 jours lus du 01/01/2021 au 31/12/2021"), std::string::npos) << info;
        step("Productible", "Calcul");
        EXPECT_EQ(result(0), "2.000") << l.name;  // 2 000 l/s
    }
}

TEST_F(ProductiblePlantTest, TheNewInputsRefuseWhatCannotBe) {
    flat("2", "1");
    struct Case {
        const char *typed, *said, *back;
    };
    const Case cases[] = {
        {"Machine(4)=5", "Le nombre de machines doit être un entier de 1 à 4.", "Machine(4)=1"},
        {"Machine(4)=1.5", "Le nombre de machines doit être un entier de 1 à 4.", "Machine(4)=1"},
        {"Exploitation(0)=365", "Les arrêts doivent être compris entre 0 et 365 jours par an.", "Exploitation(0)=0"},
        {"Exploitation(1)=0", "La disponibilité doit être comprise entre 0 et 100 %.", "Exploitation(1)=100"},
        {"Exploitation(2)=-1", "La perte de chute en crue ne peut pas être négative.", "Exploitation(2)=0"},
        {"Exploitation(2)=0.5", "Le débit de crue de la perte de chute doit dépasser le débit d'équipement.",
         "Exploitation(2)=0"},
        {"Qrmois=1;2;3",
         "Le débit réservé par mois demande 12 valeurs, de janvier à décembre, séparées par « ; » "
         "(une valeur vide prend le débit réservé du site) : 3 lues.",
         "Qrmois="},
        {"Qrmois=2;2;2;2;2;2;2;2;2;2;2;2",
         "Le débit réservé atteint ou dépasse le plus fort débit de la rivière : aucune eau n'est turbinée.",
         "Qrmois="},
        {"Bassin(0)=120", "Pour transposer les débits d'une station, donnez les deux bassins versants (km²).",
         "Bassin(0)="},
        {"Bassin(2)=0", "L'exposant du rapport des bassins doit être compris entre 0 et 2.", "Bassin(2)=1"},
    };
    for (const Case& c : cases) {
        step("Productible", c.typed);
        expectMessage(c.said);
        step("Productible", "Calcul");
        EXPECT_EQ(result(5), "") << c.typed;
        step("Productible", c.back);
        step("Productible", "Calcul");
        EXPECT_EQ(result(5), "343742") << c.back;
    }
}

TEST(ProductiblePlantCli, TheCommandLineAndAStudySetTheNumberOfMachines) {
    TempFolder dir;
    auto run = [&dir](std::vector<std::string> args) {
        args.insert(args.begin(), {"--dossier", pathToUtf8(dir.path())});
        std::ostringstream out, err;
        const int status = cliMain(args, dataSource().parent_path().string(), out, err);
        EXPECT_EQ(status, 0) << err.str();
        return out.str();
    };
    const std::string listing =
        run({"--repondre", "Site exemple", "Productible", "Fichier/Ouvrir", "Machine(4)=2", "Calcul"});
    EXPECT_NE(listing.find("LabResultat(13) : Gain sur une seule machine (kWh/an)"), std::string::npos) << listing;
    EXPECT_EQ(listing.find("Resultat(13) = [0]"), std::string::npos) << listing;
    const std::string table = run({"--etude", "Machine(4)=1:4:4", "--suivre", "Resultat(13)", "--repondre",
                                   "Site exemple", "Productible", "Fichier/Ouvrir", "Calcul"});
    std::istringstream lines(table);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "Nombre de machines;Gain sur une seule machine (kWh/an);Message");
    std::getline(lines, line);
    EXPECT_EQ(line, "1;0;");
    int rows = 1;
    while (std::getline(lines, line))
        if (!line.empty()) ++rows;
    EXPECT_EQ(rows, 4);
}

}  // namespace
}  // namespace aub::test

// Command-line transcripts: steps in, listing out, exit statuses.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/CliMain.h"
#include "forms/Report.h"
#include "support/WindowTest.h"

namespace aub {
namespace {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

CliRun cli(const test::TempFolder& folder, std::vector<std::string> args) {
    args.insert(args.begin(), {"--dossier", folder.path().string()});
    std::ostringstream out, err;
    int status = cliMain(args, test::dataSource().parent_path().string(), out, err);
    return {status, out.str(), err.str()};
}

TEST(CliTest, JsonListingOfTheTextWindow) {
    test::TempFolder folder;
    CliRun r = cli(folder, {"--json", "Formhlp"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("{\"windows\":{\"Formhlp\":{\"title\":\"Aide locale\",\"visible\":true", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("\"enrg\":{\"kind\":\"menu\",\"text\":\"Enregistre\",\"visible\":false"), std::string::npos);
    EXPECT_NE(r.out.find("\"ended\":false}"), std::string::npos);
}

TEST(CliTest, StartUpClickShowsTheMainWindow) {
    test::TempFolder folder;
    CliRun r = cli(folder, {"Frmdepart", "Image1"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.find("Frmdepart"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("=== Formmain — « PAGE GENERALE »"), std::string::npos) << r.out;
}

TEST(CliTest, QuitEndsTheProgram) {
    test::TempFolder folder;
    CliRun r = cli(folder, {"--json", "Formmain", "&Quitter"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"ended\":true}"), std::string::npos) << r.out;
}

TEST(CliTest, UnknownNamesExitWithTwoAndBadUsageWithOne) {
    test::TempFolder folder;
    EXPECT_EQ(cli(folder, {"Formpasla"}).status, 2);
    EXPECT_EQ(cli(folder, {"Formhlp", "Bouton(2)"}).status, 2);
    EXPECT_EQ(cli(folder, {"--inconnue", "Formhlp"}).status, 1);
    EXPECT_EQ(cli(folder, {}).status, 1);
}

// One reader for the options of both programs: a value given as "--NOM VALEUR" or
// "--NOM=VALEUR", a missing value said in French, the help on its own.
TEST(CliTest, OptionsTakeTheirValueEitherWayAndAMissingValueIsSaid) {
    test::TempFolder folder;
    std::ostringstream out, err;
    const std::string data = test::dataSource().parent_path().string();
    EXPECT_EQ(cliMain({"--dossier=" + folder.path().string(), "--json", "Formhlp"}, data, out, err), 0) << err.str();
    EXPECT_EQ(out.str().rfind("{\"windows\":{\"Formhlp\"", 0), 0u);
    std::ostringstream out2, err2;
    EXPECT_EQ(cliMain({"--dossier"}, data, out2, err2), 1);
    EXPECT_EQ(err2.str().rfind("valeur manquante après l'option --dossier\nusage : aubelys-cli", 0), 0u) << err2.str();
    EXPECT_EQ(out2.str(), "");
    std::ostringstream out3, err3;
    EXPECT_EQ(cliMain({"--aide"}, data, out3, err3), 0);
    EXPECT_EQ(out3.str().rfind("usage : aubelys-cli", 0), 0u);
    // The window's name ends the options: what follows is a step, even "--json".
    CliRun steps = cli(folder, {"Formhlp", "--json"});
    EXPECT_EQ(steps.status, 2) << steps.err;
}

// The dossier of the three worked examples as text, checked against the listing of the
// same steps: every box the listing shows with a value is in the report with it.
TEST(CliTest, ReportOfThreeWorkedExamplesHoldsWhatTheirBoxesShow) {
    test::TempFolder folder;
    const std::vector<std::string> steps = {"Formrouehaut",      "List1=H0Dalmor.txt",          "Calcul",
                                            "Formroue:Command1", "Formbuse:Combo1=Fonte neuve", "Formbuse:Colebrook"};
    std::vector<std::string> args = {"--rapport", "--nom-etude", "Bief : essai/2"};
    args.insert(args.end(), steps.begin(), steps.end());
    CliRun report = cli(folder, args);
    ASSERT_EQ(report.status, 0) << report.err;
    const std::string& t = report.out;
    EXPECT_EQ(t.rfind("Aubelys  version ", 0), 0u) << t;
    EXPECT_NE(t.find("\nÉtude : Bief : essai/2\n"), std::string::npos);
    // Each section under the name its calculation is known by, then its window's title.
    const auto overshot = t.find("=== Roue au dessus — ertes cinétiques (Formrouehaut)");
    const auto turbine = t.find("=== Turbine — CARACTERISTIQUES PRINCIPALES D'UNE  TURBINE HYDRAULIQUE (Formroue)");
    const auto pipe = t.find("=== Conduite en charge — PERTES DE CHARGE D UNE CONDUITE EN CHARGE (Formbuse)");
    ASSERT_NE(pipe, std::string::npos) << t;
    EXPECT_LT(overshot, turbine);
    EXPECT_LT(turbine, pipe);
    EXPECT_NE(t.find("  Hauteur de chute m : 3.5 m\n", overshot), std::string::npos);
    EXPECT_NE(t.find("  Rendement H % : 58.825 %\n", overshot), std::string::npos);
    EXPECT_NE(t.find("  Type de roue : Francis lente\n", turbine), std::string::npos);
    EXPECT_NE(t.find("  Perte de charge mm/m : 17.1148 mm/m\n", pipe), std::string::npos);
    EXPECT_NE(t.find("Méthode\n  La fenêtre dimensionne une roue à augets", overshot), std::string::npos);

    CliRun listing = cli(folder, steps);
    ASSERT_EQ(listing.status, 0) << listing.err;
    std::istringstream lines(listing.out);
    std::string line;
    int checked = 0;
    while (std::getline(lines, line)) {
        const auto open = line.find(" = [");
        if (open == std::string::npos || line.back() != ']') continue;
        std::string value = line.substr(open + 4, line.size() - open - 5);
        while (!value.empty() && value.front() == ' ') value.erase(0, 1);
        if (value.empty() || line.find("Text1") != std::string::npos) continue;
        // As a reader writes it (".85" as "0.85"), followed by the caption's unit when it has one.
        const std::string read = " : " + readableValue(value);
        EXPECT_TRUE(t.find(read + "\n") != std::string::npos || t.find(read + " ") != std::string::npos) << line;
        ++checked;
    }
    EXPECT_GT(checked, 40);
}

// The general page's formula pages share one calculating step: a study runs the page
// the window shows (here the wheel speed N = 60·V/(π·D)), not the first page declared.
TEST(CliTest, AStudyOfTheGeneralPageRunsThePageShown) {
    test::TempFolder folder;
    CliRun r = cli(folder, {"--etude", "zonetxt(0)=1:4:4", "--suivre", "zoneresu", "Formmain",
                            "Options2/Vitesse diamètre", "zonetxt(1)=5", "CALCUL "});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "Diamètre de la roue (m);Tours / minute;Message\n"
              "1;95.493;\n2;47.746;\n3;31.831;\n4;23.873;\n");
    // Another page shown, another calculation: the sluice gate of width b.
    r = cli(folder, {"--etude", "zonetxt(0)=1:2:2", "--suivre", "zoneresu", "Formmain", "Options1/Vanne",
                     "zonetxt(1)=2", "zonetxt(2)=0.5", "CALCUL "});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("Largeur du canal (m);", 0), 0u) << r.out;
    EXPECT_EQ(r.out.find("Division par zéro"), std::string::npos) << r.out;
}

TEST(CliTest, ReportOfAWindowNeverCalculated) {
    test::TempFolder folder;
    CliRun r = cli(folder, {"--rapport", "Formbuse"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Données\n  Paroi\n  Nature conduite\n  Diamètre mm : 250 mm\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Résultats\n  Aucun calcul effectué\n\nMéthode\n"), std::string::npos) << r.out;
}

}  // namespace
}  // namespace aub

// The annual-energy window: opening, machine curves, the calculation and its refusals,
// the record import through the file dialog, the study files, the command line.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/CliMain.h"
#include "energy/Productible.h"
#include "files/TextFile.h"
#include "support/WindowTest.h"

namespace aub::test {
namespace {

const char* const Curve = "0 ; 6.5\n5 ; 3.2\n10 ; 2.3\n20 ; 1.55\n30 ; 1.15\n40 ; 0.88\n50 ; 0.68\n60 ; 0.52\n"
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
    session().shared().SharedHead = 4.5f;
    session().shared().SharedFlow = 0.8f;
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

TEST_F(ProductibleTest, FrancisUnderNineMetresIsFlagged) {
    fill();
    expectMessage("Les formules de la turbine Francis ne valent que pour une chute nette de plus de 8,8 m : "
                  "vérifiez les rendements.");
    step("Productible", "Typemachine=Turbine Francis");
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
        {"Courbe=0 ; 1\n50 ; 2", "Débits classés, ligne 2 : les débits ne doivent pas croître quand la fréquence augmente."},
        {"Courbe=0 ; 1\n150 ; 0.5", "Débits classés, ligne 2 : la fréquence de dépassement doit être comprise entre 0 et 100 %."},
        {"Site(4)=-1", "Le débit d'équipement doit être positif."},
        {"Site(3)=7", "Le débit réservé atteint ou dépasse le plus fort débit de la rivière : aucune eau n'est turbinée."},
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
}

TEST_F(ProductibleTest, ImportedRecordGivesItsCurveAndIsComputedDayByDay) {
    std::string csv = "Date;Débit (m3/s)\r\n";
    for (int d = 0; d < 365; ++d) csv += "j" + std::to_string(d) + ";" + std::to_string(d % 5 + 1) + ",5\r\n";
    csv += "j365;\r\nj366;?\r\n";
    const auto path = writeFile("chronique.csv", csv);
    fill();
    answer(pathToUtf8(path));
    step("Productible", "Importer");
    EXPECT_TRUE(win().hasRecord());
    EXPECT_EQ(text("Productible", "Infochronique"), "Chronique importée (chronique.csv) : 365 jours lus, 2 ignorés.");
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
    const auto path = writeFile("jours.txt", "2001-01-01\t0,75\n2001-01-02\t1.25\n");
    fill();
    answer(pathToUtf8(path));
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

TEST(ProductibleCli, PrintsTheSampleResults) {
    TempFolder dir;
    std::ostringstream out, err;
    const int status = cliMain({"--dossier", pathToUtf8(dir.path()), "--repondre", "Site exemple", "Productible",
                                "Fichier/Ouvrir", "Calcul"},
                               dataSource().parent_path().string(), out, err);
    EXPECT_EQ(status, 0) << err.str();
    EXPECT_NE(out.str().find("Resultat(5) = [106245]"), std::string::npos) << out.str();
}

}  // namespace
}  // namespace aub::test

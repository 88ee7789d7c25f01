// Cross-flow turbine: the worked example and its diameter slider, missing data, the
// data files (save, open, delete where the list found them), the report and the samples.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "files/TextFile.h"
#include "forms/Session.h"
#include "support/WindowTest.h"
#include "turbines/Banki.h"

namespace aub::test {
namespace {

class BankiTest : public WindowTest {
protected:
    Banki& banki() { return session().window<Banki>("Banki"); }
    std::string result(int i) { return text("Banki", "Résultat", i); }
    void typeExample() {
        const char* values[] = {"10", "0.1", "80", "24", "16", "120", "0.5"};
        for (int i = 0; i < 7; ++i) step("Banki", "Donnée(" + std::to_string(i) + ")=" + values[i]);
    }
    void writeFile(const std::string& name, const std::string& bytes) {
        std::ofstream(folder() / pathFromUtf8(name), std::ios::binary) << bytes;
    }
};

TEST_F(BankiTest, WorkedExampleAndItsSliderRange) {
    open("Banki");
    EXPECT_TRUE(banki().modal());
    typeExample();
    step("Banki", "Calcul");
    EXPECT_EQ(result(0), "0.1573");
    EXPECT_EQ(result(2), "0.1573");  // B = D at first
    EXPECT_EQ(result(3), "850.5091");
    EXPECT_EQ(result(4), "8.");
    EXPECT_EQ(result(5), "157.7587");
    EXPECT_EQ(result(8), "7.0036");
    EXPECT_EQ(result(9), " 14.00714");
    EXPECT_EQ(result(10), "7.5266");
    EXPECT_EQ(result(11), "30.8614");
    EXPECT_EQ(result(16), "0.0247");
    const Control& scroll = banki().ctl("HScroll1");
    EXPECT_EQ(scroll.min, 3);
    EXPECT_EQ(scroll.max, 31);
    EXPECT_EQ(scroll.value(), 16);
    EXPECT_EQ(scroll.smallChange, 1);
    EXPECT_EQ(scroll.largeChange, 2);
    EXPECT_TRUE(scroll.visible);
    EXPECT_FALSE(scroll.enabled);
}

TEST_F(BankiTest, DiameterSliderWorksOnlyAfterUnlocking) {
    open("Banki");
    typeExample();
    step("Banki", "Calcul");
    EXPECT_EQ(refusedStep("Banki", "HScroll1=20"), "le contrôle HScroll1 est grisé");  // still locked
    EXPECT_EQ(result(0), "0.1573");
    step("Banki", "Label6");
    EXPECT_EQ(banki().ctl("Label6").caption, "Changer le diamètre");
    EXPECT_EQ(banki().ctl("Label6").backColor, 0x00FF00);
    step("Banki", "HScroll1=25");
    EXPECT_EQ(result(0), "0.25");
    EXPECT_EQ(result(2), "0.0989");  // B = D·B / D
    // Too small for the flow: D/3 < Q/w1; the results stay as they were.
    expectMessage(" Diamètre insuffisant pour le débit");
    step("Banki", "HScroll1=3");
    EXPECT_EQ(result(0), "0.25");
    step("Banki", "Label6");
    EXPECT_EQ(banki().ctl("Label6").caption, "Cliquez pour débloquer Diamètre ");
}

TEST_F(BankiTest, BladeCountIsTheLeadingNumber) {
    open("Banki");
    typeExample();
    step("Banki", "Donnée(3)=24,5");
    step("Banki", "Calcul");
    EXPECT_EQ(result(7), "2.0586");  // pitch π·D·100/24
    step("Banki", "Donnée(3)=aubes");
    expectMessage("Erreur de saisie : données manquantes");
    step("Banki", "Calcul");
    EXPECT_EQ(result(0), "");
}

TEST_F(BankiTest, ArithmeticFailureEmptiesTheResults) {
    open("Banki");
    typeExample();
    step("Banki", "Calcul");
    step("Banki", "Donnée(0)=-10");
    expectMessage("Argument ou appel de procédure incorrect");
    step("Banki", "Calcul");
    EXPECT_EQ(result(0), "");
}

TEST_F(BankiTest, SaveAddsTheExtensionAndListsTheName) {
    open("Banki");
    typeExample();
    answer("test");
    step("Banki", "Fichier/Enregistrer");
    EXPECT_EQ(readLines(folder() / "test.txt"),
              (std::vector<std::string>{"10", "0.1", "80", "24", "16", "120", "0.5"}));
    answer("mytxt");
    step("Banki", "Fichier/Enregistrer");
    EXPECT_TRUE(std::filesystem::exists(folder() / "mytxt"));
    EXPECT_EQ(banki().ctl("List1").items, (std::vector<std::string>{"test.txt", "mytxt"}));
    // The selected entry is offered without its ".txt"; an existing file asks first.
    step("Banki", "List1=test.txt");
    step("Banki", "Donnée(0)=12");
    answer("");  // the default text would be "test"
    step("Banki", "Fichier/Enregistrer");
    answer("test");
    answer("non");
    step("Banki", "Fichier/Enregistrer");
    EXPECT_EQ(readLines(folder() / "test.txt")[0], "10");
    const auto& shown = dialogs_.shown();
    EXPECT_EQ(shown[shown.size() - 3].defaultText, "test");
    EXPECT_EQ(shown.back().text, "Il y a déjà un fichier de ce nom\nVoulez vous l'écraser ?");
}

TEST_F(BankiTest, OpeningListsKFilesAndReadsTheChosenOne) {
    writeFile("Kessai.txt", "8\r\n0,2\r\n75\r\n20\r\n16\r\n90\r\n0.5\r\n");
    open("Banki");
    EXPECT_EQ(banki().ctl("List1").items, (std::vector<std::string>{"Kessai.txt"}));
    step("Banki", "List1=Kessai.txt");
    EXPECT_EQ(text("Banki", "Donnée", 0), "8");
    EXPECT_EQ(text("Banki", "Donnée", 1), "0,2");  // a decimal comma comes back whole
    EXPECT_EQ(text("Banki", "Donnée", 6), "0.5");
}

TEST_F(BankiTest, DeleteRemovesTheListedFileAndKeepsTheEntryWhenItCannot) {
    const std::string data = "10\r\n0.1\r\n80\r\n24\r\n16\r\n120\r\n0.5\r\n";
    writeFile("Kun.txt", data);
    writeFile("Kdeux.txt", data);
    open("Banki");
    step("Banki", "List1=Kun.txt");
    answer("oui");
    step("Banki", "Fichier/Supprimer");
    EXPECT_EQ(dialogs_.shown().back().text, "Kun.txtEtes vous sur de supprimer ");
    EXPECT_FALSE(std::filesystem::exists(folder() / "Kun.txt"));
    EXPECT_EQ(banki().ctl("List1").items, (std::vector<std::string>{"Kdeux.txt"}));
    // Gone behind the list's back: the deletion fails and the entry stays.
    std::filesystem::remove(folder() / "Kdeux.txt");
    expectMessage("Fichier introuvable");  // choosing it reads it
    step("Banki", "List1=Kdeux.txt");
    answer("oui");
    expectMessage("Fichier introuvable");
    step("Banki", "Fichier/Supprimer");
    EXPECT_EQ(banki().ctl("List1").items, (std::vector<std::string>{"Kdeux.txt"}));
}

TEST_F(BankiTest, ReportGoesToTheTemporaryFolderAndListsSixteenResults) {
    open("Banki");
    typeExample();
    step("Banki", "Calcul");
    expectMessage("Résultats enregistrés dans le fichier :\n" + banki().reportPath());
    step("Banki", "Résultats");
    const auto lines = readLines(pathFromUtf8(banki().reportPath()));
    ASSERT_GE(lines.size(), 13u);
    EXPECT_EQ(lines[0], "Résultats pour Roue Crossflow type Banki origine");
    EXPECT_EQ(lines[4], "Hauteur de chute m 10");
    EXPECT_EQ(lines[12], "RESULTATS DU CALCUL");
    EXPECT_EQ(lines[13], "Diamètre ext  m    0.1573");
    // A caption reaching column 20 puts its value on the next line, at column 20.
    EXPECT_EQ(lines[21], "Vitesse périphérique m/s");
    EXPECT_EQ(lines[22], std::string(19, ' ') + "7.0036");
    // A caption of 19 characters would touch its value: the value goes below it too.
    EXPECT_EQ(lines[lines.size() - 2], "Largeur injecteur m");
    EXPECT_EQ(lines.back(), std::string(19, ' ') + "0.1415");
    for (const auto& l : lines) EXPECT_EQ(l.find("Pour information produit DL"), std::string::npos);
}

TEST_F(BankiTest, SamplesComputeWithoutMessages) {
    open("Banki");
    step("Banki", "Fichier/Ouvrir");
    EXPECT_EQ(text("Banki", "Donnée", 0), "20");
    step("Banki", "Calcul");
    EXPECT_EQ(result(0), "0.162");
    // The other samples, under a name the list shows.
    for (const char* sample : {"NQuerel.txt", "Thèse.txt"}) {
        std::filesystem::copy_file(folder() / pathFromUtf8(sample), folder() / "Kcopie.txt",
                                   std::filesystem::copy_options::overwrite_existing);
        session().unload("Banki");
        session().collect();
        open("Banki");
        step("Banki", "List1=Kcopie.txt");
        step("Banki", "Calcul");
        EXPECT_NE(result(3), "") << sample;
    }
}

}  // namespace
}  // namespace aub::test

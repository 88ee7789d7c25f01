// The overshot window: design files, clearing, printing, help, closing, and the
// complementary and sketch windows it fills.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/SharedValues.h"
#include "files/TextFile.h"
#include "support/WindowTest.h"

namespace aub {
namespace {

namespace fs = std::filesystem;

class FormrouehautTest : public test::WindowTest {
protected:
    Form& window() { return load("Formrouehaut"); }
    const std::vector<std::string>& list() { return window().ctl("List1").items; }
    std::string lastInputDefault() {
        for (auto it = dialogs_.shown().rbegin(); it != dialogs_.shown().rend(); ++it)
            if (it->kind == "input") return it->defaultText;
        return "";
    }
    void removeDesigns() {
        for (const auto& n : listFiles(folder(), "H*.txt")) fs::remove(folder() / n);
    }
    void computeSample() {
        open("Formrouehaut");
        step("Formrouehaut", "List1=H0Dalmor.txt");
        step("Formrouehaut", "Calcul");
    }
};

TEST_F(FormrouehautTest, OpensModalWithItsDesignsAndFermerEndsTheProgram) {
    open("Formrouehaut");
    EXPECT_TRUE(window().modal());
    EXPECT_EQ(list(), (std::vector<std::string>{"H0Dalmor.txt", "H18028.txt"}));
    EXPECT_EQ(session().shared().TodayText[2], ' ');  // "dd mm yyyy"
    answer("oui");                                    // "Quitter Aubelys ?"
    step("Formrouehaut", "Fichier/Fermer");
    EXPECT_TRUE(session().ended());
}

TEST_F(FormrouehautTest, FirstSaveWithoutDesignsIsHmaroue00WithoutQuestion) {
    removeDesigns();
    open("Formrouehaut");
    step("Formrouehaut", "Valbox(0)=2,5");
    step("Formrouehaut", "Valbox(11)=oui");
    step("Formrouehaut", "Fichier/Enregistre");
    EXPECT_TRUE(dialogs_.shown().empty());
    auto lines = readLines(folder() / "Hmaroue00.txt");
    ASSERT_EQ(lines.size(), 17u);
    EXPECT_EQ(lines[0], "2,5");
    EXPECT_EQ(lines[11], "oui");
    EXPECT_EQ(readFileBytes(folder() / "Hmaroue00.txt").substr(0, 5), "2,5\r\n");
    EXPECT_EQ(list(), std::vector<std::string>{"Hmaroue00.txt"});
}

TEST_F(FormrouehautTest, LaterSavesProposeTheSelectedNameAndAskBeforeOverwriting) {
    open("Formrouehaut");
    answer("Hessai");
    step("Formrouehaut", "Engg");
    EXPECT_EQ(lastInputDefault(), "Hsansnom");
    EXPECT_TRUE(fs::exists(folder() / "Hessai.txt"));

    step("Formrouehaut", "List1=H0Dalmor.txt");
    step("Formrouehaut", "Valbox(0)=3.6");
    answer("H0Dalmor");
    answer("non");
    step("Formrouehaut", "Engg");
    EXPECT_EQ(lastInputDefault(), "H0Dalmor");
    EXPECT_EQ(readLines(folder() / "H0Dalmor.txt")[0], "3.5");

    answer("H0Dalmor");
    answer("oui");
    step("Formrouehaut", "Engg");
    EXPECT_EQ(dialogs_.shown().back().text, "Il y a déjà un fichier de ce nom\nVoulez vous l'écraser ?");
    EXPECT_EQ(readLines(folder() / "H0Dalmor.txt")[0], "3.6");
    EXPECT_EQ(list(), (std::vector<std::string>{"H0Dalmor.txt", "H18028.txt", "Hessai.txt", "H0Dalmor.txt"}));
}

TEST_F(FormrouehautTest, OtherNamesAreSavedUnlistedCancelAndPathsWriteNothing) {
    open("Formrouehaut");
    answer("essai");
    expectMessage(
        "Votre fichier sera enregistré mais  \nsera ignoré ensuite dans le logiciel car \n"
        " son nom ne commence pas par la lettre H");
    step("Formrouehaut", "Engg");
    EXPECT_TRUE(fs::exists(folder() / "essai.txt"));
    EXPECT_EQ(list().size(), 2u);
    answer("");
    step("Formrouehaut", "Engg");
    answer("../Hdehors");
    expectMessage(*checkTypedName("../Hdehors"));
    step("Formrouehaut", "Engg");
    EXPECT_EQ(listFiles(folder(), "*.txt").size(), listFiles(test::dataSource(), "*.txt").size() + 1);
}

TEST_F(FormrouehautTest, DecimalCommaValuesComeBackWhole) {
    open("Formrouehaut");
    step("Formrouehaut", "List1=H18028.txt");
    EXPECT_EQ(text("Formrouehaut", "Valbox", 0), "5,2");
    EXPECT_EQ(text("Formrouehaut", "Valbox", 10), "0,015");
    EXPECT_EQ(text("Formrouehaut", "Valbox", 11), "NON");
    EXPECT_EQ(text("Formrouehaut", "Valbox", 16), "45");
    EXPECT_EQ(session().shared().SharedFilePath, session().shared().AppFolder + "H18028.txt");
}

TEST_F(FormrouehautTest, ShortFileFillsWhatItHoldsThenReportsTheEnd) {
    std::vector<std::string> lines(16, "1");
    saveLines(folder() / "Hcourt.txt", lines);
    open("Formrouehaut");
    expectMessage("L'entrée dépasse la fin de fichier");
    step("Formrouehaut", "List1=Hcourt.txt");
    EXPECT_EQ(text("Formrouehaut", "Valbox", 15), "1");
    EXPECT_EQ(text("Formrouehaut", "Valbox", 16), "");
    fs::remove(folder() / "H0Dalmor.txt");
    expectMessage("Fichier introuvable");
    step("Formrouehaut", "List1=H0Dalmor.txt");
}

TEST_F(FormrouehautTest, EveryInputChangeClearsTheResultsBut11And26) {
    computeSample();
    const std::string kinetic = text("Formrouehaut", "Resubox", 11);
    const std::string rim = text("Formrouehaut", "Resubox", 26);
    step("Formrouehaut", "Valbox(9)=4.5");
    for (int i : {0, 1, 3, 5, 8, 10, 12, 15, 17, 20, 22, 24, 25, 27, 28})
        EXPECT_EQ(text("Formrouehaut", "Resubox", i), "") << i;
    EXPECT_EQ(text("Formrouehaut", "Resubox", 11), kinetic);
    EXPECT_EQ(text("Formrouehaut", "Resubox", 26), rim);
}

TEST_F(FormrouehautTest, ClearingTheDataEmptiesTheBoxesOnlyForOuiInAnyCase) {
    computeSample();
    for (const char* keep : {"NON", "non", "", " n "}) {  // "" is Cancel, Escape or an empty answer
        answer(keep);
        step("Formrouehaut", "Efface données");
        EXPECT_EQ(text("Formrouehaut", "Valbox", 0), "3.5") << keep;
    }
    EXPECT_EQ(dialogs_.shown().back().title, "répondre OUI  si...");
    answer("oUi");
    step("Formrouehaut", "Efface données");
    for (int i = 0; i < 17; ++i) EXPECT_EQ(text("Formrouehaut", "Valbox", i), "") << i;
}

TEST_F(FormrouehautTest, UnsavedEditsAreAskedForBeforeTheyGo) {
    computeSample();
    step("Formrouehaut", "Valbox(0)=4");
    // Another design, "Efface données" and "Fermer" ask first; "Non" changes nothing.
    for (const char* s : {"List1=H18028.txt", "Efface données", "Fermer"}) {
        answer("non");
        step("Formrouehaut", s);
        EXPECT_EQ(dialogs_.shown().back().text, DiscardEditsQuestion) << s;
        EXPECT_EQ(text("Formrouehaut", "Valbox", 0), "4") << s;
        EXPECT_FALSE(session().ended()) << s;
    }
    EXPECT_EQ(session().window<Form>("Formrouehaut").ctl("List1").text(), "H0Dalmor.txt");
    // "Oui" lets the other design in; having been opened, it goes without the edits question.
    answer("oui");
    step("Formrouehaut", "List1=H18028.txt");
    EXPECT_NE(text("Formrouehaut", "Valbox", 0), "4");
    const std::size_t asked = dialogs_.shown().size();
    answer("oui");
    step("Formrouehaut", "Fermer");
    ASSERT_EQ(dialogs_.shown().size(), asked + 1);
    EXPECT_EQ(dialogs_.shown().back().text, QuitQuestion);  // only whether to end the program
    EXPECT_TRUE(session().ended());
}

TEST_F(FormrouehautTest, PrintingOnWhiteRestoresTheColours) {
    open("Formrouehaut");
    window().backColor = 0x123456;
    window().ctl("Frame2").backColor = 0x654321;
    step("Formrouehaut", "Imprimfeuille");
    EXPECT_EQ(platform_.calls.back(), "printForm Formrouehaut");
    platform_.printerAvailable = false;
    expectMessage("Erreur d'imprimante");
    step("Formrouehaut", "Imprimfeuille");
    EXPECT_EQ(window().backColor, 0x123456);
    EXPECT_EQ(window().ctl("Frame2").backColor, 0x654321);
}

TEST_F(FormrouehautTest, LocalHelpShowsRecord18) {
    std::string records(17 * 10000, ' ');
    records += "Roue en dessus : aide";
    records.resize(18 * 10000, ' ');
    std::ofstream(folder() / "Microfich.txt", std::ios::binary) << records;
    open("Formrouehaut");
    step("Formrouehaut", "aide locale");
    Form& help = load("Formhlp");
    EXPECT_TRUE(help.visible());
    EXPECT_TRUE(help.modal());
    EXPECT_EQ(help.ctl("Text1").text(), "Roue en dessus : aide");
}

TEST_F(FormrouehautTest, ComplementsShownBeforeAnyCalculationAreEmpty) {
    open("Formrouehaut");
    step("Formrouehaut", "Command1");  // "plus d'infos"
    Form& surfa = load("Formsurfa");
    EXPECT_TRUE(surfa.visible());
    EXPECT_TRUE(surfa.ctl("Label1").caption.starts_with("Pour étudier une nouvelle roue n'ouvrir aucun fichier\r\n"));
    EXPECT_EQ(text("Formsurfa", "Resubox", 14), "");
    EXPECT_TRUE(surfa.ctl("List1").items.empty());
}

TEST_F(FormrouehautTest, SketchRetourKeepsTheValuesFermerDropsThem) {
    computeSample();
    const std::string diameter = text("Formgraph", "Valbox", 0);
    EXPECT_EQ(diameter, "2.8");
    step("Formrouehaut", "graphique");
    step("Formgraph", "Retour");
    EXPECT_FALSE(load("Formgraph").visible());
    step("Formrouehaut", "graphique");
    EXPECT_EQ(text("Formgraph", "Valbox", 0), diameter);
    step("Formgraph", "Fermer");
    EXPECT_EQ(session().loaded("Formgraph"), nullptr);
    step("Formrouehaut", "graphique");
    EXPECT_EQ(text("Formgraph", "Valbox", 0), "");
    // The next calculation fills the fresh window.
    step("Formrouehaut", "Calcul");
    EXPECT_EQ(text("Formgraph", "Valbox", 0), diameter);
}

TEST_F(FormrouehautTest, SketchNamesEveryPoint) {
    std::vector<std::string> names;
    for (const auto& op : load("Formgraph").ctl("Picture1").drawing.ops())
        if (op.kind == DrawOp::Kind::Text) names.push_back(op.text);
    for (const char* n : {"V", "E", "F'", "F", "S", "Y", "A", "C", "D", "Dext", "Dint", "delta", "jeu"})
        EXPECT_NE(std::find(names.begin(), names.end(), n), names.end()) << n;
}

}  // namespace
}  // namespace aub

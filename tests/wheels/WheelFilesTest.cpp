// The design files of the wheel windows: the save dialog they share (proposed name,
// first letter, overwrite question, list update, refused names, first save) and reading
// designs back without shifting their values.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "core/CalcError.h"
#include "core/SharedValues.h"
#include "files/TextFile.h"
#include "support/WindowTest.h"
#include "wheels/FrmSagebi.h"
#include "wheels/WheelFiles.h"

namespace aub {
namespace {

namespace fs = std::filesystem;

class WheelFilesTest : public test::WindowTest {
protected:
    void removeFiles(const std::string& pattern) {
        for (const auto& name : listFiles(folder(), pattern)) fs::remove(folder() / name);
    }
    bool listed(const std::string& window, const std::string& name) {
        const auto& items = load(window).ctl("List1").items;
        return std::find(items.begin(), items.end(), name) != items.end();
    }
    std::vector<std::string> lines(const std::string& name) { return readLines(folder() / name); }
    const DialogRecord& lastInput() {
        const auto& shown = dialogs_.shown();
        auto it = std::find_if(shown.rbegin(), shown.rend(), [](const auto& d) { return d.kind == "input"; });
        return *it;
    }
};

TEST_F(WheelFilesTest, FirstUndershotSaveProposesAnUnnamedBFileThatIsListedAndReopens) {
    removeFiles("B*.txt");
    open("Frmdessous");
    step("Frmdessous", "valubox(0)=1,5");
    step("Frmdessous", "valubox(8)=Bois");
    answer("Bsansnom");
    step("Frmdessous", "Enregistre données");
    EXPECT_EQ(lastInput().text, "Enregistrez un nouveau  fichier");
    EXPECT_EQ(lastInput().title, "Acceptez le nom de fichier proposé ou Annulez");
    EXPECT_EQ(lastInput().defaultText, "Bsansnom");
    ASSERT_TRUE(fs::exists(folder() / "Bsansnom.txt"));
    EXPECT_EQ(lines("Bsansnom.txt").size(), 9u);
    EXPECT_TRUE(listed("Frmdessous", "Bsansnom.txt"));

    session().unload("Frmdessous");
    open("Frmdessous");
    EXPECT_TRUE(listed("Frmdessous", "Bsansnom.txt"));
    step("Frmdessous", "List1=Bsansnom.txt");
    EXPECT_EQ(text("Frmdessous", "valubox", 0), "1,5");
    EXPECT_EQ(text("Frmdessous", "valubox", 8), "Bois");
}

TEST_F(WheelFilesTest, ProposedStemIsTheSelectedEntryAndAnExistingFileNeedsYes) {
    open("Frmdessous");
    step("Frmdessous", "List1=Bmoulin01.txt");
    step("Frmdessous", "valubox(0)=9");
    answer("Bmoulin01");
    answer("non");
    step("Frmdessous", "Enreg");
    EXPECT_EQ(lastInput().defaultText, "Bmoulin01");
    EXPECT_EQ(dialogs_.shown().back().text, "Il y a déjà un fichier de ce nom\nVoulez vous l'écraser ?");
    EXPECT_EQ(lines("Bmoulin01.txt")[0], "1.2");

    answer("bmoulin01.txt");  // any case, with or without the extension: the same file
    answer("oui");
    step("Frmdessous", "Enreg");
    EXPECT_EQ(lines("Bmoulin01.txt")[0], "9");
    EXPECT_FALSE(fs::exists(folder() / "bmoulin01.txt.txt"));
    EXPECT_EQ(load("Frmdessous").ctl("List1").items.size(), 2u);
}

TEST_F(WheelFilesTest, NameWithoutTheLetterIsSavedAfterTheWarningButNotListed) {
    open("Frmdessous");
    answer("Moulin");
    expectMessage(
        "Votre fichier sera enregistré mais  \nsera ignoré ensuite dans le logiciel car \n"
        " son nom ne commence pas par la lettre B");
    step("Frmdessous", "Enreg");
    EXPECT_TRUE(fs::exists(folder() / "Moulin.txt"));
    EXPECT_FALSE(listed("Frmdessous", "Moulin.txt"));
}

TEST_F(WheelFilesTest, CancelOrARefusedNameWritesNothing) {
    open("Frmdessous");
    const auto before = listFiles(folder(), "*.txt");
    answer("");
    step("Frmdessous", "Enreg");
    answer("../Bdehors");
    expectMessage("Nom de fichier incorrect : donnez un nom simple, sans chemin ni caractère \\ / : * ? \" < > |");
    step("Frmdessous", "Enreg");
    EXPECT_EQ(listFiles(folder(), "*.txt"), before);
    EXPECT_FALSE(fs::exists(folder().parent_path() / "Bdehors.txt"));
}

TEST_F(WheelFilesTest, DecimalCommasAndCommasInTextsDoNotShiftTheValues) {
    open("Frmdessous");
    step("Frmdessous", "List1=Bmoulin02.txt");
    EXPECT_EQ(text("Frmdessous", "valubox", 0), "1,6");
    EXPECT_EQ(text("Frmdessous", "valubox", 7), "32");
    EXPECT_EQ(text("Frmdessous", "valubox", 8), "Alliage");

    open("FrmSagebi");
    step("FrmSagebi", "List1=Sageb03.txt");
    step("FrmSagebi", "Valbox(9)=Moulin, aval");
    step("FrmSagebi", "Valbox(0)=2,25");
    answer("07");
    step("FrmSagebi", "Enregistre");
    step("FrmSagebi", "Reset données");
    step("FrmSagebi", "List1=Sageb07.txt");
    EXPECT_EQ(text("FrmSagebi", "Valbox", 0), "2,25");
    EXPECT_EQ(text("FrmSagebi", "Valbox", 9), "Moulin, aval");
    EXPECT_EQ(text("FrmSagebi", "Valbox", 10), "35");

    // A name with a comma and double quotes keeps its place; its quotes become single ones.
    step("FrmSagebi", "Valbox(9)=Moulin \"A\", aval");
    answer("08");
    step("FrmSagebi", "Enregistre");
    step("FrmSagebi", "Reset données");
    step("FrmSagebi", "List1=Sageb08.txt");
    EXPECT_EQ(text("FrmSagebi", "Valbox", 9), "Moulin 'A', aval");
    EXPECT_EQ(text("FrmSagebi", "Valbox", 10), "35");
}

TEST_F(WheelFilesTest, ShortOrMissingDesignFillsWhatItHasAndSaysWhy) {
    saveLines(folder() / "Bcourt.txt", {"3", "0.3"});
    open("Frmdessous");
    session().window<Form>("Frmdessous").ctl("List1").addItem("Bperdu.txt");
    step("Frmdessous", "valubox(2)=7");
    expectMessage("L'entrée dépasse la fin de fichier");
    answer("oui");  // the typed 7 may go
    step("Frmdessous", "List1=Bcourt.txt");
    EXPECT_EQ(text("Frmdessous", "valubox", 1), "0.3");
    EXPECT_EQ(text("Frmdessous", "valubox", 2), "7");
    expectMessage("Fichier introuvable");
    step("Frmdessous", "List1=Bperdu.txt");
}

TEST_F(WheelFilesTest, PonceletFilesUseTheLetterP) {
    removeFiles("P*.txt");
    open("FrmPoncel");
    step("FrmPoncel", "Valbox(0)=1");
    answer("Psansnom");
    step("FrmPoncel", "enregistrer");
    EXPECT_EQ(lastInput().defaultText, "Psansnom");
    EXPECT_EQ(lines("Psansnom.txt").size(), 10u);
    EXPECT_TRUE(listed("FrmPoncel", "Psansnom.txt"));

    answer("Nroue");
    expectMessage(
        "Votre fichier sera enregistré mais  \nsera ignoré ensuite dans le logiciel car \n"
        " son nom ne commence pas par la lettre P");
    step("FrmPoncel", "enregistrer");
    EXPECT_FALSE(listed("FrmPoncel", "Nroue.txt"));
}

TEST_F(WheelFilesTest, BreastshotProposesTheLastOpenedFileAndAddsTheExtensionOnce) {
    open("Frmrouedecoté");
    step("Frmrouedecoté", "List1=Cmoulin01.txt");
    EXPECT_EQ(session().shared().SharedLastFile, "Cmoulin01.txt");
    answer("Cmoulin01.txt");
    answer("oui");
    step("Frmrouedecoté", "Enregistre");
    EXPECT_EQ(lastInput().text, "Complétez le nom de fichier");
    EXPECT_EQ(lastInput().defaultText, "Cmoulin01.txt");
    EXPECT_EQ(lines("Cmoulin01.txt").size(), 13u);

    answer("Cneuf");
    step("Frmrouedecoté", "Enregistre");
    EXPECT_TRUE(fs::exists(folder() / "Cneuf.txt"));
    EXPECT_TRUE(listed("Frmrouedecoté", "Cneuf.txt"));
    EXPECT_EQ(session().shared().SharedFilePath, session().shared().AppFolder);
}

TEST_F(WheelFilesTest, SagebienSavesNumberedFilesFromOneOrZero) {
    open("FrmSagebi");
    step("FrmSagebi", "List1=Sageb03.txt");
    answer("01");
    answer("oui");
    step("FrmSagebi", "Enregistre");
    EXPECT_EQ(lastInput().text, "Enregistrez un numéro Sagebien");
    EXPECT_EQ(lastInput().defaultText, "01");
    EXPECT_EQ(lines("Sageb01.txt")[9], "Roue du bief");

    step("FrmSagebi", "Nouveau");
    EXPECT_EQ(session().window<FrmSagebi>("FrmSagebi").sagebienNumber(), "00");
    step("FrmSagebi", "Valbox(0)=3");
    answer("00");
    step("FrmSagebi", "Enregistre");
    EXPECT_EQ(lines("Sageb00.txt").size(), 11u);
    EXPECT_TRUE(listed("FrmSagebi", "Sageb00.txt"));
    EXPECT_FALSE(listed("FrmSagebi", "Smaroue00.txt"));  // undershot designs are not Sagebien ones
}

}  // namespace
}  // namespace aub

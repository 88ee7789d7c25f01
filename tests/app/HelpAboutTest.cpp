// Printing, help and about entries of the main window.
#include "MainWindowTest.h"
#include "core/SharedValues.h"

namespace aub::test {
namespace {

class HelpAbout : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        openMain();
    }
    void vannePage() {
        session().shared().FormulaId = FormulaCode::SluiceGate;
        main().vusGene("111110011111001");
        main().caption(0, "Largeur du canal (m)");
        main().set("zonetxt", 0, "2");
    }
};

TEST_F(HelpAbout, PrintingOnWhiteGivesTheColourBack) {
    answer("non");
    step("Formmain", "Impression/Feuille visible");
    EXPECT_TRUE(platform_.calls.empty());
    answer("oui");
    step("Formmain", "Impression/Feuille visible");
    EXPECT_EQ(platform_.calls, std::vector<std::string>{"printForm Formmain"});
    EXPECT_EQ(main().backColor, Formmain::BackgroundColor);
    EXPECT_EQ(dialogs_.shown()[0].text, "Voulez vous imrimer la feuille telle qu'elle est à l'écran ?");
    platform_.printerAvailable = false;
    answer("oui");
    expectMessage("Erreur d'imprimante");
    step("Formmain", "Impression/Feuille visible");
    EXPECT_EQ(main().backColor, Formmain::BackgroundColor);
    step("Formmain", "Utilités/Fondcolor");
    EXPECT_EQ(main().backColor, 0xFFFFFF);
}

TEST_F(HelpAbout, LocalHelpShowsTheExplanationInTheProgramsOwnTextWindow) {
    step("Formmain", "Impression/Aide locale");  // no page yet: only the clipboard is emptied
    EXPECT_EQ(platform_.calls, std::vector<std::string>{"clearClipboard"});
    vannePage();
    step("Formmain", "Impression/Aide locale");
    EXPECT_EQ(platform_.clipboard(), c("Text1").text());
    Form* text = session().loaded("Formhlp");
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->visible());
    EXPECT_EQ(text->ctl("Text1").text(), c("Text1").text());
    for (const auto& call : platform_.calls) EXPECT_NE(call, "openTextEditor");
    step("Formmain", "Utilités/Aide géné");  // the help pages open on their home page
    EXPECT_EQ(platform_.calls.back(), "showHelp " + session().shared().AppFolder + "Rudazuz04.chm 1");
}

TEST_F(HelpAbout, SavedFilesShowTheWholeRecord34) {
    step("Formmain", "Utilités/Fichiers   sauvegarde");
    Form* text = session().loaded("Formhlp");
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->visible() && text->modal());
    const std::string& shown = text->ctl("Text1").text();
    EXPECT_EQ(shown, session().shared().HelpRecord);
    EXPECT_EQ(shown.rfind("FICHIERS DE SAUVEGARDE", 0), 0u);
    EXPECT_EQ(shown.back(), ' ');  // trailing blanks kept
    std::size_t characters = 0;
    for (unsigned char ch : shown) characters += (ch & 0xC0) != 0x80;
    EXPECT_EQ(characters, 10000u);
}

TEST_F(HelpAbout, AboutTextReplacesThePageUntilClicked) {
    vannePage();
    step("Formmain", "Utilités/A propos");
    EXPECT_EQ(main().heightTw, 2500);
    EXPECT_FALSE(c("Page").visible);
    EXPECT_FALSE(c("Label3").visible || c("Text1").visible || c("Text3").visible);
    for (int i = 0; i < 8; ++i) {
        EXPECT_FALSE(c("Label", i).visible || c("zonetxt", i).visible) << i;
        EXPECT_EQ(c("zonetxt", i).text() + c("Label", i).caption, "") << i;
    }
    ASSERT_TRUE(c("Label4").visible);
    EXPECT_EQ(c("Label4").caption.rfind("Aubelys   version 13.7", 0), 0u);
    EXPECT_NE(c("Label4").caption.find("Dossier des projets : " + session().shared().AppFolder), std::string::npos);
    step("Formmain", "Form");  // the page does not answer under the about text
    EXPECT_FALSE(c("Text1").visible);
    step("Formmain", "Label4");
    EXPECT_FALSE(c("Label4").visible);
    vannePage();
    EXPECT_TRUE(c("Page").visible && c("Text1").visible && c("zonetxt", 0).visible);
}

}  // namespace
}  // namespace aub::test

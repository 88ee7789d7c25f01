// Start-up of the main window, its close box, and the menu bar with what each menu
// does when it opens.
#include <memory>
#include <regex>

#include "MainWindowTest.h"
#include "core/CalcError.h"
#include "core/SharedValues.h"
#include "files/AppFolder.h"

namespace aub::test {
namespace {

class MainMenus : public MainWindowTest {
protected:
    // A page with something on it, to see what a menu leaves of it.
    void fillPage() {
        session().shared().FormulaId = FormulaCode::SluiceGate;
        main().vusGene("111110011111001");
        main().caption(0, "Largeur du canal (m)");
        main().set("zonetxt", 0, "2");
    }
};

TEST_F(MainMenus, LoadLeavesTheMenuStripAndSetsTheProgramValues) {
    Formmain& m = openMain();
    EXPECT_EQ(m.backColor, 0xAACA0F);
    EXPECT_EQ(m.topTw, 100);
    EXPECT_EQ(m.heightTw, 2000);
    EXPECT_EQ(m.widthTw, 10000);
    EXPECT_FALSE(c("Page").visible);
    for (int i = 0; i < 8; ++i) EXPECT_FALSE(c("Label", i).visible || c("zonetxt", i).visible) << i;
    EXPECT_FALSE(c("Text1").visible);
    EXPECT_FALSE(c("Label3").visible);
    const SharedValues& sv = session().shared();
    EXPECT_EQ(sv.AppFolder, withSeparator(folder()));
    EXPECT_EQ(sv.DatabaseName, "formuhlp.mdb");
    EXPECT_TRUE(std::regex_match(sv.TodayText, std::regex(R"(\d\d/\d\d/\d{4})"))) << sv.TodayText;
    EXPECT_EQ(sv.HelpFilePath, sv.AppFolder + "Rudazuz04.chm");
    EXPECT_EQ(c("Combo1").text(), "Parois");
    EXPECT_EQ(c("Combo1").items, (std::vector<std::string>{"Trés lisse", "Lisse", "Moyennement lisse",
                                                           "Un peu rugueuse", "Rugueuse", "Trés rugueuse"}));
}

TEST_F(MainMenus, DecimalCommaFollowsTheRegionalSettingsAtEachActivation) {
    platform_.separator = ',';
    openMain();
    EXPECT_TRUE(session().shared().DecimalComma);
    platform_.separator = '.';
    session().show("Formmain");
    EXPECT_FALSE(session().shared().DecimalComma);
}

TEST_F(MainMenus, CloseBoxIsRefusedAndOnlyQuitterEndsTheProgram) {
    openMain();
    expectMessage("Cliquez sur LE MENU (Quitter) pour abandonner le logiciel");
    EXPECT_FALSE(session().requestClose(main()));
    ASSERT_NE(session().loaded("Formmain"), nullptr);
    fillPage();  // the help texts are still read
    EXPECT_EQ(c("Text1").text().rfind("DEBIT SOUS UNE VANNE", 0), 0u);
    expectMessage("Cliquez sur LE MENU (Quitter) pour abandonner le logiciel");
    EXPECT_TRUE(session().unload("Formmain", CloseMode::System));  // the system's close goes through
}

TEST_F(MainMenus, QuitterEndsTheProgram) {
    openMain();
    step("Formmain", "&Quitter");
    EXPECT_TRUE(session().ended());
}

TEST_F(MainMenus, FormulaMenusMakeRoomForAPage) {
    Formmain& m = openMain();
    for (const char* menu : {"Options1", "Options2", "Options3"}) {
        step("Formmain", "Perte de charge");
        c("KManning").visible = c("Combo2").visible = true;
        step("Formmain", menu);
        EXPECT_EQ(m.topTw, 100);
        EXPECT_EQ(m.heightTw, 8350);
        EXPECT_EQ(m.widthTw, 11600);
        EXPECT_TRUE(c("Page").visible && c("Label3").visible) << menu;
        EXPECT_FALSE(c("KManning").visible || c("Combo2").visible) << menu;
    }
}

TEST_F(MainMenus, HeadLossAndDesignMenusShrinkTheWindowToItsMenus) {
    Formmain& m = openMain();
    fillPage();
    c("Label1").visible = true;
    step("Formmain", "Perte de charge");
    EXPECT_EQ(m.heightTw, 2000);
    EXPECT_EQ(m.widthTw, 8500);
    EXPECT_FALSE(c("Label1").visible);
    EXPECT_FALSE(c("Page").visible);
    step("Formmain", "Options1");  // the page comes back as it was left
    EXPECT_EQ(c("zonetxt", 0).text(), "2");
    c("Combo1").visible = c("Command3").visible = true;
    step("Formmain", "Evaluations");
    EXPECT_EQ(m.heightTw, 2000);
    EXPECT_TRUE(c("Text3").visible);
    EXPECT_EQ(c("Text3").text(), "  ");
    EXPECT_FALSE(c("Combo1").visible || c("Command3").visible || c("Label4").visible);
}

TEST_F(MainMenus, DesignEntriesWorkExactlyWhenTheirWindowExists) {
    openMain();
    const std::pair<const char*, const char*> entries[] = {{"Conduite circulaire", "Formbuse"},
                                                           {"Spécial coursier", "Frmpertecou"},
                                                           {"Bassins", "Form12"},
                                                           {"Canal (Darcy)", "frmarcy"},
                                                           {"Turbines", "Formroue"},
                                                           {"Roue Banki", "Banki"},
                                                           {"Roue au  Dessus", "Formrouehaut"},
                                                           {"Roue en dessous", "Frmdessous"},
                                                           {"Roue de coté", "Frmrouedecoté"},
                                                           {"Roue pendante", "frmPendant"},
                                                           {"Roue Poncelet", "FrmPoncel"},
                                                           {"Roue Sagebien", "FrmSagebi"},
                                                           {"Eolienne", "Frmpage78"},
                                                           {"Eolienne simple", "frméole01"},
                                                           {"Marteau de forge", "Frmmarteau"},
                                                           {"Productible annuel (débits classés)", "Productible"}};
    for (auto [caption, window] : entries) {
        const Control* entry = nullptr;
        for (const auto& ctl : main().controls())
            if (ctl->kind() == ControlKind::Menu &&
                (ctl->caption == caption || ctl->caption == "&" + std::string(caption)))
                entry = ctl.get();
        ASSERT_NE(entry, nullptr) << caption;
        // Every window of the list is part of the program: its entry is live.
        EXPECT_TRUE(catalog_.has(window)) << window;
        EXPECT_TRUE(entry->enabled) << caption;
    }
    EXPECT_FALSE(c("Debittuyau").enabled);  // "Débit d'un tuyau" has no calculation
    step("Formmain", "Evaluations/Roue en dessous");
    ASSERT_NE(session().loaded("Frmdessous"), nullptr);
    EXPECT_TRUE(session().loaded("Frmdessous")->visible());
}

TEST_F(MainMenus, EntriesOfWindowsMissingFromTheProgramStayGreyed) {
    // A program made of the main window alone.
    WindowCatalog mainOnly;
    mainOnly.add(
        "Formmain", [](Session& s) { return std::make_unique<Formmain>(s); },
        [](Session& s) { s.show("Formmain", false); });
    Session program(mainOnly, dialogs_, platform_, folder());
    program.open("Formmain");
    Form& m = program.window<Formmain>("Formmain");
    for (const char* entry : {"Condcirc", "Bassins", "Turbines", "Rouedessous", "Marteau", "Productible"})
        EXPECT_FALSE(m.ctl(entry).enabled) << entry;
    // Even when run, such an entry opens nothing.
    m.fire(m.ctl("Turbines"), EventKind::Click);
    m.fire(m.ctl("Condcirc"), EventKind::Click);
    EXPECT_EQ(program.forms().size(), 1u);
}

TEST_F(MainMenus, OvershotAndBreastshotFailuresShowTheirNumber) {
    // Stand-ins that cannot be built, in place of the two windows.
    auto failing = [this](const char* name, int code) {
        catalog_.replace(name, [code](Session&) -> std::unique_ptr<Form> { throw CalcError(code); });
    };
    failing("Formrouehaut", 7);
    failing("Frmrouedecoté", 53);
    openMain();
    expectMessage("erreur FrmRouehaut   7");
    step("Formmain", "Evaluations/Roue au  Dessus");
    expectMessage("erreur FrmRouecoté  53");
    step("Formmain", "Evaluations/Roue de coté");
}

TEST_F(MainMenus, PipeEntryLeavesThePageBlankUnderThePipeWindow) {
    openMain();
    fillPage();
    step("Formmain", "Perte de charge/Conduite circulaire");
    EXPECT_FALSE(c("Label3").visible);
    EXPECT_FALSE(c("zonetxt", 0).visible || c("Label", 0).visible);
    EXPECT_EQ(c("Label", 0).caption, "");
    ASSERT_NE(session().loaded("Formbuse"), nullptr);
    EXPECT_TRUE(session().loaded("Formbuse")->visible());
    EXPECT_FALSE(session().loaded("Formbuse")->modal());
}

TEST_F(MainMenus, HelpBoxBringsBackTheWindowOfItsCode) {
    openMain();
    fillPage();
    SharedValues& sv = session().shared();
    sv.FormulaId = FormulaCode::SluiceGate;
    step("Formmain", "Text1");
    EXPECT_EQ(session().loaded("Frmdessous"), nullptr);
    sv.FormulaId = FormulaCode::UndershotWheel;
    step("Formmain", "Text1");
    ASSERT_NE(session().loaded("Frmdessous"), nullptr);
    EXPECT_TRUE(session().loaded("Frmdessous")->visible() && session().loaded("Frmdessous")->modal());
    // The pressure-pipe window took the page over (code 27) and was hidden: it comes back
    // over the page, which keeps its boxes.
    sv.FormulaId = FormulaCode::PipeWindowPage;
    step("Formmain", "Text1");
    EXPECT_TRUE(sv.PipeWindowOpen);
    ASSERT_NE(session().loaded("Formbuse"), nullptr);
    EXPECT_TRUE(session().loaded("Formbuse")->visible());
    EXPECT_EQ(c("zonetxt", 0).text(), "2");
}

}  // namespace
}  // namespace aub::test

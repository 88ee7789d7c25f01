// The general page: mask rule, page set-up, "CALCUL ", clicks, wall list, shared
// buttons and the two exchange files.
#include <cmath>

#include "MainWindowTest.h"
#include "core/Hydraulics.h"
#include "core/SharedValues.h"
#include "files/TextFile.h"

namespace aub::test {
namespace {

class GeneralPage : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        openMain();
    }
    // A page of code `code` as its menu entry sets it up (FormulaId, then the mask).
    void page(std::uint8_t code, const std::string& mask) {
        session().shared().FormulaId = static_cast<FormulaCode>(code);
        main().vusGene(mask);
    }
    // A click given to the model itself, for a handler tested in a state set by hand (a
    // result typed into its box): the step runner, like a person, reaches only what is shown.
    void click(const std::string& name) { main().fire(c(name), EventKind::Click); }
    // The formula page of `code` chosen through its menu entry, as a person would.
    void choose(std::uint8_t code) {
        const FormulaPage* p = Formmain::formulaPage(static_cast<FormulaCode>(code));
        ASSERT_NE(p, nullptr) << int(code);
        const auto plain = [](std::string text) {
            std::erase(text, '&');
            return text;
        };
        step("Formmain", plain(c(p->menu).caption) + "/" + plain(p->entryCaption));
    }
    std::string visibility(const std::string& name) {
        std::string v;
        for (int i = 0; i < 8; ++i) v += c(name, i).visible ? '1' : '0';
        return v;
    }
};

TEST_F(GeneralPage, MaskGivesFirstEightToCaptionsAndLastEightToBoxes) {
    main().vusNonVus("1100000000111111", false);
    EXPECT_EQ(visibility("Label") + visibility("zonetxt"), "1100000000111111");
    main().vusNonVus("111110011111001", false);  // shorter: "11111001" for both halves
    EXPECT_EQ(visibility("Label") + visibility("zonetxt"), "1111100111111001");
    main().vusNonVus("0000000000", false);
    EXPECT_EQ(visibility("Label") + visibility("zonetxt"), "0000000000000000");
    main().vusNonVus("101", false);  // only the first three of each array
    EXPECT_EQ(visibility("Label") + visibility("zonetxt"), "1010000010100000");
}

TEST_F(GeneralPage, OtherMaskCharactersLeaveTheControlAsItWas) {
    main().vusNonVus("1111111100000000", false);
    main().vusNonVus("0x1?0-1.1 01a11b", true);
    EXPECT_EQ(visibility("Label"), "01110111");
    EXPECT_EQ(visibility("zonetxt"), "10010110");
}

TEST_F(GeneralPage, PageSetUpShowsTheExplanationOfItsCode) {
    c("zonetxt", 1).locked = true;
    main().caption(2, "Débit (m3/s)");
    main().set("zonetxt", 2, "1");
    main().set("zoneresu", -1, "3.223");
    main().set("Text2", -1, "2");
    page(3, "111110011111001");
    EXPECT_TRUE(c("Page").visible);
    EXPECT_TRUE(c("Text1").visible);
    EXPECT_EQ(c("Text1").text().rfind("DEBIT SOUS UNE VANNE SIMPLE", 0), 0u);
    std::size_t characters = 0;  // the whole record, read as UTF-8
    for (unsigned char ch : session().shared().HelpRecord) characters += (ch & 0xC0) != 0x80;
    EXPECT_EQ(characters, 10000u);
    EXPECT_EQ(c("Text1").heightTw, 7000);
    EXPECT_FALSE(c("Text3").visible);
    EXPECT_EQ(c("Text3").text(), "  ");  // emptied, and never left empty
    EXPECT_FALSE(c("zonetxt", 1).locked);
    EXPECT_EQ(c("Label", 2).caption + c("zonetxt", 2).text(), "");  // the last page's inputs are gone
    EXPECT_EQ(c("zoneresu").text(), "");
    EXPECT_EQ(c("Text2").text(), "");
    for (const char* hidden : {"Labelresu", "KManning", "Label4", "Command3", "Combo1", "Command2"})
        EXPECT_FALSE(c(hidden).visible) << hidden;
    EXPECT_TRUE(c("Command1").visible);

    page(14, "1111111011111110");  // similarity: the notes box comes with the page
    EXPECT_TRUE(c("Text3").visible);
    page(27, "0000000000000000");  // the pressure pipe's page: nothing to calculate here
    EXPECT_FALSE(c("Command1").visible);
    page(11, "0000000000000000");  // nor under the code a wheel window wrote
    EXPECT_FALSE(c("Command1").visible);
}

TEST_F(GeneralPage, CalculWithoutFirstValueSaysDataAreMissing) {
    choose(3);
    c("Label1").visible = true;
    c("Labelresu").caption = "Débit en m3/s";
    for (const char* first : {"", "0", "abc", " 0,0 "}) {
        main().set("zonetxt", 0, first);
        expectMessage("Données manquantes");
        step("Formmain", "Command1");
    }
    // Nothing of the calculation ran.
    EXPECT_TRUE(c("Label1").visible);
    EXPECT_EQ(c("Labelresu").caption, "Débit en m3/s");
    // Under a code with no page of its own (no "CALCUL " to click there) the
    // calculation clears the result line and caption and runs nothing.
    page(9, "1000000010000000");
    main().set("zonetxt", 0, "2");
    main().calcul();
    EXPECT_FALSE(c("Label1").visible);
    EXPECT_EQ(c("Labelresu").caption, "");
    EXPECT_FALSE(c("Text2").visible);  // hidden while it holds nothing
}

TEST_F(GeneralPage, PageClicksSwapHelpAndNotesAndZoomOnBoxes) {
    choose(3);
    step("Formmain", "Form");
    EXPECT_FALSE(c("Text1").visible);
    EXPECT_TRUE(c("Text3").visible);
    step("Formmain", "Text3=");  // emptied, the notes box keeps two spaces
    EXPECT_EQ(c("Text3").text(), "  ");
    step("Formmain", "Page");  // the page area answers like the background
    EXPECT_TRUE(c("Text1").visible);
    EXPECT_TRUE(c("Text3").visible);
    step("Formmain", "Form");
    EXPECT_FALSE(c("Text1").visible);
    EXPECT_FALSE(c("Text3").visible);
    main().set("zoneresu", -1, "2.04");  // a click on a box repeats it in the zoom box
    step("Formmain", "zoneresu");
    EXPECT_EQ(c("Text2").text(), "2.04");
    choose(26);  // the full-flow page with its results 5 to 7 shown
    main().set("zonetxt", 2, "15");
    step("Formmain", "zonetxt(2)");
    EXPECT_EQ(c("Text2").text(), "15");
    EXPECT_EQ(visibility("Label") + visibility("zonetxt"), "1111100011111000");  // a click hides them
}

TEST_F(GeneralPage, WallClassFillsManningBoxOfChannelPagesOnly) {
    SharedValues& sv = session().shared();
    for (std::uint8_t code : {10, 15, 16}) {
        choose(code);
        step("Formmain", "Combo1=Lisse");
        EXPECT_EQ(c("zonetxt", 5).text(), "0.0124") << int(code);
    }
    choose(22);
    step("Formmain", "Combo1=Trés rugueuse");
    EXPECT_EQ(c("zonetxt", 3).text(), "0.0365");
    EXPECT_EQ(sv.SharedRoughness, 0.0365f);
    choose(3);  // the list is hidden on this page: its choice is given to the model
    c("Combo1").setListIndex(1);
    EXPECT_EQ(sv.SharedRoughness, 0.0124f);
    EXPECT_EQ(visibility("zonetxt"), "11111001");
    for (int i = 0; i < 8; ++i) EXPECT_EQ(c("zonetxt", i).text(), "");
    main().set("Combo1", -1, "Béton");  // not a class: nothing changes
    main().fire(c("Combo1"), EventKind::Click);
    EXPECT_EQ(sv.SharedRoughness, 0.0124f);
    sv.DecimalComma = true;
    choose(10);
    step("Formmain", "Combo1=Un peu rugueuse");
    EXPECT_EQ(c("zonetxt", 5).text(), "0,023");
}

TEST_F(GeneralPage, BazinCheckGivesVelocityAndFlowOfTheLastChannel) {
    choose(10);
    SharedValues& sv = session().shared();
    click("Command3");  // no roughness yet: nothing
    EXPECT_EQ(c("zonetxt", 1).text(), "");
    // The rectangular channel Q = 1, b = 2, h = 0.5, n = 0.0124.
    sv.SharedRoughness = 0.0124f;
    sv.SharedHydraulicRadius = 1.0f / 3.0f;
    main().channelSlope = 0.665f;
    main().wettedArea = 1.0f;
    click("Command3");
    const double gamma = (0.5799789 * 12.4 * 12.4 - 4.599084 * 12.4 - 0.01082456 * std::pow(12.4, 3) +
                          0.0000560053 * std::pow(12.4, 4)) /
                         100;
    const double r = 1.0 / 3.0;
    const double v = 87 * std::sqrt(r * 0.665 / 1000) / (1 + gamma / std::sqrt(r));
    EXPECT_NEAR(std::stod(c("zonetxt", 1).text()), v, 1e-4);
    EXPECT_NEAR(sv.SharedFlow, v, 1e-4);
    EXPECT_EQ(c("Label1").caption.rfind("Débit Bazin : 1.0", 0), 0u);
    EXPECT_TRUE(c("Label1").visible);
    // Below n = 0.01 there is no Bazin coefficient: the check stops at its message.
    sv.SharedRoughness = 0.005f;
    main().set("zonetxt", 1, "");
    expectMessage("Controle imposssible");
    click("Command3");
    EXPECT_EQ(c("zonetxt", 1).text(), "");
}

TEST_F(GeneralPage, NozzlePageKeepsItsInputsInTempobuse) {
    choose(12);
    for (auto [i, v] : {std::pair{0, "20"}, {1, "150"}, {2, "50"}, {3, "120"}}) main().set("zonetxt", i, v);
    main().set("zoneresu", -1, "0.03889");
    click("Label1");  // no file yet: no question
    const auto file = folder() / "Tempobuse";
    EXPECT_EQ(readLines(file), (std::vector<std::string>{"Plastic", "150", "38.89", "20", "120", ""}));

    // The pressure-pipe window keeps its singular losses in the sixth line.
    saveLines(file, {"Fonte neuve", "250", "100", "15", "20", "2,5"});
    choose(12);
    main().readTempobuse();
    EXPECT_EQ(c("zonetxt", 1).text(), "250");
    EXPECT_EQ(c("zonetxt", 5).text(), "100");
    EXPECT_EQ(c("zonetxt", 0).text(), "15");
    EXPECT_EQ(c("zonetxt", 3).text(), "20");
    main().set("zoneresu", -1, "0.1");
    answer("non");
    click("Label1");
    EXPECT_EQ(readLines(file)[0], "Fonte neuve");
    answer("oui");
    click("Label1");
    EXPECT_EQ(readLines(file), (std::vector<std::string>{"Plastic", "250", "100.", "15", "20", "2,5"}));
    EXPECT_EQ(dialogs_.shown()[0].text, "Voulez vous écraser le fichier actuel \ndu calcul de Conduite circulaire ?\n");

    saveLines(file, {"Plastic", "250"});  // a cut file fills what it has, then says so
    expectMessage("L'entrée dépasse la fin de fichier");
    main().trap([&] { main().readTempobuse(); });
    EXPECT_EQ(c("zonetxt", 1).text(), "250");
}

TEST_F(GeneralPage, NozzleSaveStopsOnAFlowTooLargeInLitres) {
    choose(12);
    main().set("zonetxt", 0, "20");
    main().set("zoneresu", -1, "1e38");  // 1e41 l/s is past single precision
    session().shared().SharedFlow.set(0.5f, FlowRateUnit::CubicMetresPerSecond);
    expectMessage("Dépassement de capacité");
    click("Label1");
    EXPECT_EQ(session().shared().SharedFlow, 0.5f);
    EXPECT_FALSE(fileExists(folder(), "Tempobuse"));
}

TEST_F(GeneralPage, FullFlowPageKeepsItsInputsInTemporary) {
    choose(26);
    const std::vector<std::string> typed = {"200", "130", "15", "2,5", "300", "", "14.2"};
    for (int i = 0; i < 7; ++i) main().set("zonetxt", i, typed[static_cast<std::size_t>(i)]);
    step("Formmain", "Label1");
    EXPECT_EQ(c("Label1").caption, "Enregistrer temporaire\r\nvos données");
    choose(26);
    main().readTemporary();
    for (int i = 0; i < 7; ++i) EXPECT_EQ(c("zonetxt", i).text(), typed[static_cast<std::size_t>(i)]) << i;
}

}  // namespace
}  // namespace aub::test

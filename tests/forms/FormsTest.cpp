// The window framework: control events, the error trap, the session's life cycle
// and the step language of the command line.
#include <gtest/gtest.h>

#include "core/CalcError.h"
#include "files/TextFile.h"
#include "forms/Form.h"
#include "forms/Printing.h"
#include "forms/RecordingPlatform.h"
#include "forms/Script.h"
#include "forms/ScriptedDialogs.h"
#include "forms/Session.h"
#include "forms/WindowCatalog.h"
#include "support/WindowTest.h"

namespace aub {
namespace {

// A small window exercising every kind of event.
class Sample : public Form {
public:
    explicit Sample(Session& s) : Form(s, "Sample", "Essai") {
        textBox("Valbox", 0);
        textBox("Valbox", 1);
        label("Label", 0, "");
        button("Calcul", -1, "Calcul");
        listBox("List1").items = {"A.txt", "B.txt"};
        checkBox("Check1", -1, "Option");
        slider("Vscrol", -1, 0, 10, 5);
        menu("mnuFile", "&Fichier");
        menu("mnuSave", "Enre&gistre", "mnuFile");
        menu("mnuSub", "Sous  menu", "mnuFile");
        menu("mnuDeep", "Profond", "mnuSub");
        on("Valbox", EventKind::Change, [this](int i) { log += "change" + std::to_string(i) + ";"; });
        on("Calcul", EventKind::Click, [this](int) {
            float a = num("Valbox", 0);
            float b = num("Valbox", 1);
            if (b == 0) throw CalcError(ErrDivByZero);
            ctl("Label", 0).caption = std::to_string(static_cast<int>(a / b));
        });
        on("List1", EventKind::Click, [this](int) { log += "list=" + ctl("List1").text() + ";"; });
        on("Check1", EventKind::Click, [this](int) { log += "check;"; });
        on("Vscrol", EventKind::Change,
           [this](int) { log += "slider=" + std::to_string(ctl("Vscrol").value()) + ";"; });
        on("mnuFile", EventKind::Click, [this](int) { log += "file;"; });
        on("mnuSave", EventKind::Click, [this](int) { log += "save;"; });
        on("mnuDeep", EventKind::Click, [this](int) {
            log += "deep;";
            if (auto a = dialogs().input("Nom ?", "Titre", "x")) log += "name=" + *a + ";";
        });
        onBackgroundClick([this] { log += "background;"; });
    }
    std::string log;
};

class Closing : public Form {
public:
    explicit Closing(Session& s) : Form(s, "Closing", "Fermeture") {
        button("Fin", -1, "Fin");
        on("Fin", EventKind::Click, [this](int) {
            session().unload(name());
            caption = "still alive";  // the window object outlives its own handler
        });
        menu("mnuFichier", "&Fichier");
        menu("mnuFermer", "Fermer", "mnuFichier");
        on("mnuFermer", EventKind::Click, [this](int) { session().unload(name()); });
    }
    bool queryUnload(CloseMode mode) override { return mode != CloseMode::User; }
};

class FormsTest : public ::testing::Test {
protected:
    FormsTest() {
        catalog.add("Sample", [](Session& s) { return std::make_unique<Sample>(s); });
        catalog.add("Closing", [](Session& s) { return std::make_unique<Closing>(s); });
        session = std::make_unique<Session>(catalog, dialogs, platform, folder.path());
    }
    Sample& sample() { return session->window<Sample>("Sample"); }
    ScriptOutcome run(std::vector<std::string> steps) { return runScript(*session, "Sample", steps); }

    test::TempFolder folder;
    WindowCatalog catalog;
    ScriptedDialogs dialogs;
    RecordingPlatform platform;
    std::unique_ptr<Session> session;
};

TEST_F(FormsTest, TypingRunsChangeOnlyWhenTheTextDiffers) {
    ASSERT_EQ(run({"Valbox(1)=2", "Valbox(1)=2", "Valbox(0)=5"}).status, 0);
    EXPECT_EQ(sample().log, "change1;change0;");
}

TEST_F(FormsTest, NoEventRunsWhileTheWindowIsBuilt) {
    EXPECT_EQ(sample().log, "");
    EXPECT_EQ(sample().ctl("Vscrol").value(), 5);
}

TEST_F(FormsTest, CalcErrorBecomesItsFrenchMessageAndKeepsTheScreen) {
    ASSERT_EQ(run({"Valbox(0)=7", "Valbox(1)=2", "Calcul", "Valbox(1)=0", "Calcul"}).status, 0);
    EXPECT_EQ(sample().ctl("Label", 0).caption, "3");
    EXPECT_EQ(dialogs.messages(), std::vector<std::string>{"Division par zéro"});
}

// The trap's failure policy: clean-up first, then a lead-in, the description with its
// suffix or number (or a fixed text and the number alone), then a follow-up.
TEST_F(FormsTest, FailurePolicySaysWhatTheWindowAddsAroundTheDescription) {
    Sample& w = sample();
    auto fail = [] { throw CalcError(ErrDivByZero); };
    std::string order;
    EXPECT_FALSE(w.trap(fail, FailurePolicy{.suffix = "  Des données sont incompatibles",
                                            .numbered = true,
                                            .leadIn = "avant",
                                            .followUp = "après",
                                            .cleanUp = [&] {
                                                order = "cleaned before " + std::to_string(dialogs.messages().size());
                                            }}));
    EXPECT_FALSE(w.trap(fail, FailurePolicy{.numberAfter = "erreur FrmRouecoté  "}));
    EXPECT_FALSE(w.trap([] { throw std::out_of_range("index"); }, "  erreur"));
    EXPECT_TRUE(w.trap([] {}, FailurePolicy{.followUp = "jamais"}));
    EXPECT_EQ(order, "cleaned before 0");
    EXPECT_EQ(dialogs.messages(), (std::vector<std::string>{
                                      "avant", "Division par zéro  Des données sont incompatibles\n Numéro 11", "après",
                                      "erreur FrmRouecoté  11", "L'indice n'appartient pas à la sélection  erreur"}));
}

// A fault of the program — an unknown control, a control declared twice, an unknown
// window — goes through every trap and never becomes a message for the person.
TEST_F(FormsTest, ProgramErrorsAreNeverTurnedIntoMessages) {
    Sample& w = sample();
    w.on("Calcul", EventKind::Click, [&w](int) { w.ctl("Valbox", 7).setText("1"); });
    EXPECT_THROW(w.fire(w.ctl("Calcul"), EventKind::Click), ProgramError);
    EXPECT_THROW(w.trap([&w] { w.trap([&w] { w.textBox("Valbox", 0); }); }), ProgramError);
    EXPECT_THROW(w.trap([this] { session->load("Absente"); }), ProgramError);
    EXPECT_TRUE(dialogs.messages().empty());
}

// A control is found by its name and index or by its key, exactly as the key is written:
// no leading zero, no sign, no blank; an array name alone is no control.
TEST_F(FormsTest, ControlsAreFoundByNameAndIndexOrByTheirExactKey) {
    Sample& w = sample();
    EXPECT_EQ(w.find("Valbox", 1), &w.ctl("Valbox", 1));
    EXPECT_EQ(w.findKey("Valbox(1)"), w.find("Valbox", 1));
    EXPECT_EQ(w.findKey("Calcul"), w.find("Calcul"));
    for (const char* wrong : {"Valbox", "Valbox(01)", "Valbox(+1)", "Valbox( 1)", "Valbox(2)", "Valbox()", "valbox(1)",
                              "Calcul(0)", "(1)", ""})
        EXPECT_EQ(w.findKey(wrong), nullptr) << wrong;
    EXPECT_EQ(w.find("Valbox"), nullptr);
    EXPECT_EQ(w.find("Valbox", -2), nullptr);
    EXPECT_EQ(w.find("Calcul", 0), nullptr);
    Control& big = w.textBox("Valbox", 12);
    EXPECT_EQ(w.findKey("Valbox(12)"), &big);
    EXPECT_EQ(w.find("Valbox", 11), nullptr);
    for (const auto& c : w.controls()) EXPECT_TRUE(c->hasKey(c->key())) << c->key();
    EXPECT_FALSE(big.hasKey("Valbox(1)"));
    EXPECT_FALSE(big.hasKey("Valbox(120)"));
    // A key is one control, however it is declared.
    EXPECT_THROW(w.textBox("Valbox", 1), ProgramError);
    Control& odd = w.textBox("Liste(3)", -1);
    EXPECT_EQ(w.findKey("Liste(3)"), &odd);
    EXPECT_THROW(w.textBox("Liste", 3), ProgramError);
    // Handlers by name and kind.
    EXPECT_TRUE(w.handles("Valbox", EventKind::Change));
    EXPECT_FALSE(w.handles("Valbox", EventKind::Click));
    EXPECT_FALSE(w.handles("Absent", EventKind::Click));
}

TEST_F(FormsTest, ControlsAddedOrHandledLateAndLookupsInTurnFindTheRightOnes) {
    Sample& w = sample();
    // A control added after its name got a handler, and a handler given after its control.
    {
        Control& late = w.textBox("Valbox", 2);
        late.setText("4");
        Control& extra = w.button("Extra", -1, "En plus");
        EXPECT_FALSE(w.handles("Extra", EventKind::Click));
        w.on("Extra", EventKind::Click, [&w](int) { w.log += "extra;"; });
        w.fire(extra, EventKind::Click);
    }
    EXPECT_EQ(w.log, "change2;extra;");
    // Names looked up in turn, a name missing and then added: each lookup its own control.
    EXPECT_EQ(w.find("Absent"), nullptr);
    Control& added = w.textBox("Absent", -1);
    EXPECT_EQ(w.find("Absent"), &added);
    for (int round = 0; round < 3; ++round) {
        EXPECT_EQ(w.find("Valbox", 1)->key(), "Valbox(1)");
        EXPECT_EQ(w.find("Calcul")->key(), "Calcul");
        EXPECT_EQ(w.find("Valbox", 0)->key(), "Valbox(0)");
        EXPECT_EQ(w.find("Valbox"), nullptr);
    }
    // A control put back from a copy still runs its handler.
    Control& box = w.ctl("Valbox", 0);
    const Control saved = box;
    box.setText("9");
    box.restore(saved);
    box.setText("8");
    EXPECT_EQ(w.log, "change2;extra;change0;change0;");
}

TEST_F(FormsTest, ListCheckAndSliderRunTheirEvents) {
    ASSERT_EQ(run({"List1=B.txt", "List1", "Check1=1", "Check1=1", "Vscrol=99"}).status, 0);
    EXPECT_EQ(sample().log, "list=B.txt;list=B.txt;check;slider=10;");
}

TEST_F(FormsTest, MenuPathClicksEveryMenuOnTheWay) {
    dialogs.answer("projet");
    ASSERT_EQ(run({"Fichier/Enregistre", "Fichier/Sous  menu/Profond"}).status, 0);
    EXPECT_EQ(sample().log, "file;save;file;deep;name=projet;");
}

// A greyed or hidden entry cannot be clicked: the step is refused by name, nothing runs.
TEST_F(FormsTest, GreyedOrHiddenMenuEntryIsRefused) {
    sample().ctl("mnuSave").enabled = false;
    const ScriptOutcome greyed = run({"Fichier/Enregistre"});
    EXPECT_EQ(greyed.status, 2);
    EXPECT_NE(greyed.error.find("« Enregistre » est grisée"), std::string::npos) << greyed.error;
    EXPECT_EQ(sample().log, "");
    sample().ctl("mnuSave").enabled = true;
    sample().ctl("mnuSave").visible = false;
    EXPECT_EQ(run({"Fichier/Enregistre"}).status, 2);
    EXPECT_EQ(run({"mnuSave"}).status, 2);
    EXPECT_EQ(sample().log, "");
}

TEST_F(FormsTest, UnknownNamesAndMissingAnswersGiveTheirStatus) {
    EXPECT_EQ(run({"Nothing(3)=1"}).status, 2);
    EXPECT_EQ(run({"Fichier/Rien"}).status, 2);
    EXPECT_EQ(runScript(*session, "NoSuchWindow", {}).status, 2);
    EXPECT_EQ(run({"Fichier/Sous  menu/Profond"}).status, 3);
}

TEST_F(FormsTest, StepOnAnotherWindowLoadsItWithoutShowingIt) {
    ASSERT_EQ(run({"Closing:Fin"}).status, 0);
    EXPECT_EQ(session->loaded("Closing"), nullptr);
    ASSERT_EQ(run({"Form"}).status, 0);
    EXPECT_EQ(sample().log, "background;");
}

// The step runner must not read the window once its own menu entry has unloaded it
// (the memory checks of `make verifie` see any such reading).
TEST_F(FormsTest, MenuEntryThatUnloadsItsOwnWindowEndsTheStepCleanly) {
    ASSERT_EQ(run({"Closing:Fichier/Fermer"}).status, 0);
    EXPECT_EQ(session->loaded("Closing"), nullptr);
    ASSERT_EQ(run({"Closing:mnuFermer"}).status, 0);
    EXPECT_EQ(session->loaded("Closing"), nullptr);
}

TEST_F(FormsTest, CloseBoxCanBeRefusedButTheProgramMayUnload) {
    session->show("Closing");
    Form& f = session->load("Closing");
    EXPECT_FALSE(session->requestClose(f));
    EXPECT_TRUE(f.visible());
    f.fire(f.ctl("Fin"), EventKind::Click);
    EXPECT_EQ(session->loaded("Closing"), nullptr);
    session->collect();
}

TEST_F(FormsTest, EndingTheProgramStopsEveryEvent) {
    session->show("Sample");
    Sample& s = sample();
    session->endProgram();
    EXPECT_TRUE(session->ended());
    EXPECT_TRUE(session->forms().empty());
    EXPECT_EQ(runStep(*session, "Sample", "Valbox(0)=1").status, 0);
    EXPECT_EQ(s.log, "");
    session->collect();
}

TEST_F(FormsTest, JsonListingCarriesControlsDialogsAndSharedValues) {
    ASSERT_EQ(run({"Valbox(0)=a\"b", "Valbox(1)=0", "Calcul"}).status, 0);
    std::string json = listingJson(*session, dialogs);
    EXPECT_NE(json.find("\"Valbox(0)\":{\"kind\":\"textbox\",\"text\":\"a\\\"b\""), std::string::npos) << json;
    // Every control names its kind; labels, frames and buttons give their caption.
    EXPECT_NE(json.find("\"Calcul\":{\"kind\":\"button\",\"text\":\"Calcul\",\"caption\":\"Calcul\""),
              std::string::npos);
    EXPECT_NE(json.find("\"Check1\":{\"kind\":\"check\",\"text\":\"Option\""), std::string::npos);
    EXPECT_NE(json.find("\"items\":[\"A.txt\",\"B.txt\"],\"selected\":-1"), std::string::npos);
    EXPECT_NE(json.find("{\"kind\":\"message\",\"text\":\"Division par zéro\"}"), std::string::npos);
    EXPECT_NE(json.find("\"SharedHead\":0"), std::string::npos);
    EXPECT_NE(json.find("\"ended\":false}"), std::string::npos);
}

TEST_F(FormsTest, JsonListingIsUtf8WhateverBytesATextHolds) {
    ASSERT_EQ(run({"Valbox(0)=\xE9t\xE9"}).status, 0);  // "été" typed in Windows-1252
    std::string json = listingJson(*session, dialogs);
    EXPECT_TRUE(isValidUtf8(json));
    EXPECT_NE(json.find("\"Valbox(0)\":{\"kind\":\"textbox\",\"text\":\"\xC3\xA9t\xC3\xA9\""), std::string::npos)
        << json;
}

TEST_F(FormsTest, TextListingLeavesOutControlsOfAHiddenFrame) {
    session->show("Sample");
    Sample& s = sample();
    s.frame("Cadre", -1, "Cadre");
    s.textBox("Dedans", -1, "caché").in("Cadre");
    s.ctl("Valbox", 0).setText("visible");
    s.ctl("Cadre").visible = false;
    std::string listing = listingText(*session, dialogs);
    EXPECT_NE(listing.find("[visible]"), std::string::npos) << listing;
    EXPECT_EQ(listing.find("caché"), std::string::npos) << listing;
}

TEST_F(FormsTest, PrintingOnWhiteGivesEveryColourBackEvenWhenItFails) {
    session->show("Sample");
    Sample& s = sample();
    s.backColor = 0xAACA0F;
    Control& label = s.ctl("Label", 0);
    label.backColor = 0xFF0000;
    int seen = -1;
    platform.onPrint = [&](Form& f) { seen = f.backColor; };
    printOnWhite(s, {&label});
    EXPECT_EQ(seen, 0xFFFFFF);
    EXPECT_EQ(s.backColor, 0xAACA0F);
    EXPECT_EQ(label.backColor, 0xFF0000);

    platform.printerAvailable = false;
    EXPECT_THROW(printOnWhite(s, {&label}), CalcError);
    EXPECT_EQ(s.backColor, 0xAACA0F);
    EXPECT_EQ(label.backColor, 0xFF0000);
}

TEST(DrawingTest, KeepsElementsWithThePenOfTheirTime) {
    Drawing d;
    d.scale(0, 10, 10, 0);
    d.penColor = 0xFF0000;
    d.line(0, 0, 10, 10);
    d.penWidth = 2;
    d.circle(5, 5, 1);
    ASSERT_EQ(d.ops().size(), 2u);
    EXPECT_EQ(d.ops()[0].color, 0xFF0000);
    EXPECT_EQ(d.ops()[0].width, 1);
    EXPECT_EQ(d.ops()[1].width, 2);
    EXPECT_EQ(d.top(), 10);
    d.clear();
    EXPECT_TRUE(d.ops().empty());
}

}  // namespace
}  // namespace aub

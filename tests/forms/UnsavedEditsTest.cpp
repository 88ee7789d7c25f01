// A design window's unsaved edits: which changes make them, which actions ask
// before throwing them away, and what "Non" keeps. Also the default and cancel
// actions that Enter and Escape run.
#include <gtest/gtest.h>

#include "forms/Form.h"
#include "forms/RecordingPlatform.h"
#include "forms/Script.h"
#include "forms/ScriptedDialogs.h"
#include "forms/Session.h"
#include "forms/WindowCatalog.h"
#include "support/WindowTest.h"

namespace aub {
namespace {

class Design : public Form {
public:
    explicit Design(Session& s) : Form(s, "Design", "Projet") {
        textBox("Valbox", 0);
        textBox("Resubox", 0).locked = true;
        checkBox("Check1", -1, "Option");
        listBox("List1").items = {"A.txt", "B.txt"};
        button("Calcul", -1, "Calcul");
        button("Cache", -1, "Caché").visible = false;
        menu("Fichier", "Fichier");
        menu("Enreg", "Enregistre", "Fichier");
        menu("Efface", "Efface", "Fichier");
        menu("Fin", "Fin", "Fichier");
        on("List1", EventKind::Click, [this](int) {
            set("Valbox", 0, ctl("List1").text());
            clearUnsavedEdits();
        });
        on("Calcul", EventKind::Click, [this](int) { set("Resubox", 0, "calculé " + txt("Valbox", 0)); });
        on("Cache", EventKind::Click, [this](int) { set("Resubox", 0, "caché"); });
        on("Enreg", EventKind::Click, [this](int) { clearUnsavedEdits(); });
        on("Efface", EventKind::Click, [this](int) {
            set("Valbox", 0, "");
            clearUnsavedEdits();
        });
        on("Fin", EventKind::Click, [this](int) { session().endProgram(); });
        tracksEdits = true;
        discardsEdits("List1");
        discardsEdits("Efface");
        defaultAction = "Calcul";
    }
};

class UnsavedEditsTest : public ::testing::Test {
protected:
    UnsavedEditsTest() {
        catalog.add("Design", [](Session& s) { return std::make_unique<Design>(s); });
        session = std::make_unique<Session>(catalog, dialogs, platform, folder.path());
        EXPECT_EQ(runScript(*session, "Design", {}).status, 0);
    }
    Form& design() { return *session->loaded("Design"); }
    int run(const std::string& step) { return runStep(*session, "Design", step).status; }
    std::size_t questions() const {
        std::size_t n = 0;
        for (const auto& d : dialogs.shown()) n += d.kind == "question" && d.text == DiscardEditsQuestion;
        return n;
    }

    test::TempFolder folder;
    WindowCatalog catalog;
    ScriptedDialogs dialogs;
    RecordingPlatform platform;
    std::unique_ptr<Session> session;
};

TEST_F(UnsavedEditsTest, OnlyThePersonsChangeToAnInputMakesEditsUnsaved) {
    EXPECT_FALSE(design().unsavedEdits());
    design().set("Valbox", 0, "par le programme");
    design().ctl("Check1").setValue(1);
    EXPECT_FALSE(design().unsavedEdits());
    ASSERT_EQ(run("List1=A.txt"), 0);  // an opened design is not an edit
    EXPECT_FALSE(design().unsavedEdits());
    ASSERT_EQ(run("Resubox(0)=5"), 0);  // a result box is no input
    EXPECT_FALSE(design().unsavedEdits());
    ASSERT_EQ(run("Check1=0"), 0);
    EXPECT_TRUE(design().unsavedEdits());
    ASSERT_EQ(run("Enregistre"), 0);
    EXPECT_FALSE(design().unsavedEdits());
    ASSERT_EQ(run("Valbox(0)=3"), 0);
    EXPECT_TRUE(design().unsavedEdits());
}

TEST_F(UnsavedEditsTest, NothingIsAskedWithoutUnsavedEdits) {
    ASSERT_EQ(run("List1=A.txt"), 0);
    ASSERT_EQ(run("List1=B.txt"), 0);
    ASSERT_EQ(run("Efface"), 0);
    EXPECT_TRUE(session->unload("Design"));
    EXPECT_EQ(questions(), 0u);
}

TEST_F(UnsavedEditsTest, NonKeepsTheEditsAndTheChosenEntry) {
    ASSERT_EQ(run("List1=A.txt"), 0);
    ASSERT_EQ(run("Valbox(0)=typé"), 0);
    for (const char* step : {"List1=B.txt", "Efface", "Fin"}) {
        dialogs.answer("non");
        ASSERT_EQ(run(step), 0) << step;
    }
    dialogs.answer("non");
    EXPECT_FALSE(session->requestClose(design()));
    dialogs.answer("non");
    EXPECT_FALSE(session->unload("Design"));
    EXPECT_EQ(questions(), 5u);
    EXPECT_EQ(design().txt("Valbox", 0), "typé");
    EXPECT_EQ(design().ctl("List1").text(), "A.txt");
    EXPECT_EQ(design().ctl("List1").listIndex(), 0);
    EXPECT_TRUE(design().unsavedEdits());
    EXPECT_FALSE(session->ended());
}

TEST_F(UnsavedEditsTest, OuiLetsTheActionRunOnce) {
    ASSERT_EQ(run("Valbox(0)=typé"), 0);
    dialogs.answer("oui");
    ASSERT_EQ(run("List1=B.txt"), 0);
    EXPECT_EQ(design().txt("Valbox", 0), "B.txt");
    ASSERT_EQ(run("Valbox(0)=encore"), 0);
    dialogs.answer("oui");
    ASSERT_EQ(run("Fin"), 0);  // one question, however many windows hold edits
    EXPECT_TRUE(session->ended());
    EXPECT_EQ(questions(), 2u);
    session->collect();
}

TEST_F(UnsavedEditsTest, WithoutAnAnswerTheCommandLineStopsWithStatus3) {
    ASSERT_EQ(run("Valbox(0)=typé"), 0);
    EXPECT_EQ(runScript(*session, "Design", {"Efface"}).status, 3);
    EXPECT_EQ(design().txt("Valbox", 0), "typé");
}

TEST_F(UnsavedEditsTest, SystemCloseAndProgramEndWithoutQuestionStillGo) {
    ASSERT_EQ(run("Valbox(0)=typé"), 0);
    EXPECT_TRUE(session->endProgram(false));
    EXPECT_EQ(questions(), 0u);
    session->collect();
}

TEST_F(UnsavedEditsTest, DefaultActionRunsOnlyAShownEnabledControl) {
    ASSERT_EQ(run("Valbox(0)=7"), 0);
    EXPECT_TRUE(design().runDefaultAction());
    EXPECT_EQ(design().txt("Resubox", 0), "calculé 7");
    design().ctl("Calcul").enabled = false;
    EXPECT_FALSE(design().runDefaultAction());
    design().defaultAction = "Cache";
    EXPECT_FALSE(design().runDefaultAction());
    EXPECT_EQ(design().txt("Resubox", 0), "calculé 7");
    EXPECT_FALSE(design().runCancelAction());  // none declared
}

}  // namespace
}  // namespace aub

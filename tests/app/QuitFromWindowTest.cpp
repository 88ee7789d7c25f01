// A design window's own "Fin", "Quitter", "Fermer" or "Quitter tout" ends the whole
// program: the person is asked first, and "Non" keeps every other window and the dossier.
#include <gtest/gtest.h>

#include <string>

#include "forms/Session.h"
#include "support/WindowTest.h"

namespace aub::test {
namespace {

struct QuitEntry {
    const char* testName;
    const char* window;
    const char* entry;
    bool closesItself;  // "Fermer" closes its own window whatever the answer
};

constexpr QuitEntry QuitEntries[] = {
    {"OvershotFermer", "Formrouehaut", "Fichier/Fermer", true},
    {"BreastshotFin", "Frmrouedecoté", "Fichier/Fin", false},
    {"PonceletQuitter", "FrmPoncel", "Fichier/Quitter", false},
    {"WindFin", "frméole01", "Fin", false},
    {"HammerQuitterTout", "Frmmarteau", "Fichier/Quitter tout", false},
};

class QuitFromWindow : public WindowTest {
protected:
    std::size_t quitQuestions() const {
        std::size_t n = 0;
        for (const auto& d : dialogs_.shown()) n += d.kind == "question" && d.text == QuitQuestion;
        return n;
    }
    // Another window open and a dossier being assembled: what ending would lose.
    void openOtherWork() {
        open("Banki");
        session().dossier.push_back(WindowReport{});
        session().dossierStudy = "Moulin";
    }
};

class QuitEntryTest : public QuitFromWindow, public ::testing::WithParamInterface<QuitEntry> {};

TEST_P(QuitEntryTest, AsksFirstAndNonKeepsTheOtherWindowsAndTheDossier) {
    const QuitEntry& q = GetParam();
    openOtherWork();
    open(q.window);
    answer("non");
    step(q.window, q.entry);
    EXPECT_EQ(quitQuestions(), 1u);
    EXPECT_FALSE(session().ended());
    EXPECT_NE(session().loaded("Banki"), nullptr);
    EXPECT_EQ(session().dossier.size(), 1u);
    EXPECT_EQ(session().loaded(q.window) == nullptr, q.closesItself);

    open(q.window);
    answer("oui");
    step(q.window, q.entry);
    EXPECT_EQ(quitQuestions(), 2u);
    EXPECT_TRUE(session().ended());
    session().collect();
}

INSTANTIATE_TEST_SUITE_P(EveryEntryThatEndsTheProgram, QuitEntryTest, ::testing::ValuesIn(QuitEntries),
                         [](const auto& entry) { return std::string(entry.param.testName); });

TEST_F(QuitFromWindow, UnsavedEditsAreAskedAboutInsteadOfTheQuitQuestion) {
    open("Frmrouedecoté");
    step("Frmrouedecoté", "Valbox(0)=3");
    answer("oui");
    step("Frmrouedecoté", "Fichier/Fin");
    EXPECT_TRUE(session().ended());
    ASSERT_EQ(dialogs_.shown().size(), 1u);
    EXPECT_EQ(dialogs_.shown()[0].text, DiscardEditsQuestion);
}

TEST_F(QuitFromWindow, TheMainQuitterStillAsksNothing) {
    open("Formmain");
    step("Formmain", "&Quitter");
    EXPECT_TRUE(session().ended());
    EXPECT_EQ(quitQuestions(), 0u);
}

}  // namespace
}  // namespace aub::test

// A calculation that stops on a message leaves no figure of an earlier run in its
// result boxes, beside inputs that no longer give it.
#include <gtest/gtest.h>

#include "app/FormulaPageTest.h"

namespace aub::test {
namespace {

TEST_F(FormulaPageTest, AFormulaPageThatStopsEmptiesItsResultBox) {
    run("Options1/Puissance d'une chute", {{0, "10"}, {1, "0.5"}});
    EXPECT_EQ(result(), "66.667");
    // The routine fails (the power overflows a single): the message, no figure.
    expectMessage("Dépassement de capacité");
    type(0, "1e38");
    type(1, "10");
    calcul();
    EXPECT_EQ(result(), "");
    // The notice of a missing head: no figure either.
    type(0, "10");
    type(1, "0.5");
    calcul();
    EXPECT_EQ(result(), "66.667");
    expectMessage("Données manquantes");
    type(0, "");
    calcul();
    EXPECT_EQ(result(), "");
}

class DesignWindowStop : public WindowTest {};

TEST_F(DesignWindowStop, ThePipeWindowEmptiesItsResultsOnMissingData) {
    open("Formbuse");
    step("Formbuse", "Combo1=Fonte neuve");
    step("Formbuse", "Colebrook");
    EXPECT_EQ(text("Formbuse", "Valbox", 7), "342.295");
    expectMessage("Il manque au moins une donnée");
    step("Formbuse", "Valbox(2)=0");
    step("Formbuse", "Colebrook");
    for (int i = 6; i <= 11; ++i) EXPECT_EQ(text("Formbuse", "Valbox", i), "") << i;
    // The inputs stay as typed.
    EXPECT_EQ(text("Formbuse", "Valbox", 1), "250");
    EXPECT_EQ(text("Formbuse", "Valbox", 2), "0");
}

// A result box of these windows is known by its frame ("Frame2") or its key
// ("boite(12)"): an arithmetic failure empties them all the same.
class ArithmeticFailure : public DesignWindowStop {
protected:
    void expectEmpty(const std::string& window, const char* name, std::initializer_list<int> boxes) {
        for (int i : boxes) EXPECT_EQ(text(window, name, i), "") << window << " " << name << "(" << i << ")";
    }
};

TEST_F(ArithmeticFailure, ThePipeWindowEmptiesItsResultsOnEachCalculation) {
    open("Formbuse");
    step("Formbuse", "Combo1=Fonte neuve");
    // Inside the calculation (the singular losses overflow) and before it (the diameter's
    // cross-section overflows while the inputs are read).
    for (const char* input : {"Valbox(5)=1e38", "Valbox(1)=1e30"}) {
        step("Formbuse", "Valbox(1)=250");
        step("Formbuse", "Valbox(5)=0");
        step("Formbuse", "Colebrook");
        ASSERT_EQ(text("Formbuse", "Valbox", 7), "342.295");
        step("Formbuse", input);
        if (std::string(input).starts_with("Valbox(5)"))
            expectMessage(" un champ de saisie a une valeur incorrecte ou nulle");
        expectMessage("Dépassement de capacité");
        step("Formbuse", "Colebrook");
        expectEmpty("Formbuse", "Valbox", {6, 7, 8, 9, 10, 11});
    }
    step("Formbuse", "Valbox(1)=250");
    for (const char* calculation : {"Scimemi", "Plein"}) {
        step("Formbuse", "Valbox(5)=0");
        step("Formbuse", calculation);
        ASSERT_NE(text("Formbuse", "Valbox", 7), "") << calculation;
        step("Formbuse", "Valbox(5)=1e38");
        if (std::string(calculation) == "Scimemi")
            expectMessage(" un champ de saisie a une valeur incorrecte ou nulle");
        expectMessage("Dépassement de capacité");
        step("Formbuse", calculation);
        expectEmpty("Formbuse", "Valbox", {6, 7, 8, 9, 10, 11});
    }
    EXPECT_EQ(text("Formbuse", "Valbox", 5), "1e38");  // the inputs stay as typed
}

TEST_F(ArithmeticFailure, TheTwoBasinsWindowEmptiesItsResults) {
    open("Form12");
    step("Form12", "Combo1=Fonte neuve");
    step("Form12", "Command1");
    ASSERT_NE(text("Form12", "Valbox", 13), "");
    step("Form12", "Valbox(5)=1e38");
    expectMessage(" un champ de saisie a une valeur incorrecte ou nulle");
    expectMessage("Dépassement de capacité");
    step("Form12", "Command1");
    expectEmpty("Form12", "Valbox", {6, 7, 8, 9, 10, 11, 13});
    EXPECT_EQ(text("Form12", "Valbox", 5), "1e38");
}

TEST_F(ArithmeticFailure, TheTurbineWindowEmptiesItsResults) {
    open("Formroue");
    step("Formroue", "Command1");
    ASSERT_EQ(text("Formroue", "boite", 12), "399.990000");
    ASSERT_NE(text("Formroue", "boite", 1), "");
    // The theoretical power 13.333·Q·H overflows a single.
    step("Formroue", "boitebase(0)=1e37");
    expectMessage("Dépassement de capacité");
    expectMessage("Vérifiez la compatibilté de la vitesse affichée");
    step("Formroue", "Command1");
    expectEmpty("Formroue", "boite", {12, 8, 10, 9, 3, 4, 7, 1, 5, 13, 0, 2});
    EXPECT_EQ(text("Formroue", "boitebase", 0), "1e37");
    // A speed of 0 stops the calculation the same way.
    step("Formroue", "boitebase(0)=10");
    step("Formroue", "Command1");
    ASSERT_EQ(text("Formroue", "boite", 12), "399.990000");
    step("Formroue", "boitebase(2)=0");
    expectMessage("Réglez la vitesse à une valeur non nulle");
    step("Formroue", "Command1");
    expectEmpty("Formroue", "boite", {12, 8, 10, 9, 3, 4, 7, 1, 5, 13, 0, 2});
}

}  // namespace
}  // namespace aub::test

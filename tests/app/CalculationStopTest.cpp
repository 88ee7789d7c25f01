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

}  // namespace
}  // namespace aub::test

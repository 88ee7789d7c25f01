// Enter runs each calculation window's own calculation (the model's default action).
#include <gtest/gtest.h>

#include <string>

#include "support/WindowTest.h"

namespace aub::test {
namespace {

class DefaultActionTest : public WindowTest {};

TEST_F(DefaultActionTest, EnterCalculatesThePipeTheBasinsTheChannelAndTheUndershotWheel) {
    // The pipe window: Colebrook, as its menu entry would.
    open("Formbuse");
    step("Formbuse", "Combo1=Fonte neuve");
    EXPECT_EQ(text("Formbuse", "Valbox", 6), "");
    EXPECT_TRUE(load("Formbuse").runDefaultAction());
    EXPECT_EQ(text("Formbuse", "Valbox", 6), "17.1148");

    // The two basins.
    open("Form12");
    step("Form12", "Combo1=Fonte neuve");
    EXPECT_TRUE(load("Form12").runDefaultAction());
    EXPECT_FALSE(text("Form12", "Valbox", 7).empty());

    // The rectangular channel by Darcy–Weisbach.
    open("frmarcy");
    EXPECT_TRUE(load("frmarcy").runDefaultAction());
    EXPECT_FALSE(text("frmarcy", "Resubox", 1).empty());

    // The undershot wheel is calculated by choosing its gate: before the material is
    // chosen the gate list is hidden and Enter does nothing; afterwards Enter
    // calculates again with the gate chosen last.
    open("Frmdessous");
    const char* values[] = {"2", "0.2", "3", "0.8", "0.5", "0.35", "24", "30"};
    for (int i = 0; i < 8; ++i) step("Frmdessous", "valubox(" + std::to_string(i) + ")=" + values[i]);
    Form& wheel = load("Frmdessous");
    EXPECT_FALSE(wheel.runDefaultAction());
    step("Frmdessous", "Combo1=Bois");
    step("Frmdessous", "Combo2=INCLINEE");
    const std::string flowAt2m = text("Frmdessous", "Valbox", 3);
    step("Frmdessous", "valubox(0)=4");
    EXPECT_EQ(text("Frmdessous", "Valbox", 3), flowAt2m);
    EXPECT_TRUE(wheel.runDefaultAction());
    EXPECT_EQ(text("Frmdessous", "Label1"), "Vanne inclinée");
    EXPECT_NE(text("Frmdessous", "Valbox", 3), flowAt2m);
}

}  // namespace
}  // namespace aub::test

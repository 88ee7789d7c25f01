// The undershot wheel window: gate types, the flume loss of the vertical gate, the
// material list and its reset, the worked example and the failures.
#include <gtest/gtest.h>

#include <cmath>

#include "core/NumberText.h"
#include "core/SharedValues.h"
#include "support/WindowTest.h"
#include "wheels/Frmdessous.h"

namespace aub {
namespace {

class FrmdessousTest : public test::WindowTest {
protected:
    Frmdessous& window() { return session().window<Frmdessous>("Frmdessous"); }
    // H, e, D, B, b, h, n, t.
    void type(const std::vector<std::string>& values) {
        for (std::size_t i = 0; i < values.size(); ++i)
            step("Frmdessous", "valubox(" + std::to_string(i) + ")=" + values[i]);
    }
    void typical() { type({"2", "0.2", "3", "0.8", "0.5", "0.35", "24", "30"}); }
};

TEST_F(FrmdessousTest, InclinedGateHasNoFlumeLossAndThirtyPercent) {
    open("Frmdessous");
    typical();
    step("Frmdessous", "Combo1=Bois");
    step("Frmdessous", "Combo2=INCLINEE");
    EXPECT_EQ(text("Frmdessous", "Label1"), "Vanne inclinée");
    EXPECT_EQ(window().ctl("Label1").backColor, 0xFFFF00);
    EXPECT_EQ(text("Frmdessous", "Valbox", 2), ".0");
    EXPECT_EQ(text("Frmdessous", "Valbox", Frmdessous::EfficiencyBox), "30.0");
    EXPECT_FALSE(window().ctl("Combo1").visible);
    EXPECT_FLOAT_EQ(session().shared().SharedDensity, 0.9f);
    // The boxes the trip hammer reads hold the values of results().
    const auto r = window().results();
    EXPECT_GT(r.speed, 0.0f);
    EXPECT_EQ(text("Frmdessous", "Valbox", Frmdessous::SpeedBox), formatMask(r.speed, "####.0####"));
    EXPECT_EQ(text("Frmdessous", "Valbox", Frmdessous::OmegaBox), formatMask(r.omega, "####.0####"));
    EXPECT_EQ(text("Frmdessous", "Valbox", Frmdessous::InertiaBox), formatMask(r.inertia, "####.0####"));
    EXPECT_EQ(text("Frmdessous", "Valbox", Frmdessous::TorqueBox), formatMask(r.torque, "####.0####"));
}

TEST_F(FrmdessousTest, VerticalGateLowersTheVelocityButKeepsTheFlowOfTheFullVelocity) {
    open("Frmdessous");
    typical();
    step("Frmdessous", "Combo1=Acier");
    step("Frmdessous", "Combo2=INCLINEE");
    const auto inclined = window().results();
    step("Frmdessous", "Combo2=DROITE");
    const auto vertical = window().results();
    EXPECT_EQ(text("Frmdessous", "Label1"), "Vanne verticale");
    EXPECT_EQ(text("Frmdessous", "Valbox", Frmdessous::EfficiencyBox), "27.0");
    EXPECT_GT(vertical.flumeLoss, 0.0f);
    EXPECT_LT(vertical.velocity, inclined.velocity);
    EXPECT_NEAR(vertical.flow, inclined.flow * 0.7f / 0.8f, 1e-6);
    EXPECT_FLOAT_EQ(vertical.velocity * vertical.velocity,
                    inclined.velocity * inclined.velocity - 19.62f * vertical.flumeLoss);
}

// H = 2, e = 0.2, b = 0.5 on a vertical gate: V = sqrt(1.9 x 19.62), Q = 0.5 x 0.7 x 0.2 x V.
TEST_F(FrmdessousTest, WorkedExampleOfTheVerticalGate) {
    open("Frmdessous");
    typical();
    step("Frmdessous", "Combo1=Bois");
    step("Frmdessous", "Combo2=DROITE");
    const float V = std::sqrt(1.9f * 19.62f);
    EXPECT_NEAR(window().results().flow, 0.5f * 0.7f * 0.2f * V, 1e-6);
    EXPECT_NEAR(V, 6.1056f, 1e-4);
    EXPECT_EQ(text("Frmdessous", "Valbox", 3), "427.38998");  // 1000 Q, l/s
}

TEST_F(FrmdessousTest, FlumeLossAboveTheJetEnergyIsShownAndLeavesTheVelocity) {
    open("Frmdessous");
    type({"2", "0.01", "3", "0.8", "0.5", "0.35", "24", "30"});  // a thin jet under a wide wheel
    step("Frmdessous", "Combo1=Bois");
    step("Frmdessous", "Combo2=DROITE");
    const auto r = window().results();
    const float V = std::sqrt((2.0f - 0.01f / 2.0f) * 19.62f);
    EXPECT_FLOAT_EQ(r.velocity, V);
    // y = Q / (b V) = 0.007 m, Rh = b y / (2y + b) = 0.00681 m, slope Rh^-4/3 V² 0.011² = 3.670,
    // eleven steps of R/10 = 0.15 m: 6.055 m of loss; V² − 19.62 × 6.055 = −79.65.
    expectMessage("-79.65465");
    EXPECT_NEAR(r.flumeLoss, 6.055f, 0.001f);
}

TEST_F(FrmdessousTest, MaterialResetBeforeAnyChoiceGivesAWheelWithoutMass) {
    open("Frmdessous");
    typical();
    EXPECT_FALSE(window().ctl("Combo2").visible);
    step("Frmdessous", "Reset matériau");
    EXPECT_TRUE(window().ctl("Combo1").visible);
    EXPECT_TRUE(window().ctl("Combo2").visible);
    step("Frmdessous", "Combo2=INCLINEE");
    EXPECT_EQ(text("Frmdessous", "Valbox", 16), ".0");
    EXPECT_EQ(text("Frmdessous", "Valbox", 20), ".0");
    EXPECT_EQ(text("Frmdessous", "Valbox", 25), ".0");
    EXPECT_NE(text("Frmdessous", "Valbox", 4), "");
}

// The blade material density is a program-wide value: a window opened again computes
// with the material chosen before, until another is chosen.
TEST_F(FrmdessousTest, MaterialDensityOutlivesTheWindow) {
    open("Frmdessous");
    typical();
    step("Frmdessous", "Combo1=Acier");
    step("Frmdessous", "Combo2=INCLINEE");
    const float steelMass = window().results().mass;
    EXPECT_GT(steelMass, 0.0f);
    answer("oui");  // the typed values may go
    session().unload("Frmdessous");

    open("Frmdessous");
    typical();
    step("Frmdessous", "Reset matériau");
    step("Frmdessous", "Combo2=INCLINEE");
    EXPECT_FLOAT_EQ(window().results().mass, steelMass);
    step("Frmdessous", "Combo1=Bois");
    step("Frmdessous", "Combo2=INCLINEE");
    EXPECT_NEAR(window().results().mass, steelMass * 0.9f / 7.8f, 1e-3f);
}

// The printed sheet has a white background and white result captions; the data
// captions and the gate caption keep their colours.
TEST_F(FrmdessousTest, PrintedSheetWhitensTheResultCaptions) {
    open("Frmdessous");
    typical();
    step("Frmdessous", "Combo1=Bois");
    step("Frmdessous", "Combo2=INCLINEE");
    const int screenColour = window().backColor;
    bool printed = false;
    platform_.onPrint = [&](Form& f) {
        printed = true;
        EXPECT_EQ(f.backColor, 0xFFFFFF);
        EXPECT_EQ(f.ctl("Label", 0).backColor, 0xFFFFFF);
        EXPECT_EQ(f.ctl("Label", 25).backColor, 0xFFFFFF);
        EXPECT_EQ(f.ctl("Labeldon", 0).backColor, NoColor);
        EXPECT_EQ(f.ctl("Label1").backColor, 0xFFFF00);
    };
    step("Frmdessous", "Imprime feuille");
    EXPECT_TRUE(printed);
    // The screen gets its colours back once the page is printed.
    EXPECT_EQ(window().backColor, screenColour);
    EXPECT_EQ(window().ctl("Label", 0).backColor, NoColor);
}

TEST_F(FrmdessousTest, EffaceToutEmptiesTheSecondResultColumnOnly) {
    open("Frmdessous");
    typical();
    step("Frmdessous", "Combo1=Bois");
    step("Frmdessous", "Combo2=DROITE");
    step("Frmdessous", "Efface_tout");
    for (int box : {10, 11, 12, 13, 14, 15, 16, 17, 18, 20, 22, 23, 24})
        EXPECT_EQ(text("Frmdessous", "Valbox", box), "") << box;
    for (int box : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 25}) EXPECT_NE(text("Frmdessous", "Valbox", box), "") << box;
    EXPECT_EQ(text("Frmdessous", "valubox", 0), "2");
}

TEST_F(FrmdessousTest, GateChosenBeforeTheGateOpeningAsksForTheData) {
    open("Frmdessous");
    step("Frmdessous", "Combo1=Bois");
    expectMessage("saisir d'abord toutes les données");
    step("Frmdessous", "Combo2=DROITE");
    EXPECT_EQ(text("Frmdessous", "Valbox", 4), "");
}

TEST_F(FrmdessousTest, ArithmeticFailuresShowTheirDescriptionAndStop) {
    open("Frmdessous");
    type({"0.05", "0.2", "3", "0.8", "0.5", "0.35", "24", "30"});  // e/2 above the head
    step("Frmdessous", "Combo1=Bois");
    expectMessage("Argument ou appel de procédure incorrect");
    step("Frmdessous", "Combo2=INCLINEE");
    EXPECT_EQ(text("Frmdessous", "Valbox", 4), "");

    type({"2", "0.2", "3", "0.8", "0.5", "0.35", "0", "30"});  // no blades
    expectMessage("Division par zéro");
    step("Frmdessous", "Combo2=INCLINEE");
    EXPECT_EQ(text("Frmdessous", "Valbox", 0), "");

    type({"2", "0.2", "0", "0.8", "0.5", "0.35", "24", "30"});  // a wheel of no diameter
    expectMessage("Dépassement de capacité");                   // filling 0/0; its flume of no length has no loss
    step("Frmdessous", "Combo2=DROITE");
    EXPECT_EQ(text("Frmdessous", "Valbox", 2), "");
}

}  // namespace
}  // namespace aub

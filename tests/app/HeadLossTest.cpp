// The head-loss pages of the general page: channels by Manning with the Bazin check,
// the depth of a channel for a flow, the loss in a bend.
#include <chrono>

#include "FormulaPageTest.h"
#include "support/TimeFactor.h"

namespace aub::test {
namespace {

using HeadLoss = FormulaPageTest;

// ------------------------------------------------------------ channels

TEST_F(HeadLoss, ChannelPagesTakeTheirSizeAndLockTheVelocity) {
    page("Perte de charge/Canal rectangulaire");
    EXPECT_EQ(main().widthTw, 11600);
    EXPECT_EQ(main().heightTw, 8500);
    EXPECT_EQ(visibility(), "1011110110111101");
    EXPECT_TRUE(c("zonetxt", 1).locked);
    EXPECT_TRUE(c("Combo1").visible && c("KManning").visible && c("Labelresu").visible);
    page("Perte de charge/Canal en trapèze");
    EXPECT_EQ(visibility(), "1011111010111110");
    page("Perte de charge/Canal circulaire");
    EXPECT_EQ(visibility(), "1011110010111100");
    page("Options1/Vanne");
    EXPECT_FALSE(c("zonetxt", 1).locked);
}

TEST_F(HeadLoss, RectangularChannelWorkedExampleAndItsBazinCheck) {
    page("Perte de charge/Canal rectangulaire");
    step("Formmain", "Combo1=Lisse");
    EXPECT_EQ(box(5), "0.0124");
    run("Perte de charge/Canal rectangulaire", {{0, "1"}, {2, "2"}, {3, "0.5"}, {5, "0.0124"}});
    // A = 1, P = 3, R = 1/3, V = 1, J = 1000 × 0.0124² × (1/3)^(−4/3)
    EXPECT_EQ(result(), "0.66528");
    EXPECT_EQ(box(1) + " " + box(4) + " " + box(7), "1. 0.33333 0.45152");
    EXPECT_EQ(label("Label", 7), "Ecoulement Fluvial  Froude = ");
    EXPECT_EQ(label("Label1"), "hauteur critique : 0.2946377");
    EXPECT_EQ(c("Text2").text(), "Périmouillé 3.");
    EXPECT_EQ(visibility(), "1111111111111111");  // mask re-applied, boxes kept
    EXPECT_EQ(box(3), "0.5");
    ASSERT_TRUE(c("Command3").visible);
    step("Formmain", "Command3");
    // γ = 0.1283 for n = 0.0124; V = 87 √(R J) / (1 + γ/√R)
    EXPECT_EQ(label("Label1"), "Débit Bazin : 1.05994");
    EXPECT_EQ(box(1), "1.05994");
}

TEST_F(HeadLoss, ChannelMessages) {
    expectMessage("Rugosité des parois non définie Cliquez Sur la boite Parois ou recherchez le coefficient ");
    run("Perte de charge/Canal rectangulaire", {{0, "1"}, {2, "2"}, {3, "0.5"}});
    EXPECT_EQ(result(), "");
    expectMessage("Erreur de données");  // a loss too small to show
    run("Perte de charge/Canal rectangulaire", {{0, "0.000001"}, {2, "2"}, {3, "0.5"}, {5, "0.0124"}});
    EXPECT_EQ(label("Labelresu") + label("Label3"), "");
    run("Perte de charge/Canal rectangulaire", {{0, "5"}, {2, "1"}, {3, "0.5"}, {5, "0.0124"}});
    EXPECT_EQ(label("Label", 7), "Ecoulement Torrentiel Froude =");  // Fr = 10 / √4.905
}

TEST_F(HeadLoss, HalfFullCircularChannel) {
    run("Perte de charge/Canal circulaire", {{0, "0.5"}, {2, "1"}, {3, "0.5"}, {5, "0.0124"}});
    // φ = π: A = π r²/2, P = π r, R = r/2
    EXPECT_EQ(label("Label1"), "Surface mouillée (m2) 0.393");
    EXPECT_EQ(c("Text2").text(), "Périmouillé 1.571");
    EXPECT_EQ(box(4), "0.25");
    EXPECT_EQ(visibility(), "1111110011111100");
}

TEST_F(HeadLoss, CircularChannelOfAnyFilling) {
    const std::pair<const char*, float> depths[] = {{"0.75", 0.6319f}, {"0.25", 0.1535f}, {"1", 0.7854f}};
    for (const auto& [depth, area] : depths) {
        run("Perte de charge/Canal circulaire", {{0, "0.5"}, {2, "1"}, {3, depth}, {5, "0.0124"}});
        EXPECT_NEAR(main().wettedArea, area, 1e-4) << depth;
    }
    ASSERT_FALSE(result().empty());
    expectMessage("Argument ou appel de procédure incorrect");  // deeper than the diameter
    type(3, "1.2");
    calcul();
    EXPECT_EQ(result(), "");  // no figure of the earlier filling beside the new depth
}

TEST_F(HeadLoss, TrapezoidBankChecks) {
    expectMessage("Valeur trop élevée\nPrenez le mode rectangulaire");
    run("Perte de charge/Canal en trapèze", {{0, "1"}, {2, "1"}, {3, "0.6"}, {5, "0.0124"}, {6, "90"}});
    expectMessage("Valeur incorrecte");  // bottom 1 − 2 × 0.6 < 0
    type(6, "45");
    calcul();
    EXPECT_EQ(result(), "");
    run("Perte de charge/Canal en trapèze", {{0, "2"}, {2, "3"}, {3, "1"}, {5, "0.0124"}, {6, "45"}});
    // The width typed is the width at the water surface: bottom 3 − 2 × 1/tan 45° = 1 m,
    // A = 1 × (1 + 1) = 2, P = 2/sin 45° + 1; the caption must say so.
    EXPECT_EQ(label("Label", 2), "Largeur en surface  m");
    EXPECT_NEAR(main().wettedArea, 2.0f, 1e-5);
    EXPECT_EQ(c("Text2").text(), "Périmouillé 3.828");
}

// ------------------------------------------------------------ depth for a flow

TEST_F(HeadLoss, DepthOfARectangularChannel) {
    run("Perte de charge/Débit dun canal", {{0, "2"}, {1, "1"}, {2, "1"}, {3, "0.0124"}});
    // 0.43 m carries 0.987 m³/s, 0.44 m 1.018 m³/s; the depth is the sum of the steps.
    EXPECT_EQ(result(), "0.4399999");
    EXPECT_EQ(label("Labelresu"), "Hauteur (profondeur)");
    EXPECT_EQ(platform_.calls, (std::vector<std::string>{"busy", "notBusy"}));
    type(1, "100");
    type(4, "1");
    calcul();
    EXPECT_EQ(label("Labelresu"), "Pas de résultat");
    EXPECT_EQ(result(), "");
}

TEST_F(HeadLoss, DepthSearchGivesTheHourglassBackWhateverHappens) {
    expectMessage("Argument ou appel de procédure incorrect");  // √ of a negative slope
    run("Perte de charge/Débit dun canal", {{0, "2"}, {1, "1"}, {2, "-1"}, {3, "0.0124"}});
    EXPECT_FALSE(platform_.busy());
    expectMessage("Rugosité des parois non définie ");
    type(3, "");
    calcul();
    EXPECT_FALSE(platform_.busy());
    const double start = test::threadCpuSeconds();
    run("Perte de charge/Débit dun canal", {{0, "2"}, {1, "1e30"}, {2, "1"}, {3, "0.0124"}, {4, "1e9"}});
    EXPECT_LT(test::threadCpuSeconds() - start, 1.0 * test::timeFactor());
    EXPECT_EQ(label("Labelresu"), "Pas de résultat");
}

// ------------------------------------------------------------ bend

TEST_F(HeadLoss, BendTooSharp) {
    expectMessage("Coude trop brusque");  // 1.2 × D is not below Rc
    run("Perte de charge/Coude simple", {{0, "100"}, {1, "120"}, {2, "2"}});
    EXPECT_EQ(result(), "");
}

TEST_F(HeadLoss, BendOfThreeDiametersRadius) {
    run("Perte de charge/Coude simple", {{0, "100"}, {1, "300"}, {2, "2"}});
    // ζ = (0.131 + 0.845 × 0.1/√0.6) × (0.1/0.6 + 0.5) = 0.160
    EXPECT_EQ(result() + " " + box(3) + " " + box(4), "32.632 0.16 15.708");
    EXPECT_EQ(visibility(), "1111100011111000");
    EXPECT_EQ(label("Label1"), "Pour des tuyaux très lisses");
}

}  // namespace
}  // namespace aub::test

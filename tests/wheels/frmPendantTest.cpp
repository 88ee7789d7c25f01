// The hanging wheel window: its defaults at every opening, the withdrawn calculation,
// the printed header, the instructions and the blade-flow routine.
#include <gtest/gtest.h>

#include <cmath>

#include "core/CalcError.h"
#include "support/WindowTest.h"
#include "wheels/frmPendant.h"

namespace aub {
namespace {

constexpr const char* W = "frmPendant";

class frmPendantTest : public test::WindowTest {};

TEST_F(frmPendantTest, EveryOpeningShowsTheDefaults) {
    open(W);
    EXPECT_EQ(number(session().shared().FormulaId), 19);
    EXPECT_EQ(load(W).ctl("VScroll1").value(), 50);
    step(W, "Text1=3");
    step(W, "Text8=45");
    step(W, "VScroll1=7");
    step(W, "Fermer");
    EXPECT_EQ(session().loaded(W), nullptr);
    open(W);
    EXPECT_EQ(text(W, "Text1"), "1");
    EXPECT_EQ(text(W, "Text4"), "33");
    EXPECT_EQ(text(W, "Text7"), "100");
    EXPECT_EQ(text(W, "Text8"), "30");
    EXPECT_EQ(load(W).ctl("VScroll1").value(), 50);
}

TEST_F(frmPendantTest, CalculSaysItIsWithdrawnAndCloses) {
    open(W);
    expectMessage(" Calcul non disponible en cours de révision");
    step(W, "Calcul");
    EXPECT_EQ(session().loaded(W), nullptr);
}

TEST_F(frmPendantTest, DetailedPrintIsOneHeaderLineOnItsOwnPage) {
    open(W);
    step(W, "Impressions/Détaillée");
    EXPECT_EQ(platform_.calls, (std::vector<std::string>{"printerSetup", "printText", "endPrintDocument"}));
    ASSERT_EQ(platform_.printed.size(), 1u);
    EXPECT_EQ(platform_.printed[0],
              "Angle    L.Immer     S.Immer      Trainée     Poussée     L.utile       Couple       Puissance");
}

TEST_F(frmPendantTest, BladeCoefficientsJumpJustAbove45Degrees) {
    double cx = 0, cz = 0;
    frmPendant::bladeCoefficients(45.0f, cx, cz);
    EXPECT_NEAR(cx, 0.902287, 1e-5);
    EXPECT_NEAR(cz, 0.879278, 1e-5);
    frmPendant::bladeCoefficients(std::nextafter(45.0f, 90.0f), cx, cz);
    EXPECT_NEAR(cx, 0.899368, 1e-4);
    EXPECT_NEAR(cz, 0.876375, 1e-4);
}

// A vertical blade (alpha = 0) moving at the stream speed (k = 1): gamma = 45°,
// incidence -45°, Vr = V / sin 45°.
TEST_F(frmPendantTest, RelativeVelocityOfAVerticalBlade) {
    const auto f = frmPendant::vRelative(0.0f, 1.0f, 2.0f);
    EXPECT_NEAR(f.gamma, 0.7853982f, 1e-6f);
    EXPECT_NEAR(f.incidence, -45.0f, 1e-4f);
    EXPECT_NEAR(f.Vr, 2.0f * std::sqrt(2.0f), 1e-5f);
    EXPECT_THROW(frmPendant::vRelative(0.5f, 0.0f, 2.0f), CalcError);
}

}  // namespace
}  // namespace aub

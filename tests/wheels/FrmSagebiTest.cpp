// The Sagebien wheel window and its extra results: the entry triangle by the law of
// sines, the filling warning at its exact bound, opening, "Nouveau" and the way back.
#include <gtest/gtest.h>
#include "core/NumberConvert.h"

#include <charconv>
#include <cmath>

#include "core/NumberText.h"
#include "core/SharedValues.h"
#include "forms/RecordingPlatform.h"
#include "forms/ScriptedDialogs.h"
#include "support/WindowTest.h"
#include "wheels/FrmSagebi.h"

namespace aub {
namespace {

constexpr const char* W = "FrmSagebi";

class FrmSagebiTest : public test::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        open(W);
        step(W, "List1=Sageb01.txt");  // H 1.8, B 4, D 7, na 2, 30°, kv 0.4, 25 %, V 1.2, 48 blades, 40 mm
    }
    FrmSagebi& window() { return session().window<FrmSagebi>(W); }
    std::string result(int i) { return text(W, "Resubox", i); }
    float plusValue(int i) {
        std::string t = text("Sageplus", "Text1", i);
        return parseNumber(t, false, dialogs_);
    }
    static std::string shortest(float v) { return shortestText(v); }
    FrmSagebi::Inputs sample() {
        FrmSagebi::Inputs in;
        in.H = 1.8f, in.B = 4, in.D = 7, in.na = 2, in.theta = 30, in.kv = 0.4f, in.lambda = 25.0f / 100.0f;
        in.V = 1.2f, in.nb = 48, in.t = 40;
        return in;
    }
};

// theta = 0 and kv = 0.5: gamma = 30°, beta = 90°, alpha = 60°, Vr = V sin 60°, and the
// three ratios of the law of sines are equal. The useful power is 85 % of the theoretical.
TEST_F(FrmSagebiTest, RadialBladesAtHalfSpeedMakeA306090Triangle) {
    step(W, "Valbox(4)=0");
    step(W, "Valbox(5)=0.5");
    step(W, "Calcul");
    EXPECT_EQ(result(15), "30.");
    EXPECT_EQ(result(14), "90.");
    EXPECT_EQ(result(0), "60.");
    EXPECT_NEAR(session().shared().SharedRelativeSpeed, 1.2f * 0.8660254f, 1e-5f);
    EXPECT_EQ(result(7), "1.039");
    EXPECT_EQ(result(1), formatNumber(0.85f * session().shared().SharedPower));  // useful power

    step(W, "plusinfos");
    EXPECT_FALSE(window().visible());
    EXPECT_TRUE(session().load("Sageplus").visible());
    EXPECT_NEAR(plusValue(0), 1.2f, 1e-5f);
    EXPECT_NEAR(plusValue(1), 1.2f, 1e-5f);
    EXPECT_NEAR(plusValue(2), 1.2f, 1e-5f);
    EXPECT_NEAR(plusValue(3), 4.0f * 40 * 0.875f * 48 / 1000, 1e-4f);  // B x blade sections, m3
}

TEST_F(FrmSagebiTest, FillingOfExactly08IsNotExcessiveButJustAboveIs) {
    // Search the width whose filling is exactly 0.8 in single precision.
    FrmSagebi::Inputs in = sample();
    in.B = 1;
    const float B0 = FrmSagebi::evaluate(in).phi / 0.8f;
    std::string exact;
    float below = B0, above = B0;
    for (int k = 0; k < 4000 && exact.empty(); ++k) {
        for (float candidate : {below, above}) {
            in.B = candidate;
            std::string t = shortest(candidate);
            std::string copy = t;
            if (exact.empty() && FrmSagebi::evaluate(in).phi == 0.8f && parseNumber(copy, false, dialogs_) == candidate)
                exact = t;
        }
        below = std::nextafter(below, 0.0f);
        above = std::nextafter(above, 100.0f);
    }
    ASSERT_FALSE(exact.empty()) << "no width gives a filling of exactly 0.8";
    step(W, "Valbox(1)=" + exact);
    step(W, "Calcul");
    EXPECT_EQ(result(9), "0.8");

    in.B = std::stof(exact);
    float narrower = in.B;
    do {
        narrower = std::nextafter(narrower, 0.0f);
        in.B = narrower;
    } while (FrmSagebi::evaluate(in).phi <= 0.8f);
    step(W, "Valbox(1)=" + shortest(narrower));
    expectMessage("Remplissage excessif");
    step(W, "Calcul");
    EXPECT_NE(result(14), "");  // the calculation went on
}

TEST_F(FrmSagebiTest, RimSpeedThatCannotCloseTheTriangleIsAnError) {
    step(W, "Valbox(5)=1.2");  // 1.2 cos 30° > 1
    expectMessage("Argument ou appel de procédure incorrect");
    step(W, "Calcul");
    EXPECT_EQ(result(0), "");
}

// Blades along the rim (theta = 90°) leave no triangle: the division by sin beta fails,
// and the angles found before it are the program-wide ones.
TEST_F(FrmSagebiTest, AnglesFoundBeforeAFailureAreWrittenForTheOtherWindows) {
    step(W, "Calcul");
    EXPECT_FLOAT_EQ(session().shared().SharedBeta, 60.0f);
    step(W, "Valbox(4)=90");
    expectMessage("Division par zéro");
    step(W, "Calcul");
    EXPECT_FLOAT_EQ(session().shared().SharedBeta, 0.0f);
    EXPECT_NEAR(session().shared().SharedAlpha, 180.0f, 1e-3f);
    EXPECT_FLOAT_EQ(session().shared().SharedPitchAngle, 90.0f);
}

TEST_F(FrmSagebiTest, OuvreOpensTheSelectedDesign) {
    step(W, "Reset données");
    EXPECT_EQ(text(W, "Valbox", 10), "");
    step(W, "Ouvre");
    EXPECT_EQ(text(W, "Valbox", 9), "Moulin de la Vallée");
    EXPECT_EQ(text(W, "Valbox", 10), "40");
    EXPECT_EQ(session().shared().SharedFilePath, session().shared().AppFolder + "Sageb01.txt");
}

TEST_F(FrmSagebiTest, EveryWayBackFromTheExtraResultsShowsTheWheelAgain) {
    step(W, "Calcul");
    for (const char* way : {"retour", "Frame1", "Form"}) {
        step(W, "plusinfos");
        ASSERT_FALSE(window().visible());
        step("Sageplus", way);
        EXPECT_TRUE(window().visible()) << way;
        EXPECT_EQ(session().loaded("Sageplus"), nullptr);
    }
    step(W, "plusinfos");
    session().requestClose(session().load("Sageplus"));  // the close box
    EXPECT_TRUE(window().visible());
}

}  // namespace
}  // namespace aub

namespace aub {
namespace {

// A calculation stopped by an error leaves no figure of the run before beside the new inputs.
TEST_F(FrmSagebiTest, ACalculationStoppedByAnErrorEmptiesEveryResult) {
    step(W, "List1=Sageb01.txt");
    step(W, "Calcul");
    ASSERT_NE(text(W, "Resubox", 0), "");
    step(W, "Valbox(2)=0");
    expectMessage("Division par zéro");
    step(W, "Calcul");
    for (const auto& c : session().loaded(W)->controls()) {
        if (c->name() == "Resubox") {
            EXPECT_EQ(c->text(), "") << c->key();
        }
    }
}

}  // namespace
}  // namespace aub

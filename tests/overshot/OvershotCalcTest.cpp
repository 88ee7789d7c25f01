// The overshot calculation: the worked example, the checks at their bounds, the
// observations and the failures of impossible inputs.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <map>
#include <string>
#include <tuple>

#include "core/NumberText.h"
#include "core/SharedValues.h"
#include "support/WindowTest.h"

namespace aub {
namespace {

// H, hc, gate cm, B, D, b, jv, L, jh, slope %, n, low flume, k, plates mm, Z, crown %, filling %.
const std::array<std::string, 17> Example = {"4", "0.5",   "10",  "1",   "3", "0.8", "0.1", "2", "0.3",
                                             "5", "0.014", "OUI", "0.6", "5", "30",  "12",  "50"};

class OvershotCalcTest : public test::WindowTest {
protected:
    // Types the example into the window, with some boxes changed, then runs "Calcul".
    void calculate(const std::map<int, std::string>& changes = {}) {
        open("Formrouehaut");
        for (int i = 0; i < 17; ++i) {
            auto it = changes.find(i);
            step("Formrouehaut",
                 "Valbox(" + std::to_string(i) + ")=" + (it != changes.end() ? it->second : Example[i]));
        }
        step("Formrouehaut", "Calcul");
    }
    float result(int i) { return value("Formrouehaut", "Resubox", i); }
    float value(const std::string& window, const std::string& name, int i) {
        std::string t = text(window, name, i);
        EXPECT_FALSE(t.empty()) << window << "." << name << "(" << i << ") is empty";
        return static_cast<float>(leadingNumber(t));
    }
    std::vector<std::string> observations() { return load("Formsurfa").ctl("List1").items; }
    bool resultsEmpty() {
        for (int i : {0, 1, 3, 5, 8, 10, 15, 22, 27, 28})
            if (!text("Formrouehaut", "Resubox", i).empty()) return false;
        return true;
    }
};

TEST_F(OvershotCalcTest, WorkedExampleWithFullBuckets) {
    calculate();
    const SharedValues& sv = session().shared();
    EXPECT_NEAR(sv.SharedJetThickness, 0.06f, 1e-6f);
    EXPECT_NEAR(sv.SharedVelocity, 3.037f, 0.0005f);
    EXPECT_NEAR(result(15), 145.76f, 0.005f);  // Q, l/s
    EXPECT_NEAR(sv.SharedJetDrop, 0.0546f, 0.00005f);
    EXPECT_NEAR(result(5), 3.501f, 0.0005f);  // V
    EXPECT_NEAR(result(21), 17.42f, 0.005f);  // α°
    EXPECT_NEAR(result(14), 22.79f, 0.005f);  // β°
    EXPECT_NEAR(result(7), 1.623f, 0.0005f);  // W
    EXPECT_NEAR(result(18), 0.36f, 1e-4f);    // crown height
    EXPECT_NEAR(result(20), 2.28f, 1e-4f);    // Di
    EXPECT_NEAR(result(22), 0.3539f, 0.00005f);
    EXPECT_NEAR(result(28), 0.1599f, 0.00005f);
    EXPECT_NEAR(result(0), 2837.f, 0.5f);      // Vc
    EXPECT_NEAR(result(26), 1.822f, 0.0005f);  // u
    EXPECT_NEAR(result(1), 5720.f, 0.5f);      // P0
    EXPECT_NEAR(result(10), 11.60f, 0.005f);   // N
    EXPECT_NEAR(result(9), 1.215f, 0.0005f);   // ω
    EXPECT_NEAR(result(12), 94.57f, 0.005f);
    EXPECT_NEAR(result(13), 47.28f, 0.005f);
    EXPECT_NEAR(result(19), 25.13f, 0.005f);
    EXPECT_NEAR(result(11), 442.4f, 0.05f);                          // Pk
    EXPECT_NEAR(result(27), 0.3f, 1e-4f);                            // j
    EXPECT_NEAR(result(17), 18.16f, 0.005f);                         // δ
    EXPECT_NEAR(value("Formgraph", "Valbox", 4), 0.452f, 0.0005f);   // chord AD
    EXPECT_NEAR(value("Formgraph", "Valbox", 13), 148.38f, 0.005f);  // spill angle
    EXPECT_NEAR(sv.SharedTorque, 2904.f, 0.5f);
    EXPECT_NEAR(result(3), 3085.f, 0.5f);  // P
    EXPECT_NEAR(result(8), 53.9f, 0.05f);  // 100 η
    EXPECT_NEAR(sv.SharedSpecificSpeed, 4.20f, 0.005f);
    EXPECT_NEAR(value("Formsurfa", "Resubox", 17), 2.49f, 0.005f);  // 100 S, dm²
    EXPECT_NEAR(value("Formsurfa", "Resubox", 19), 85.5f, 0.05f);   // shaft, mm
    EXPECT_EQ(text("Formsurfa", "Resubox", 14), formatNumber(sv.SharedTorque));
    EXPECT_EQ(observations(), (std::vector<std::string>{"OBSERVATIONS", " néant"}));
    // Filled without being shown.
    EXPECT_FALSE(load("Formsurfa").visible());
    EXPECT_FALSE(load("Formgraph").visible());
}

TEST_F(OvershotCalcTest, WorkedExampleWithSpillingBuckets) {
    calculate({{11, "non"}});
    EXPECT_NEAR(session().shared().SharedTorque, 2791.f, 0.5f);
    EXPECT_NEAR(result(3), 2948.f, 0.5f);
    EXPECT_NEAR(result(8), 51.5f, 0.05f);
}

TEST_F(OvershotCalcTest, ProgramWideValuesInTheirUnits) {
    calculate();
    const SharedValues& sv = session().shared();
    EXPECT_EQ(sv.SharedHead, 4.0f);
    EXPECT_EQ(sv.SharedWidth, 1.0f);
    EXPECT_EQ(sv.SharedDiameter, 3.0f);
    EXPECT_EQ(sv.SharedRoughness, 0.014f);
    EXPECT_NEAR(sv.SharedFlow, 145.76f, 0.005f);        // l/s, not m3/s
    EXPECT_NEAR(sv.SharedPower, 5720.f, 0.5f);          // P0, W
    EXPECT_NEAR(sv.SharedSpeed, 11.60f, 0.005f);        // t/min
    EXPECT_NEAR(sv.SharedOmega, 1.215f, 0.0005f);       // rad/s
    EXPECT_NEAR(sv.SharedEfficiency, 0.539f, 0.0005f);  // a fraction
    EXPECT_NEAR(sv.SharedPeripheralSpeed, 1.822f, 0.0005f);
    EXPECT_NEAR(sv.SharedRelativeSpeed, 1.623f, 0.0005f);
    EXPECT_NEAR(sv.SharedCrownHeight, 0.36f, 1e-6f);
    EXPECT_FLOAT_EQ(sv.SharedPitchAngle, 6.283186f / 30);  // rad
    EXPECT_FLOAT_EQ(sv.SharedGamma, 3.141593f / 2 - sv.SharedPitchAngle);
    EXPECT_NEAR(sv.SharedAlpha * 180 / 3.141593f, 17.42f, 0.005f);
    EXPECT_NEAR(sv.SharedAlphaBeta * 180 / 3.141593f, 17.42f + 22.79f, 0.01f);

    // The jet graph draws from the jet the calculation left, and forgets its drop.
    open("frmGraph");
    step("frmGraph", "Graphe");
    EXPECT_EQ(sv.SharedJetDrop, 0);
    const auto& ops = load("frmGraph").ctl("Picture1").drawing.ops();
    ASSERT_GT(ops.size(), 32u);
    const DrawOp& tenth = ops[22 + 10];  // upper edge at τ = 0.1 s
    EXPECT_NEAR(tenth.x2, 10 * sv.SharedJetVx * 0.1f, 1e-4f);
    EXPECT_NEAR(tenth.y2, 10 * (4.905f * 0.01f + sv.SharedJetVy * 0.1f), 1e-4f);

    // A run stopped by a check keeps what it had stored on the way, and nothing after.
    session().shared().SharedTorque = 0;
    expectMessage("Nombre d'aubes incorrect");
    step("Formrouehaut", "Valbox(0)=5");
    step("Formrouehaut", "Valbox(14)=90");
    step("Formrouehaut", "Calcul");
    EXPECT_EQ(sv.SharedHead, 5.0f);
    EXPECT_FLOAT_EQ(sv.SharedPitchAngle, 6.283186f / 90);
    EXPECT_EQ(sv.SharedTorque, 0);
}

TEST_F(OvershotCalcTest, GateOpeningUpToHalfTheWaterHeight) {
    calculate({{2, "25"}});  // e = hc/2 passes
    EXPECT_FALSE(resultsEmpty());
    expectMessage("levée trop grande");
    step("Formrouehaut", "Valbox(2)=25.1");
    step("Formrouehaut", "Calcul");
    EXPECT_TRUE(resultsEmpty());
}

TEST_F(OvershotCalcTest, FlumeAnswerMustBeOuiOrNon) {
    calculate({{11, "Non"}});
    EXPECT_FALSE(resultsEmpty());
    for (const char* bad : {"O", " oui", ""}) {
        expectMessage("coursier  mal défini  dites oui   ou non");
        step("Formrouehaut", std::string("Valbox(11)=") + bad);
        step("Formrouehaut", "Calcul");
        EXPECT_TRUE(resultsEmpty()) << bad;
    }
}

TEST_F(OvershotCalcTest, BucketCountFrom6To80) {
    for (const char* z : {"6", "80"}) {
        calculate({{14, z}});
        EXPECT_FALSE(resultsEmpty()) << z;
    }
    for (const char* z : {"5.9", "80.1"}) {
        expectMessage("Nombre d'aubes incorrect");
        step("Formrouehaut", std::string("Valbox(14)=") + z);
        step("Formrouehaut", "Calcul");
        EXPECT_TRUE(resultsEmpty()) << z;
    }
}

TEST_F(OvershotCalcTest, SpeedRatioFrom04To08) {
    calculate({{12, "0.4"}});
    EXPECT_FALSE(resultsEmpty());
    const char* tooSlow = "Vitesse de roue trop lente";
    const char* tooFast = "Vitesse de roue éxagérée\ndébit trop élevé\nou dimensions à augmenter";
    for (auto [k, message, computed] :
         {std::tuple{"0.8", "", true}, {"0.35", tooSlow, true}, {"0.81", tooFast, false}}) {
        if (*message) expectMessage(message);
        step("Formrouehaut", std::string("Valbox(12)=") + k);
        step("Formrouehaut", "Calcul");
        EXPECT_EQ(resultsEmpty(), !computed) << k;  // too slow is only a warning
    }
}

TEST_F(OvershotCalcTest, TorqueCountsHalfTheBucketsRoundedToEven) {
    // With full buckets T = 10·a·Vu·Σ sin(iφ), i = 1..m; m = 12 for Z = 25, 14 for Z = 27.
    for (auto [z, m] : {std::pair{25, 12}, std::pair{27, 14}}) {
        calculate({{14, std::to_string(z)}});
        const SharedValues& sv = session().shared();
        const float R = 1.5f, r = 1.14f, vu = value("Formrouehaut", "Resubox", 19);
        double sum = 0;
        for (int i = 1; i <= m; ++i) sum += std::sin(i * sv.SharedPitchAngle);
        EXPECT_NEAR(sv.SharedTorque, 10 * (r + R) * 0.92 / 2 * vu * sum, 0.5) << "Z = " << z;
    }
}

TEST_F(OvershotCalcTest, ObservationsOfTheDesign) {
    // A shallow crown also leaves too little room in the buckets.
    const std::string overfilled = "débit supérieur à la valeur autorisée dans les augets";
    calculate({{15, "2"}});  // kc = 0.02: no crown observation
    EXPECT_EQ(observations(), (std::vector<std::string>{"OBSERVATIONS", overfilled}));
    calculate({{15, "25"}});
    EXPECT_EQ(observations(), (std::vector<std::string>{"OBSERVATIONS", " néant"}));
    calculate({{15, "1.9"}});
    EXPECT_EQ(observations(),
              (std::vector<std::string>{"OBSERVATIONS", overfilled, "hauteur couronne:Valeur TROP FAIBLE"}));
    // Deep crown, low head (negative clearance), thin buckets barely filled.
    calculate({{15, "26"}, {0, "3.5"}, {16, "10"}});
    EXPECT_EQ(observations(),
              (std::vector<std::string>{"OBSERVATIONS", "débit supérieur à la valeur autorisée dans les augets",
                                        "hauteur couronne:Valeur EXAGEREE", " Jeu sous roue insuffisant"}));
    EXPECT_LT(value("Formrouehaut", "Resubox", 27), 0);
}

TEST_F(OvershotCalcTest, JetWiderThanOnePitchIsObserved) {
    // A narrow wheel fed by a wide gate opening: the jet on the rim is wider than D·π/Z.
    calculate({{2, "25"}, {5, "1"}, {3, "1"}, {14, "60"}});
    auto obs = observations();
    ASSERT_GE(obs.size(), 4u);
    EXPECT_EQ(
        std::vector<std::string>(obs.end() - 3, obs.end()),
        (std::vector<std::string>{"Jet trop large :augmentez l'angle alpha", " ou la largeur de la roue ou modifier",
                                  " raisonnablement le nombre d'augets"}));
    EXPECT_LT(value("Formrouehaut", "Resubox", 16), value("Formgraph", "Valbox", 11));
}

TEST_F(OvershotCalcTest, ImpossibleInputsStopWithTheirDescription) {
    expectMessage("Division par zéro");  // Z = 0 reaches the pitch before the bucket count check
    calculate({{14, "0"}});
    EXPECT_TRUE(resultsEmpty());
    expectMessage("Division par zéro");  // no diameter: the speed of rotation divides by D·π
    step("Formrouehaut", "Valbox(14)=30");
    step("Formrouehaut", "Valbox(4)=");
    step("Formrouehaut", "Calcul");
    EXPECT_TRUE(resultsEmpty());
    for (int i = 0; i < 29; ++i)
        if (auto* c = load("Formrouehaut").find("Resubox", i)) {
            EXPECT_EQ(c->text().find("nan"), std::string::npos);
        }
}

}  // namespace
}  // namespace aub

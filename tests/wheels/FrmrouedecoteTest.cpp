// The breastshot wheel window: its three stopping checks, the speed-coefficient
// warning, the worked examples of the gate and of the entry triangle, and its files.
#include <gtest/gtest.h>

#include "core/SharedValues.h"
#include "support/WindowTest.h"

namespace aub {
namespace {

constexpr const char* W = "Frmrouedecoté";

class FrmrouedecoteTest : public test::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        open(W);
        step(W, "List1=Cmoulin01.txt");  // H 2, B 1.5, D 5, 20 cm, 60°, kv 0.5, entry 30° ...
    }
    void calc() { step(W, "cacus"); }
    std::string result(int i) { return text(W, "Resubox", i); }
};

TEST_F(FrmrouedecoteTest, DiameterNotAboveTheHeadIsRefused) {
    step(W, "Valbox(2)=2");
    expectMessage(
        " diamètre de roue trop faible par rapport à la chute\n"
        "respectez les conditions de fonctionnement de cette roue");
    calc();
    EXPECT_EQ(result(0), "");
    step(W, "Valbox(2)=2.01");
    calc();
    EXPECT_NE(result(0), "");
}

TEST_F(FrmrouedecoteTest, SpeedCoefficientOutsideItsRangeWarnsAndStillComputes) {
    for (const char* kv : {"0.3", "0.7"}) {
        step(W, std::string("Valbox(11)=") + kv);
        calc();
    }
    for (const char* kv : {"0.29", "0.71"}) {
        step(W, "Efface");
        step(W, std::string("Valbox(11)=") + kv);
        expectMessage("valeur non supportée \nprendre entre 0.3 et 0.7");
        calc();
        EXPECT_EQ(result(21), kv == std::string("0.29") ? "0.290" : "0.710");
    }
}

TEST_F(FrmrouedecoteTest, BladeCountFromSixToEighty) {
    for (const char* nb : {"6", "80"}) {
        step(W, "Efface");
        step(W, std::string("Valbox(8)=") + nb);
        calc();
        EXPECT_NE(result(20), "") << nb;
    }
    for (const char* nb : {"5", "81"}) {
        step(W, "Efface");
        step(W, std::string("Valbox(8)=") + nb);
        expectMessage("Nombre d'aubes incorrect");
        calc();
        EXPECT_EQ(result(15), "") << nb;
    }
}

TEST_F(FrmrouedecoteTest, GateLoweredBelowTheHeadStops) {
    step(W, "Valbox(3)=200");
    expectMessage("vanne trop baissée");
    calc();
    EXPECT_EQ(result(4), "");
}

// e = 0.1 m: Vw = 1.15 sqrt(1.11834) = 1.216 m/s and Q = 0.1 x 0.509 B sqrt(1.962);
// entry 30° and blade 60° make beta = 90°, so Vr = Vw / sin 60°.
TEST_F(FrmrouedecoteTest, WorkedExamplesOfTheGateAndTheTriangle) {
    step(W, "Valbox(3)=10");
    calc();
    EXPECT_EQ(result(4), "1.216");
    EXPECT_EQ(result(3), "106.945");  // 1000 x 0.1 x 0.509 x 1.5 x sqrt(1.962)
    EXPECT_EQ(result(17), "90.000");
    EXPECT_NEAR(session().shared().SharedRelativeSpeed, session().shared().SharedArrivalSpeed / 0.8660254f, 1e-5);
    EXPECT_EQ(result(14), "1.404");
    EXPECT_EQ(result(21), "0.500");
}

TEST_F(FrmrouedecoteTest, RunTimeFailureNamesItsCauseAndTheIncompatibleData) {
    step(W, "Valbox(4)=0");  // a blade along the rim: no relative velocity
    expectMessage("Division par zéro  Des données sont incompatibles");
    calc();
    EXPECT_EQ(result(15), "0.000");  // the angles are shown before the failure, and kept
    EXPECT_EQ(result(17), "150.000");
    EXPECT_EQ(result(14), "");
}

TEST_F(FrmrouedecoteTest, OuvreReadsTwelveValuesOfTheUnnamedDesign) {
    step(W, "Valbox(12)=41");
    answer("oui");  // the typed angle is an unsaved edit: Ouvre asks first
    step(W, "Ouvre");
    EXPECT_EQ(text(W, "Valbox", 0), "1.6");
    EXPECT_EQ(text(W, "Valbox", 11), "0.45");
    EXPECT_EQ(text(W, "Valbox", 12), "41");  // the entry angle is not among them
    EXPECT_EQ(session().shared().SharedFilePath, session().shared().AppFolder + "Csansnom.txt");
}

}  // namespace
}  // namespace aub

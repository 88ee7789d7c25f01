// The trip hammer window: arms, cam force, meeting point, blow timing and shock,
// with the wheel's values taken from the undershot window.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "core/CalcError.h"
#include "core/NumberText.h"
#include "core/SharedValues.h"
#include "files/TextFile.h"
#include "hammer/Frmmarteau.h"
#include "support/WindowTest.h"
#include "wheels/Frmdessous.h"

namespace aub {
namespace {

const std::string W = "Frmmarteau";

class FrmmarteauTest : public test::WindowTest {
protected:
    // The undershot design "Bmoulin01.txt" (H 1.2 m, gate 0.15 m, D 3 m, wood) calculated
    // with an inclined gate in the undershot window, which stays loaded behind the hammer.
    Frmdessous& computeWheel() {
        open("Frmdessous");
        step("Frmdessous", "List1=Bmoulin01.txt");
        // Once chosen, the material list gives way to the gate list.
        if (session().window<Frmdessous>("Frmdessous").ctl("Combo1").visible) step("Frmdessous", "Combo1=Bois");
        step("Frmdessous", "Combo2=INCLINEE");
        return session().window<Frmdessous>("Frmdessous");
    }
    std::string wheelBox(int index) { return text("Frmdessous", "Valbox", index); }
    // m = 100 kg, L = 2 m, arm 50 %, Rc = 0.3 m, shoe 20 %, ratio typed 3, 4 shoes, b = 0.
    void typeFiftyPercentArm() {
        const char* values[] = {"100", "2", "50", "0.3", "20", "3", "4", "0"};
        for (int i = 0; i < 8; ++i) step(W, "Valbox(" + std::to_string(i) + ")=" + values[i]);
    }
    float box(int index) { return std::stof(text(W, "Valbox", index)); }
};

// Check1 unticked: the ratio becomes 1. Arm 50 %: Lm = Lc and F = m g. The meeting
// point of the circles (1.3, 0) r 0.36 and (0, 0) r 1 is at x = 0.985, y = 0.174; the
// search stops at the first x within 0.1 m, x = 0.97, y = 0.19349.
// The wheel of "Bmoulin01.txt": V = √(1.125 · 19.62) = 4.69814 m/s,
// N = 27 V / (2.9125 π) = 13.8636 t/min, ω = 1.45180 rad/s.
TEST_F(FrmmarteauTest, FiftyPercentArmWithoutGear) {
    Frmdessous& wheel = computeWheel();
    const Frmdessous::Results r = wheel.results();
    EXPECT_NEAR(r.speed, 13.8636f, 1e-3f);
    EXPECT_NEAR(r.omega, 1.4518f, 1e-4f);
    Form& f = open(W);
    EXPECT_TRUE(f.modal());
    // the wheel's inertia, as the undershot window shows it, read at opening
    EXPECT_NE(wheelBox(Frmdessous::InertiaBox), "");
    EXPECT_EQ(text(W, "Valbox", 9), wheelBox(Frmdessous::InertiaBox));
    typeFiftyPercentArm();
    step(W, "Command1");
    EXPECT_EQ(text(W, "Valbox", 5), "1");
    EXPECT_EQ(text(W, "Valbox", 13), "1.0");
    EXPECT_EQ(text(W, "Valbox", 17), "981.00006");  // m · 9.81 in single precision
    EXPECT_EQ(text(W, "Valbox", 12), "294.30002");  // Rc · F, no gear
    // the undershot wheel's torque, not its efficiency
    EXPECT_EQ(text(W, "Valbox", 18), wheelBox(Frmdessous::TorqueBox));
    EXPECT_NE(text(W, "Valbox", 18), wheelBox(Frmdessous::EfficiencyBox));
    EXPECT_EQ(text(W, "Valbox", 8), "0.19349");
    EXPECT_EQ(text(W, "Valbox", 16), "4.87093");  // π · 0.3 / h
    EXPECT_EQ(text(W, "Valbox", 10), "10.95087");
    EXPECT_EQ(text(W, "Valbox", 11), "0.19349");  // Lm · tan α = h when Lm = Lc
    EXPECT_EQ(text(W, "Valbox", 19), "189.81422");
    EXPECT_NEAR(box(20), 60.0f / (4.0f * 13.8636f), 1e-4f);    // 1 / (ns · N / 60) = 1.08197 s
    EXPECT_NEAR(box(21), 0.19349f / (1.4518f * 0.3f), 1e-4f);  // h / (ω Rc) = 0.44425 s
    EXPECT_NEAR(box(22), box(20) - box(21), 2e-5f);
}

// Iw = Im = Lm² m: the cam shaft stops and the helve takes the shaft's speed, the ω the
// undershot wheel left behind.
TEST_F(FrmmarteauTest, EqualInertiasPassTheWholeSpeed) {
    computeWheel();
    open(W);
    typeFiftyPercentArm();
    step(W, "Valbox(9)=100");
    step(W, "Command1");
    const float omega = session().shared().SharedOmega;
    EXPECT_NEAR(omega, 1.4518f, 1e-4f);
    EXPECT_EQ(text(W, "Valbox", 23), "0.0");
    EXPECT_EQ(text(W, "Valbox", 24), formatMask(omega, "####0.0####"));
    EXPECT_EQ(text(W, "Valbox", 25), text(W, "Valbox", 24));     // Lm = 1 m
    EXPECT_NEAR(box(26), 0.5f * 100.0f * omega * omega, 1e-3f);  // 105.39 J
}

TEST_F(FrmmarteauTest, TickedGearDividesTheTorqueAndTheSpeeds) {
    computeWheel();
    open(W);
    typeFiftyPercentArm();
    step(W, "Check1=1");
    step(W, "Command1");
    EXPECT_EQ(text(W, "Valbox", 5), "3");
    EXPECT_EQ(text(W, "Valbox", 12), "98.10001");                   // 294.30002 / 3
    EXPECT_NEAR(box(20), 3.0f * 60.0f / (4.0f * 13.8636f), 3e-4f);  // three times slower shaft
    EXPECT_NEAR(box(21), 3.0f * 0.19349f / (1.4518f * 0.3f), 3e-4f);
}

TEST_F(FrmmarteauTest, MeetingPointSearch) {
    // first match, not the closest one
    Frmmarteau::Point p = Frmmarteau::interceptCercles(1.3f, 0.0f, 0.36f, 1.0f);
    EXPECT_NEAR(p.x, 0.97f, 1e-5f);
    EXPECT_NEAR(p.y, 0.19349f, 1e-5f);
    // no match: x = 0 and the mean of the last heights (0 and 5 + √0.51)
    p = Frmmarteau::interceptCercles(0.5f, 5.0f, 0.2f, 1.0f);
    EXPECT_EQ(p.x, 0.0f);
    EXPECT_NEAR(p.y, 2.85726f, 1e-4f);
    // an empty range gives 0
    EXPECT_EQ(Frmmarteau::interceptCercles(-1.0f, 0.0f, -0.5f, 1.0f).y, 0.0f);
    // a range too long to step is refused instead of running for ever
    EXPECT_THROW(Frmmarteau::interceptCercles(1e6f, 0.0f, 1.0f, 1.0f), CalcError);
}

// An undershot window never opened: its boxes are empty, the wheel speed reads 0 and
// the blow interval is a division by zero, reported with the reason.
TEST_F(FrmmarteauTest, UncalculatedWheelIsReportedWithTheReason) {
    session().shared().FormulaId = FormulaCode::SluiceGate;
    open(W);
    // Read, then gone again: the main window's help box must not bring it up later.
    EXPECT_EQ(session().loaded("Frmdessous"), nullptr);
    EXPECT_EQ(session().shared().FormulaId, FormulaCode::SluiceGate);
    EXPECT_EQ(text(W, "Valbox", 9), "");
    typeFiftyPercentArm();
    expectMessage("Division par zéro\nLa roue en dessous n'est pas calculée : sa vitesse est inconnue");
    step(W, "Command1");
    EXPECT_EQ(text(W, "Valbox", 19), "189.81422");
    EXPECT_EQ(text(W, "Valbox", 18), "");
    EXPECT_EQ(text(W, "Valbox", 20), "");
    EXPECT_TRUE(session().loaded(W));
}

// Each division by zero shows its description; what was written stays and the window goes on.
TEST_F(FrmmarteauTest, DivisionsByZeroAreReported) {
    Frmdessous& wheel = computeWheel();
    open(W);
    typeFiftyPercentArm();
    wheel.ctl("Valbox", Frmdessous::SpeedBox).setText(".0");  // a wheel at rest
    expectMessage("Division par zéro");
    step(W, "Command1");
    EXPECT_EQ(text(W, "Valbox", 19), "189.81422");
    EXPECT_EQ(text(W, "Valbox", 20), "");

    computeWheel();
    wheel.ctl("Valbox", Frmdessous::OmegaBox).setText(".0");  // ω = 0: no shoe speed
    expectMessage("Division par zéro");
    step(W, "Command1");
    EXPECT_NEAR(box(20), 1.08197f, 1e-4f);
    EXPECT_EQ(text(W, "Valbox", 21), "");

    computeWheel();
    step(W, "Valbox(3)=-2");  // both circles out of reach: h = 0
    expectMessage("Division par zéro");
    step(W, "Command1");
    EXPECT_EQ(text(W, "Valbox", 8), "0.0");

    step(W, "Valbox(2)=100");  // Lc = 0
    expectMessage("Division par zéro");
    step(W, "Command1");
    EXPECT_TRUE(session().loaded(W));
}

TEST_F(FrmmarteauTest, DataFileOnAFreshFolderAndInRoueparbas) {
    // fresh program folder: no "Roueparbas" yet, the delivered "marteau.txt" is read and written
    open(W);
    EXPECT_EQ(text(W, "Valbox", 0), "200");
    step(W, "Valbox(0)=150");
    step(W, "Fichier/Enregistrer");
    EXPECT_EQ(readLines(folder() / "marteau.txt")[0], "150");

    // once the data folder exists, the window saves there and reads it back from there
    session().unload(W);
    std::filesystem::create_directory(folder() / "Roueparbas");
    open(W);
    EXPECT_EQ(text(W, "Valbox", 0), "150");
    step(W, "Valbox(0)=175");
    step(W, "Fichier/Enregistrer");
    EXPECT_EQ(readLines(folder() / "Roueparbas" / "marteau.txt").size(), 9u);
    session().unload(W);
    open(W);
    EXPECT_EQ(text(W, "Valbox", 0), "175");
}

TEST_F(FrmmarteauTest, MissingDataFileIsReported) {
    std::filesystem::remove(folder() / "marteau.txt");
    expectMessage("Fichier introuvable");
    open(W);
    EXPECT_EQ(text(W, "Valbox", 0), "");
}

}  // namespace
}  // namespace aub

// The trip hammer window: arms, cam force, meeting point, blow timing and shock,
// with the wheel's values taken from the undershot window.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "core/CalcError.h"
#include "core/SharedValues.h"
#include "files/TextFile.h"
#include "hammer/Frmmarteau.h"
#include "support/WindowTest.h"

namespace aub {
namespace {

const std::string W = "Frmmarteau";

// Stands for the undershot window when the program has none: its result boxes only.
class UndershotStandIn : public Form {
public:
    explicit UndershotStandIn(Session& s) : Form(s, "Frmdessous", "Roue en dessous") {
        for (int i = 0; i <= 25; ++i)
            if (i != 19 && i != 21) textBox("Valbox", i);
    }
};

class FrmmarteauTest : public test::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        if (!catalog_.has("Frmdessous"))
            catalog_.add("Frmdessous", [](Session& s) { return std::make_unique<UndershotStandIn>(s); });
    }
    // What the undershot window shows after its calculation (and the ω it leaves behind).
    void wheel(const std::string& speed, const std::string& omega, const std::string& inertia,
               const std::string& torque, float sharedOmega) {
        Form& u = load("Frmdessous");
        u.ctl("Valbox", 4).setText(speed);
        u.ctl("Valbox", 13).setText(omega);
        u.ctl("Valbox", 20).setText(inertia);
        u.ctl("Valbox", 7).setText(torque);
        session().shared().SharedOmega = sharedOmega;
    }
    // m = 100 kg, L = 2 m, arm 50 %, Rc = 0.3 m, shoe 20 %, ratio typed 3, 4 shoes, b = 0.
    void typeFiftyPercentArm() {
        const char* values[] = {"100", "2", "50", "0.3", "20", "3", "4", "0"};
        for (int i = 0; i < 8; ++i) step(W, "Valbox(" + std::to_string(i) + ")=" + values[i]);
    }
};

// Check1 unticked: the ratio becomes 1. Arm 50 %: Lm = Lc and F = m g. The meeting
// point of the circles (1.3, 0) r 0.36 and (0, 0) r 1 is at x = 0.985, y = 0.174; the
// search stops at the first x within 0.1 m, x = 0.97, y = 0.19349.
TEST_F(FrmmarteauTest, FiftyPercentArmWithoutGear) {
    wheel("12", "1.2566", "100", "523.4", 1.25f);
    Form& f = open(W);
    EXPECT_TRUE(f.modal());
    EXPECT_EQ(text(W, "Valbox", 9), "100");  // the wheel's inertia, read at opening
    typeFiftyPercentArm();
    step(W, "Command1");
    EXPECT_EQ(text(W, "Valbox", 5), "1");
    EXPECT_EQ(text(W, "Valbox", 13), "1.0");
    EXPECT_EQ(text(W, "Valbox", 17), "981.00006");   // m · 9.81 in single precision
    EXPECT_EQ(text(W, "Valbox", 12), "294.30002");   // Rc · F, no gear
    EXPECT_EQ(text(W, "Valbox", 18), "523.4");       // the undershot wheel's torque
    EXPECT_EQ(text(W, "Valbox", 8), "0.19349");
    EXPECT_EQ(text(W, "Valbox", 16), "4.87093");     // π · 0.3 / h
    EXPECT_EQ(text(W, "Valbox", 10), "10.95087");
    EXPECT_EQ(text(W, "Valbox", 11), "0.19349");     // Lm · tan α = h when Lm = Lc
    EXPECT_EQ(text(W, "Valbox", 19), "189.81422");
    EXPECT_EQ(text(W, "Valbox", 20), "1.25");        // 1 / (4 · 12 / 60)
    EXPECT_EQ(text(W, "Valbox", 21), "0.51326");     // h / (1.2566 · 0.3)
    EXPECT_EQ(text(W, "Valbox", 22), "0.73674");
}

// Iw = Im = Lm² m: the cam shaft stops and the helve takes the shaft's speed.
TEST_F(FrmmarteauTest, EqualInertiasPassTheWholeSpeed) {
    wheel("12", "1.2566", "100", "523.4", 1.25f);
    open(W);
    typeFiftyPercentArm();
    step(W, "Command1");
    EXPECT_EQ(text(W, "Valbox", 23), "0.0");
    EXPECT_EQ(text(W, "Valbox", 24), "1.25");
    EXPECT_EQ(text(W, "Valbox", 25), "1.25");
    EXPECT_EQ(text(W, "Valbox", 26), "78.125");  // ½ · 100 · 1.25²
}

TEST_F(FrmmarteauTest, TickedGearDividesTheTorqueAndTheSpeeds) {
    wheel("12", "1.2566", "100", "523.4", 1.25f);
    open(W);
    typeFiftyPercentArm();
    step(W, "Check1=1");
    step(W, "Command1");
    EXPECT_EQ(text(W, "Valbox", 5), "3");
    EXPECT_EQ(text(W, "Valbox", 12), "98.10001");  // 294.30002 / 3
    EXPECT_EQ(text(W, "Valbox", 20), "3.75");      // three times slower shaft
}

TEST_F(FrmmarteauTest, MeetingPointSearch) {
    // first match, not the closest one
    Frmmarteau::Point p = Frmmarteau::Interceptcercles(1.3f, 0.0f, 0.36f, 1.0f);
    EXPECT_NEAR(p.x, 0.97f, 1e-5f);
    EXPECT_NEAR(p.y, 0.19349f, 1e-5f);
    // no match: x = 0 and the mean of the last heights (0 and 5 + √0.51)
    p = Frmmarteau::Interceptcercles(0.5f, 5.0f, 0.2f, 1.0f);
    EXPECT_EQ(p.x, 0.0f);
    EXPECT_NEAR(p.y, 2.85726f, 1e-4f);
    // an empty range gives 0
    EXPECT_EQ(Frmmarteau::Interceptcercles(-1.0f, 0.0f, -0.5f, 1.0f).y, 0.0f);
    // a range too long to step is refused instead of running for ever
    EXPECT_THROW(Frmmarteau::Interceptcercles(1e6f, 0.0f, 1.0f, 1.0f), CalcError);
}

// Each division by zero shows its description; what was written stays and the window goes on.
TEST_F(FrmmarteauTest, DivisionsByZeroAreReported) {
    wheel("0", "0", "100", "523.4", 1.25f);
    open(W);
    typeFiftyPercentArm();
    expectMessage("Division par zéro");  // N = 0: no blow interval
    step(W, "Command1");
    EXPECT_EQ(text(W, "Valbox", 19), "189.81422");
    EXPECT_EQ(text(W, "Valbox", 20), "");

    wheel("12", "0", "100", "523.4", 1.25f);
    expectMessage("Division par zéro");  // ω = 0: no shoe speed
    step(W, "Command1");
    EXPECT_EQ(text(W, "Valbox", 20), "1.25");
    EXPECT_EQ(text(W, "Valbox", 21), "");

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

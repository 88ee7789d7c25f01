// The wind turbine by airfoil profile: the blade-element loop for the four profiles.
#include <gtest/gtest.h>

#include <string>

#include "core/SharedValues.h"
#include "support/WindowTest.h"

namespace aub {
namespace {

const std::string W = "Frmpage78";

class Frmpage78Test : public test::WindowTest {
protected:
    float value(int box) { return std::stof(text(W, "Valbox", box)); }
};

// Defaults D = 5 m, V = 12 m/s, 10 sections. Expected P and η from a hand computation
// of the same sections in exact arithmetic (π, 16π, 4/9 exact): they agree with the
// single-precision program to the three shown decimals.
struct ProfileCase {
    const char* profile;
    float kW;
    float efficiency;
};

TEST_F(Frmpage78Test, FourProfilesWithTheDefaults) {
    Form& f = open(W);
    EXPECT_TRUE(f.modal());
    EXPECT_EQ(text(W, "Valbox", 0), "5");
    EXPECT_EQ(text(W, "Valbox", 2), "10");
    EXPECT_EQ(text(W, "Valbox", 8), "12");
    EXPECT_EQ(f.ctl("Combo1").items, (std::vector<std::string>{"CLARK_Y", "NACA_4415", "NACA_63_415", "PLACAPLAT"}));
    const ProfileCase cases[] = {{"CLARK_Y", 9.1250f, 0.74959f},
                                 {"NACA_4415", 9.2690f, 0.81605f},
                                 {"NACA_63_415", 8.2176f, 0.72062f},
                                 // first section (i = 15.81°): Cz = 1.2 and Cx still 0
                                 {"PLACAPLAT", 1.8230f, 0.15807f}};
    for (const ProfileCase& c : cases) {
        SCOPED_TRACE(c.profile);
        step(W, std::string("Combo1=") + c.profile);
        EXPECT_NEAR(value(11), c.kW, 0.0015f);
        EXPECT_NEAR(value(4), c.efficiency, 0.0015f);
        // ω = 7 · 12 / 2.5 and N = 420 · 12 / (π · 5) whatever the profile
        EXPECT_EQ(text(W, "Valbox", 3), "33.600");
        EXPECT_EQ(text(W, "Valbox", 1), "320.856");
        EXPECT_EQ(text(W, "Valbox", 13), c.profile);
        EXPECT_NEAR(session().shared().SharedPower, c.kW * 1000.0f, 1.5f);
    }
    EXPECT_FLOAT_EQ(session().shared().SharedOmega, 33.6f);
    EXPECT_FLOAT_EQ(session().shared().SharedDiameter, 5.0f);
}

// The flat plate keeps its drag between 15° and 40° from the previous section; each
// calculation starts again from 0, so an earlier profile leaves no trace.
TEST_F(Frmpage78Test, FlatPlateDragStartsFromZeroAtEachCalculation) {
    open(W);
    step(W, "Combo1=PLACAPLAT");
    const std::string fresh = text(W, "Valbox", 11);
    step(W, "Combo1=NACA_63_415");
    step(W, "Combo1=PLACAPLAT");
    EXPECT_EQ(text(W, "Valbox", 11), fresh);
}

TEST_F(Frmpage78Test, NoteShownAfterTheCalculationAndHiddenByABackgroundClick) {
    Form& f = open(W);
    EXPECT_FALSE(f.ctl("Text1").visible);
    step(W, "Combo1=CLARK_Y");
    EXPECT_TRUE(f.ctl("Text1").visible);
    EXPECT_EQ(text(W, "Text1")
                  .rfind("Ce calcul a permis de connaitre la puissance d'une éolienne quelconque \n"
                         "éxécuté en 10 sections du moyeu à l'extremité\n",
                         0),
              0u);
    step(W, "Form");
    EXPECT_FALSE(f.ctl("Text1").visible);
}

TEST_F(Frmpage78Test, NoSectionIsADivisionByZero) {
    open(W);
    step(W, "Valbox(2)=0");
    expectMessage("Division par zéro");
    step(W, "Combo1=NACA_4415");
    EXPECT_EQ(text(W, "Valbox", 11), "");
    step(W, "Retour");
    EXPECT_EQ(session().loaded(W), nullptr);
}

}  // namespace
}  // namespace aub

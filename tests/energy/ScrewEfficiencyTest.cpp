// The Archimedes screw among the machines of the annual energy: its flat part-load curve,
// its stop flow, and its entry in the annual-energy window.
#include <gtest/gtest.h>

#include "energy/MachineEfficiency.h"
#include "support/WindowTest.h"

namespace aub {
namespace {

TEST(ScrewEfficiencyTest, FlatFromThirtyPercentAndFallingBelow) {
    MachineDesign d;
    d.designFlow = 2;
    d.ratedHead = 3;
    const MachineType& t = machineType("Vis hydrodynamique");
    for (double share : {0.3, 0.5, 0.75, 1.0}) EXPECT_NEAR(machineEfficiency(t, d, share * 2), 0.85, 1e-12) << share;
    EXPECT_NEAR(machineEfficiency(t, d, 0.4), 0.95 * 0.85, 1e-12);   // 20 %
    EXPECT_NEAR(machineEfficiency(t, d, 0.2), 0.8 * 0.85, 1e-12);    // 10 %
    EXPECT_NEAR(machineEfficiency(t, d, 0.1), 0.6 * 0.85, 1e-12);    // 5 %
    EXPECT_NEAR(machineEfficiency(t, d, 0.3), 0.875 * 0.85, 1e-12);  // halfway 10-20 %
    EXPECT_EQ(machineEfficiency(t, d, 0), 0);
    // Flatter at part load than the turbines of the same head: at 30 % of Qd it keeps its
    // peak, where the propeller turbine has lost most of its own.
    EXPECT_GT(machineEfficiency(t, d, 0.6), machineEfficiency(machineType("Turbine hélice"), d, 0.6));
    // The curve is in shares of Qd alone: the head does not change it.
    MachineDesign noHead = d;
    noHead.ratedHead = 0;
    EXPECT_EQ(efficiencyTable(t, noHead), efficiencyTable(t, d));
}

TEST(ScrewEfficiencyTest, ItsRecordGivesItsStopFlowAndNoTurbineBoxes) {
    const MachineType& t = machineType("Vis hydrodynamique");
    EXPECT_EQ(t.minimumFlowPercent, 10);
    EXPECT_FALSE(isWheel(t));
    EXPECT_FALSE(t.jets);
    EXPECT_FALSE(t.rm);
    EXPECT_EQ(&machineTypes().back(), &t);  // offered last, after the turbines
}

class ScrewInAnnualEnergy : public test::WindowTest {};

TEST_F(ScrewInAnnualEnergy, ChoosingTheScrewFillsItsCurveAndStopFlow) {
    open("Productible");
    step("Productible", "Site(0)=3");
    step("Productible", "Site(4)=2");
    step("Productible", "Typemachine=Vis hydrodynamique");
    EXPECT_EQ(text("Productible", "Machine", 0), "10");
    EXPECT_EQ(text("Productible", "Rendement", 9), "0.850");
    EXPECT_EQ(text("Productible", "Rendement", 2), "0.850");
    EXPECT_EQ(text("Productible", "Rendement", 0), "0.680");
    EXPECT_EQ(session().load("Productible").ctl("Indicatif").caption, "valeurs indicatives, modifiables");
}

}  // namespace
}  // namespace aub

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
    const MachineType t = MachineType::ArchimedesScrew;
    for (double share : {0.3, 0.5, 0.75, 1.0}) EXPECT_NEAR(machineEfficiency(t, d, share * 2), 0.85, 1e-12) << share;
    EXPECT_NEAR(machineEfficiency(t, d, 0.4), 0.95 * 0.85, 1e-12);   // 20 %
    EXPECT_NEAR(machineEfficiency(t, d, 0.2), 0.8 * 0.85, 1e-12);    // 10 %
    EXPECT_NEAR(machineEfficiency(t, d, 0.1), 0.6 * 0.85, 1e-12);    // 5 %
    EXPECT_NEAR(machineEfficiency(t, d, 0.3), 0.875 * 0.85, 1e-12);  // halfway 10-20 %
    EXPECT_EQ(machineEfficiency(t, d, 0), 0);
    // Flatter at part load than the turbines of the same head: at 30 % of Qd it keeps its
    // peak, where the propeller turbine has lost most of its own.
    EXPECT_GT(machineEfficiency(t, d, 0.6), machineEfficiency(MachineType::Propeller, d, 0.6));
    // The curve is in shares of Qd alone: the head does not change it.
    MachineDesign noHead = d;
    noHead.ratedHead = 0;
    EXPECT_EQ(efficiencyTable(t, noHead), efficiencyTable(t, d));
}

TEST(ScrewEfficiencyTest, IsTheLastTypeOfTheListWithItsStopFlow) {
    EXPECT_STREQ(machineCaption(machineAt(MachineTypeCount - 1)), "Vis hydrodynamique");
    EXPECT_EQ(defaultMinimumFlowPercent(MachineType::ArchimedesScrew), 10);
    EXPECT_FALSE(isWheel(MachineType::ArchimedesScrew));
    EXPECT_FALSE(usesJets(MachineType::ArchimedesScrew));
    EXPECT_FALSE(usesRm(MachineType::ArchimedesScrew));
    // The types before it keep their places (stored studies name them, lists count them).
    EXPECT_STREQ(machineCaption(machineAt(5)), "Turbine Banki (cross-flow)");
    EXPECT_STREQ(machineCaption(machineAt(10)), "Turbine hélice");
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

// Annual energy by hand-checkable cases, and the efficiency curves of the machines
// against values computed independently from the published equations.
#include <gtest/gtest.h>

#include <cmath>

#include "energy/AnnualEnergy.h"
#include "energy/MachineEfficiency.h"

namespace aub {
namespace {

SiteMachine flatMachine(double hb, double qd, double qr, double eff = 0.8) {
    SiteMachine m;
    m.grossHead = hb;
    m.designFlow = qd;
    m.reservedFlow = qr;
    m.efficiency.fill(eff);
    m.driveEfficiency = 1;
    return m;
}

FlowRegime constantFlow(double q) { return FlowRegime::fromCurve({{0, q}, {100, q}}); }

TEST(AnnualEnergy, ConstantFlowRunsAllYearAtDesignFlow) {
    SiteMachine m = flatMachine(5, 1, 0.2);
    m.driveEfficiency = 0.9;
    const FlowRegime river = constantFlow(2);
    const EnergyResult r = annualEnergy(river, m, river.meanFlow());
    const double p = 9.81 * 1 * 5 * 0.8 * 0.9;  // 35.316 kW
    EXPECT_NEAR(r.module, 2, 1e-12);
    EXPECT_NEAR(r.grossPowerMax, 9.81 * 5, 1e-12);
    EXPECT_NEAR(r.electricPowerMax, p, 1e-9);
    EXPECT_NEAR(r.meanPower, p, 1e-9);
    EXPECT_NEAR(r.annualEnergy, 8760 * p, 1e-6);
    EXPECT_NEAR(r.loadFactor, 100, 1e-9);
    EXPECT_NEAR(r.fullPowerHours, 8760, 1e-6);
    EXPECT_NEAR(r.operatingDays, 365, 1e-9);
}

TEST(AnnualEnergy, TwoPointCurveIsAveragedOverTheYear) {
    // Q(p) = 2 − 0.02 p; Qd = 1 reached half the year; below 10 % of Qd the machine stops
    // (p > 95 %): mean Qt = [50 + ∫50..95 (2 − 0.02 p) dp] / 100 = 0.7475 m3/s.
    SiteMachine m = flatMachine(4, 1, 0);
    m.minimumFlowPercent = 10;
    const FlowRegime river = FlowRegime::fromCurve({{0, 2}, {100, 0}});
    const EnergyResult r = annualEnergy(river, m, river.meanFlow());
    EXPECT_NEAR(r.module, 1.0, 1e-12);
    EXPECT_NEAR(r.meanPower, 9.81 * 4 * 0.8 * 0.7475, 0.01);
    EXPECT_NEAR(r.operatingDays, 365 * 0.95, 0.2);
}

TEST(AnnualEnergy, ReservedFlowAboveSomeFlowsLeavesThemInTheRiver) {
    // Q(p) = 2 − 0.02 p, Qr = 1: Qt = 1 − 0.02 p for p < 50, nothing after. Below 10 % of Qd
    // the efficiency rises from 0 (η = 8·Qt): mean of Qt·η = 0.5·[8·0.1³/3 + 0.8·0.99/2].
    const SiteMachine m = flatMachine(2, 1, 1);
    const FlowRegime river = FlowRegime::fromCurve({{0, 2}, {100, 0}});
    const EnergyResult r = annualEnergy(river, m, river.meanFlow());
    const double meanQtEta = 0.5 * (8 * 0.001 / 3 + 0.8 * 0.99 / 2);
    EXPECT_NEAR(r.meanPower, 9.81 * 2 * meanQtEta, 1e-3);
    EXPECT_NEAR(r.operatingDays, 182.5, 0.2);
    EXPECT_NEAR(r.reservedFlow, 1, 1e-12);
}

TEST(AnnualEnergy, MinimumFlowCutsTheLowFlows) {
    SiteMachine m = flatMachine(3, 1, 0);
    m.efficiency = {0.5, 0.6, 0.7, 0.8, 0.8, 0.8, 0.8, 0.8, 0.8, 0.8};
    m.minimumFlowPercent = 40;
    const FlowRegime low = constantFlow(0.3);
    const EnergyResult stopped = annualEnergy(low, m, 0.3);
    EXPECT_EQ(stopped.meanPower, 0);
    EXPECT_EQ(stopped.operatingDays, 0);
    m.minimumFlowPercent = 20;
    const EnergyResult running = annualEnergy(low, m, 0.3);
    EXPECT_NEAR(running.meanPower, 9.81 * 0.3 * 3 * 0.7, 1e-9);
    EXPECT_NEAR(running.operatingDays, 365, 1e-9);
}

TEST(AnnualEnergy, HeadLossGrowsWithTheSquareOfTheTurbinedFlow) {
    SiteMachine m = flatMachine(5, 1, 0);
    m.headLoss = 1;
    EXPECT_NEAR(electricPower(m, 2), 9.81 * 1 * 4 * 0.8, 1e-9);         // at Qd: Hn = 4
    EXPECT_NEAR(electricPower(m, 0.5), 9.81 * 0.5 * 4.75 * 0.8, 1e-9);  // Hn = 5 − 0.25
    m.grossHead = 1;
    m.headLoss = 2;  // no net head left near Qd: no power, never a negative one
    EXPECT_EQ(electricPower(m, 1), 0);
    EXPECT_GT(electricPower(m, 0.5), 0);
}

TEST(AnnualEnergy, EfficiencyIsReadLinearlyFromZero) {
    std::array<double, 10> t{};
    for (int i = 0; i < 10; ++i) t[i] = 0.1 * (i + 1);
    EXPECT_NEAR(efficiencyAt(t, 0.05), 0.05, 1e-12);
    EXPECT_NEAR(efficiencyAt(t, 0.15), 0.15, 1e-12);
    EXPECT_NEAR(efficiencyAt(t, 0.97), 0.97, 1e-12);
    EXPECT_EQ(efficiencyAt(t, 0), 0);
    EXPECT_NEAR(efficiencyAt(t, 1), 1, 1e-12);
}

TEST(AnnualEnergy, DailyRecordIsAveragedDayByDay) {
    const SiteMachine m = flatMachine(2, 10, 0);
    const FlowRegime river = FlowRegime::fromRecord({5, 1, 3, 4, 2});
    EXPECT_NEAR(river.meanFlow(), 3, 1e-12);
    EXPECT_NEAR(river.exceededFlow(0), 5, 1e-12);
    EXPECT_NEAR(river.exceededFlow(50), 3, 1e-12);
    EXPECT_NEAR(river.exceededFlow(12.5), 4.5, 1e-12);
    EXPECT_NEAR(river.exceededFlow(100), 1, 1e-12);
    const EnergyResult r = annualEnergy(river, m, river.meanFlow());
    double sum = 0;
    for (double q : {5.0, 1.0, 3.0, 4.0, 2.0}) sum += electricPower(m, q);
    EXPECT_NEAR(r.meanPower, sum / 5, 1e-12);
}

TEST(AnnualEnergy, DesignFlowSweepMarksTheBestOfSixtyPoints) {
    // Constant 2 m3/s, 0.2 left in the river: beyond Qd = 1.8 nothing more is turbined, so
    // the first design flow past 1.8 (point 17, Qd = 2·(0.1 + 2.9·17/59)) is the best.
    const SiteMachine m = flatMachine(3, 1, 0.2);
    const FlowRegime river = constantFlow(2);
    const auto sweep = designFlowSweep(river, m, 2, [&m](double) { return m.efficiency; });
    ASSERT_EQ(sweep.points.size(), 60u);
    EXPECT_NEAR(sweep.points.front().designFlow, 0.2, 1e-12);
    EXPECT_NEAR(sweep.points.back().designFlow, 6.0, 1e-12);
    EXPECT_EQ(sweep.best, 17);
    EXPECT_NEAR(sweep.points[17].annualEnergy, 8760 * 9.81 * 1.8 * 3 * 0.8, 1e-6);
    EXPECT_LT(sweep.points[16].annualEnergy, sweep.points[17].annualEnergy);
}

TEST(AnnualEnergy, ChartsHoldTheCurveTheBandAndThePower) {
    const SiteMachine m = flatMachine(3, 1, 0.5);
    const FlowRegime river = FlowRegime::fromCurve({{0, 3}, {100, 0}});
    const EnergyCharts c = energyCharts(river, m, {});
    ASSERT_EQ(c.durationCurve.size(), 201u);
    EXPECT_NEAR(c.durationCurve[100].y, 1.5, 1e-12);  // 50 %
    EXPECT_NEAR(c.bandLow[100].y, 0.5, 1e-12);
    EXPECT_NEAR(c.bandHigh[100].y, 1.5, 1e-12);  // Qr + Qt = 0.5 + 1
    EXPECT_NEAR(c.bandHigh[200].y, 0, 1e-12);
    EXPECT_NEAR(c.powerCurve[0].y, 9.81 * 1 * 3 * 0.8, 1e-9);
}

// Values computed apart from the program, from the textbook's equations.
TEST(MachineEfficiency, TurbineCurvesFollowThePublishedEquations) {
    const double tol = 1e-9;
    const MachineDesign francis{2, 50, 4.5, 1};
    EXPECT_NEAR(machineEfficiency(machineType("Turbine Francis"), francis, 0.5), 0.42018684369838855, tol);
    EXPECT_NEAR(machineEfficiency(machineType("Turbine Francis"), francis, 1.5), 0.9079831518673397, tol);
    EXPECT_NEAR(machineEfficiency(machineType("Turbine Francis"), francis, 2.0), 0.8723681286372154, tol);
    const MachineDesign axial{5, 10, 4.5, 1};
    EXPECT_NEAR(machineEfficiency(machineType("Turbine Kaplan"), axial, 1), 0.4126813051519628, tol);
    EXPECT_NEAR(machineEfficiency(machineType("Turbine Kaplan"), axial, 3.75), 0.9056939733949655, tol);
    EXPECT_NEAR(machineEfficiency(machineType("Turbine Kaplan"), axial, 5), 0.9013456484198182, tol);
    EXPECT_NEAR(machineEfficiency(machineType("Turbine hélice"), axial, 2.5), 0.388411700162747, tol);
    EXPECT_EQ(machineEfficiency(machineType("Turbine hélice"), axial, 0.5), 0);  // negative counts as zero
    const MachineDesign pelton{0.3, 200, 4.5, 2};
    EXPECT_NEAR(machineEfficiency(machineType("Turbine Pelton"), pelton, 0.1), 0.9004446745702621, tol);
    EXPECT_NEAR(machineEfficiency(machineType("Turbine Pelton"), pelton, 0.2), 0.9148025183435277, tol);
    EXPECT_NEAR(machineEfficiency(machineType("Turbine Pelton"), pelton, 0.3), 0.8988964835831077, tol);
    EXPECT_NEAR(machineEfficiency(machineType("Turbine Turgo"), pelton, 0.3), 0.8988964835831077 - 0.03, tol);
    const MachineDesign cross{1, 10, 4.5, 1};
    EXPECT_NEAR(machineEfficiency(machineType("Turbine Banki (cross-flow)"), cross, 0.5), 0.7149163818359375, tol);
    EXPECT_NEAR(machineEfficiency(machineType("Turbine Banki (cross-flow)"), cross, 1.0), 0.79, tol);
    EXPECT_NEAR(machineEfficiency(machineType("Turbine Banki (cross-flow)"), cross, 0.2), 0.6097467627978752, tol);
}

TEST(MachineEfficiency, FrancisLeavesItsRangeUnderNineMetres) {
    EXPECT_TRUE(francisHeadTooLow(8.8));
    EXPECT_FALSE(francisHeadTooLow(8.9));
    // Low head: the part-load law's exponent turns negative, the curve never shows nan.
    for (double e : efficiencyTable(machineType("Turbine Francis"), {1, 3, 4.5, 1})) {
        EXPECT_TRUE(std::isfinite(e));
        EXPECT_GE(e, 0);
    }
}

TEST(MachineEfficiency, WheelsAreFlatAtTheirPeakDownToThirtyPercent) {
    const auto t = efficiencyTable(machineType("Roue en dessus"), {1, 1, 4.5, 1});
    EXPECT_NEAR(t[0], 0.425, 1e-12);
    EXPECT_NEAR(t[1], 0.7225, 1e-12);
    for (int i = 2; i < 10; ++i) EXPECT_NEAR(t[i], 0.85, 1e-12);
    EXPECT_NEAR(machineType("Roue de côté").wheelPeak, 0.75, 1e-12);
    EXPECT_EQ(machineType("Turbine Kaplan").wheelPeak, 0);
}

}  // namespace
}  // namespace aub

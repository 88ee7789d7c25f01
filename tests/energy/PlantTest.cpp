// What a real plant makes of the river: reserved flow by month, several machines, the
// head lost in floods, downtime and availability, and flows carried from a gauging
// station to the site, each on a case worked out by hand.
#include <gtest/gtest.h>

#include <cmath>

#include "energy/AnnualEnergy.h"
#include "energy/RecordStatistics.h"

namespace aub {
namespace {

// 5 m of head, no head loss, efficiency `eff` at every load, nothing lost in the drive.
SiteMachine flat(double qd, double eff = 0.8) {
    SiteMachine m;
    m.grossHead = 5;
    m.designFlow = qd;
    m.efficiency.fill(eff);
    m.driveEfficiency = 1;
    return m;
}

FlowRegime constant(double q) { return FlowRegime::fromCurve({{0, q}, {100, q}}); }

TEST(SeveralMachines, TwoMachinesShareAFlowJustAboveOneMachinesCapacity) {
    SiteMachine m = flat(2);
    m.machines = 2;  // two machines of 1 m3/s
    m.minimumFlowPercent = 40;
    // 1.1 m3/s: one machine full (1 m3/s) gives 39.24 kW, two at 0.55 each 43.164 kW.
    const PlantPoint p = plantAt(m, 1.1, 0);
    EXPECT_EQ(p.running, 2);
    EXPECT_NEAR(p.turbined, 1.1, 1e-12);
    EXPECT_NEAR(p.power, 9.81 * 1.1 * 5 * 0.8, 1e-9);
    // 0.5 m3/s: under one 2 m3/s machine's stop flow (0.8), above a 1 m3/s machine's (0.4).
    EXPECT_EQ(plantAt(m, 0.5, 0).running, 1);
    EXPECT_NEAR(annualEnergy(constant(0.5), m, 0.5).annualEnergy, 8760 * 9.81 * 0.5 * 5 * 0.8, 1e-6);
    SiteMachine one = flat(2);
    one.minimumFlowPercent = 40;
    EXPECT_EQ(annualEnergy(constant(0.5), one, 0.5).annualEnergy, 0);
    EXPECT_NEAR(annualEnergy(constant(0.5), m, 0.5).operatingDays, 365, 1e-9);
}

TEST(SeveralMachines, TheNextMachineStartsOnlyWhenItGivesMorePower) {
    // Efficiency equal to the load (η = x): one machine full beats two half loaded.
    SiteMachine m = flat(2);
    for (int i = 0; i < 10; ++i) m.efficiency[i] = 0.1 * (i + 1);
    m.machines = 2;
    const PlantPoint p = plantAt(m, 1.1, 0);
    EXPECT_EQ(p.running, 1);
    EXPECT_NEAR(p.turbined, 1, 1e-12);
    EXPECT_NEAR(p.power, 9.81 * 1 * 5 * 1, 1e-9);
    // At 2 m3/s both run full.
    EXPECT_EQ(plantAt(m, 2, 0).running, 2);
    EXPECT_NEAR(plantAt(m, 2, 0).power, 9.81 * 2 * 5 * 1, 1e-9);
    // Four machines of 0.5: at 1.6 m3/s four at 0.4 give less than three full and 0.1 left.
    m.machines = 4;
    m.designFlow = 2;
    const PlantPoint four = plantAt(m, 1.6, 0);
    EXPECT_EQ(four.running, 3);
    EXPECT_NEAR(four.power, 9.81 * 1.5 * 5 * 1, 1e-9);
}

TEST(SeveralMachines, OneMachineIsTheSingleMachineOfBefore) {
    SiteMachine m = flat(1.5);
    m.headLoss = 0.4;
    m.reservedFlow = 0.2;
    m.minimumFlowPercent = 20;
    for (int i = 0; i < 10; ++i) m.efficiency[i] = 0.5 + 0.04 * i;
    for (double q : {0.1, 0.45, 0.56, 1.0, 1.7, 2.5}) {
        const double qa = std::max(0.0, q - 0.2), qt = std::min(qa, 1.5);
        const double expected =
            qt < 0.3 ? 0 : 9.81 * qt * (5 - 0.4 * (qt / 1.5) * (qt / 1.5)) * efficiencyAt(m.efficiency, qt / 1.5);
        EXPECT_NEAR(electricPower(m, q), expected, 1e-12) << q;
    }
}

TEST(FloodHead, TheLossGrowsLinearlyFromTheDesignFlowToTheFloodFlow) {
    SiteMachine m = flat(1);
    m.floodHeadLoss = 1;
    m.floodFlow = 11;
    EXPECT_EQ(floodHeadReduction(m, 0.5), 0);
    EXPECT_EQ(floodHeadReduction(m, 1), 0);  // at Qd: none
    EXPECT_NEAR(floodHeadReduction(m, 6), 0.5, 1e-12);
    EXPECT_NEAR(floodHeadReduction(m, 11), 1, 1e-12);
    EXPECT_NEAR(floodHeadReduction(m, 21), 2, 1e-12);  // the straight line goes on
    EXPECT_NEAR(plantAt(m, 11, 0).power, 9.81 * 1 * 4 * 0.8, 1e-9);
    m.floodHeadLoss = 0;  // none typed
    EXPECT_EQ(floodHeadReduction(m, 21), 0);
    EXPECT_NEAR(plantAt(m, 11, 0).power, 9.81 * 1 * 5 * 0.8, 1e-9);
}

// 300 days at 2 m3/s and 65 days at 0.1 m3/s, under the stop flow: 65 days make nothing.
std::vector<double> lowWaterYear() {
    std::vector<double> flows(365, 2.0);
    for (int i = 0; i < 65; ++i) flows[static_cast<std::size_t>(i * 5)] = 0.1;
    return flows;
}

TEST(Downtime, DaysOutOfServiceAreTakenFromTheDaysThatProduceLeast) {
    SiteMachine m = flat(1);
    m.minimumFlowPercent = 20;
    const FlowRegime river = FlowRegime::fromRecord(lowWaterYear());
    const double p = 9.81 * 1 * 5 * 0.8;
    EXPECT_NEAR(annualEnergy(river, m, 1).annualEnergy, 300 * 24 * p, 1e-6);
    m.downtimeDays = 30;  // within the 65 idle days: nothing lost
    EXPECT_NEAR(annualEnergy(river, m, 1).annualEnergy, 300 * 24 * p, 1e-6);
    EXPECT_NEAR(annualEnergy(river, m, 1).operatingDays, 300, 1e-9);
    m.downtimeDays = 100;  // 35 producing days lost
    EXPECT_NEAR(annualEnergy(river, m, 1).annualEnergy, 265 * 24 * p, 1e-6);
    EXPECT_NEAR(annualEnergy(river, m, 1).operatingDays, 265, 1e-9);
    m.downtimeDays = 100.5;  // half a day more
    EXPECT_NEAR(annualEnergy(river, m, 1).annualEnergy, 264.5 * 24 * p, 1e-6);
    m.downtimeDays = 0;
    m.availability = 0.9;
    EXPECT_NEAR(annualEnergy(river, m, 1).annualEnergy, 0.9 * 300 * 24 * p, 1e-6);
    EXPECT_NEAR(annualEnergy(river, m, 1).operatingDays, 270, 1e-9);
}

TEST(Downtime, OnACurveTheShareOfTheYearThatProducesLeastGoes) {
    // Flow falling from 2 to 1 m3/s over the year, all turbined (Qd = 2).
    SiteMachine m = flat(2);
    const FlowRegime river = FlowRegime::fromCurve({{0, 2}, {100, 1}});
    const double full = annualEnergy(river, m, 1).annualEnergy;
    EXPECT_NEAR(full, 8760 * 9.81 * 1.5 * 5 * 0.8, 1e-6);
    m.downtimeDays = 36.5;  // 10 % of the year, from 90 to 100 % of time: flows 1.1 to 1
    // Power there is 9.81·5·0.8·Q: the mean flow over that tenth is 1.05 m3/s.
    const double lost = 8760 * 0.1 * 9.81 * 5 * 0.8 * 1.05;
    EXPECT_NEAR(annualEnergy(river, m, 1).annualEnergy, full - lost, 1e-6 * full);
}

TEST(Downtime, EachCalendarYearOfARecordLosesItsShare) {
    // 2001 at 2 m3/s all year; 2002 the same with its first 20 days at 0.1 (idle).
    std::vector<RecordDay> days;
    for (int d = dayNumber(2001, 1, 1); d <= dayNumber(2002, 12, 31); ++d) days.push_back({d, 2.0});
    for (int i = 0; i < 20; ++i) days[365 + static_cast<std::size_t>(i)].flow = 0.1;
    SiteMachine m = flat(1);
    m.minimumFlowPercent = 20;
    m.downtimeDays = 10;
    const FlowRegime river = FlowRegime::fromDatedRecord(days);
    const PlantSamples s = plantSamples(river, m);
    const RecordStatistics st = recordStatistics(days, s.power);
    const double p = 9.81 * 1 * 5 * 0.8;
    ASSERT_EQ(st.years.size(), 2u);
    EXPECT_NEAR(st.years[0].energy, 355 * 24 * p, 1e-6);  // ten producing days lost
    EXPECT_NEAR(st.years[1].energy, 345 * 24 * p, 1e-6);  // taken from its twenty idle days
    EXPECT_NEAR(annualEnergy(river, m, 2).annualEnergy, 8760 * (355 + 345) * p / 730, 1e-6);
}

TEST(ReservedByMonth, EachDayTakesItsMonthsReservedFlow) {
    // Constant 2 m3/s; in January all of it stays in the river.
    SiteMachine m = flat(1);
    m.reservedByMonth = true;
    m.monthlyReserved.fill(0.5);
    m.monthlyReserved[0] = 2;
    std::vector<RecordDay> days;
    for (int d = dayNumber(2001, 1, 1); d <= dayNumber(2001, 12, 31); ++d) days.push_back({d, 2.0});
    const FlowRegime dated = FlowRegime::fromDatedRecord(days);
    const double p = 9.81 * 1 * 5 * 0.8;
    EXPECT_NEAR(annualEnergy(dated, m, 2).annualEnergy, 334 * 24 * p, 1e-6);
    EXPECT_NEAR(annualEnergy(dated, m, 2).operatingDays, 334, 1e-9);
    EXPECT_NEAR(annualEnergy(dated, m, 2).reservedFlow, (31 * 2 + 334 * 0.5) / 365.0, 1e-12);
    // Without dates each month's value weighs its length: the same figure here.
    EXPECT_NEAR(annualEnergy(constant(2), m, 2).annualEnergy, 334 * 24 * p, 1e-6);
    const RecordStatistics st = recordStatistics(days, plantSamples(dated, m).power);
    EXPECT_EQ(st.monthlyEnergy[0], 0);
    EXPECT_NEAR(st.monthlyEnergy[1], 28 * 24 * p, 1e-6);
}

TEST(ReservedByMonth, TheChartsDrawTheMonthsAsSteps) {
    EnergyCharts c;
    c.reservedByMonth = true;
    c.monthlyReserved.fill(0.5);
    c.monthlyReserved[6] = 0.2;  // July
    c.monthlyReserved[0] = 2;    // January
    c.reservedFlow = (31 * 2 + 31 * 0.2 + 303 * 0.5) / 365.0;
    // Flow-duration chart: January (31 days) highest, the ten months at 0.5, July last.
    const std::vector<ChartPoint> d = reservedDurationSteps(c, 1);
    ASSERT_EQ(d.size(), 24u);
    EXPECT_DOUBLE_EQ(d.front().x, 0);
    EXPECT_DOUBLE_EQ(d[0].y, 3);
    EXPECT_NEAR(d[1].x, 100 * 31 / 365.0, 1e-12);
    EXPECT_DOUBLE_EQ(d[2].y, 1.5);
    EXPECT_NEAR(d[21].x, 100 * 334 / 365.0, 1e-12);  // July's step starts at 334 days
    EXPECT_DOUBLE_EQ(d[22].y, 1.2);
    EXPECT_NEAR(d.back().x, 100, 1e-12);
    // Against the date: 15 December 2000 to 10 February 2001 gives three months.
    const std::vector<ChartPoint> t = reservedDateSteps(c, dayNumber(2000, 12, 15), dayNumber(2001, 2, 10), 0);
    ASSERT_EQ(t.size(), 6u);
    EXPECT_EQ(t[0].x, dayNumber(2000, 12, 15));
    EXPECT_EQ(t[1].x, dayNumber(2001, 1, 1));
    EXPECT_EQ(t[1].y, 0.5);
    EXPECT_EQ(t[2].y, 2);  // January
    EXPECT_EQ(t[3].x, dayNumber(2001, 2, 1));
    EXPECT_EQ(t[5].x, dayNumber(2001, 2, 11));  // the last day drawn whole
    // A constant Qr: one step over the whole span.
    c.reservedByMonth = false;
    EXPECT_EQ(reservedDurationSteps(c, 0).size(), 2u);
    EXPECT_EQ(reservedDateSteps(c, 10, 20, 0).size(), 2u);
}

TEST(Transposition, FlowsScaleByTheRatioOfCatchmentAreas) {
    EXPECT_NEAR(transpositionRatio(120, 45, 1), 0.375, 1e-15);
    EXPECT_NEAR(transpositionRatio(100, 50, 0.8), std::pow(0.5, 0.8), 1e-15);
    EXPECT_EQ(transpositionRatio(0, 0, 1), 1);  // no station: the flows as read
    // With exponent 1 the plant sees flows times the ratio: 4 m3/s at the station, a
    // site with half its catchment takes 2.
    const SiteMachine m = flat(3);
    const double r = transpositionRatio(200, 100, 1);
    EXPECT_NEAR(annualEnergy(constant(4 * r), m, 2).annualEnergy, 8760 * 9.81 * 2 * 5 * 0.8, 1e-6);
}

}  // namespace
}  // namespace aub

// What a dated record tells: coverage and gaps, years kept or left out, yearly
// energies and their P50/P90, QMNA5, monthly means and the winter share, checked on
// records whose figures can be worked out by hand.
#include <gtest/gtest.h>

#include <cmath>

#include "energy/RecordStatistics.h"

namespace aub {
namespace {

// A machine that turns every flow into 9.81 × Q × 10 m × 1 kW (no reserved flow, no
// minimum, full efficiency up to the design flow of 2 m3/s).
SiteMachine plainMachine() {
    SiteMachine m;
    m.grossHead = 10;
    m.designFlow = 2;
    m.efficiency.fill(1);
    m.driveEfficiency = 1;
    return m;
}

const std::array<double, 12> NoReserved{};

// Days from a first to a last day (inclusive) at a flow given by the day's month.
void addDays(std::vector<RecordDay>& days, int from, int to, double (*flow)(const CivilDay&)) {
    for (int d = from; d <= to; ++d) days.push_back({d, flow(civilDay(d))});
}
double constantFlow(const CivilDay&) { return 2; }

TEST(RecordYears, ThreeIdenticalYearsGiveThreeEqualEnergiesAndALeapYearItsExtraDay) {
    std::vector<RecordDay> days;
    addDays(days, dayNumber(2001, 1, 1), dayNumber(2004, 12, 31), constantFlow);
    const RecordStatistics st = recordStatistics(days, plainMachine(), NoReserved);
    ASSERT_EQ(st.years.size(), 4u);
    const double power = 9.81 * 2 * 10;  // kW
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(st.years[i].kept);
        EXPECT_NEAR(st.years[i].energy, power * 8760, 1e-6) << st.years[i].year;
    }
    EXPECT_EQ(st.years[3].daysRead, 366);  // 2004: the 29th of February counts
    EXPECT_NEAR(st.years[3].energy, power * 8784, 1e-6);
    EXPECT_TRUE(st.leftOutYears.empty());
    EXPECT_NEAR(*st.p50, power * 8760, 1e-6);  // ranks 1.5 of 4: between two equal years
    EXPECT_NEAR(*st.p90, power * 8760, 1e-6);
    EXPECT_NEAR(st.module, 2, 1e-12);
    // Winter: November to March, 151 days of 365 (152 of 366 in 2004).
    EXPECT_NEAR(st.winterShare, 100.0 * (3 * 151 + 152) / (3 * 365 + 366), 1e-9);
    EXPECT_NEAR(st.monthlyEnergy[1], power * 24 * 28.25, 1e-6);  // February over 4 years
    EXPECT_EQ(coverageText(st.coverage), "couverture 100 % — aucun jour manquant");
}

TEST(RecordYears, AYearUnderNinetyPercentIsLeftOutAndNamed) {
    std::vector<RecordDay> days;
    addDays(days, dayNumber(2001, 1, 1), dayNumber(2001, 12, 31), constantFlow);
    addDays(days, dayNumber(2002, 1, 1), dayNumber(2002, 10, 31), constantFlow);  // 304 days: 83 %
    addDays(days, dayNumber(2003, 1, 1), dayNumber(2003, 12, 31), constantFlow);
    const RecordStatistics st = recordStatistics(days, plainMachine(), NoReserved);
    EXPECT_EQ(st.leftOutYears, std::vector<int>{2002});
    EXPECT_EQ(yearList(st.leftOutYears), "2002");
    EXPECT_FALSE(st.years[1].kept);
    EXPECT_EQ(st.years[1].energy, 0);
    EXPECT_EQ(st.years[1].daysRead, 304);
}

TEST(RecordCoverage, AThirtyDayGapIsCountedDatedAndTheYearStillKept) {
    std::vector<RecordDay> days;
    addDays(days, dayNumber(1976, 1, 1), dayNumber(1976, 7, 1), constantFlow);
    addDays(days, dayNumber(1976, 8, 1), dayNumber(1976, 12, 31), constantFlow);  // July 2 ... 31 missing
    const RecordCoverage c = recordCoverage(days);
    EXPECT_EQ(c.missingDays, 30);
    EXPECT_EQ(c.longestGap, 30);
    EXPECT_EQ(coverageText(c),
              "couverture 91,8 % — 30 jours manquants, plus longue lacune 30 jours du 02/07/1976 au "
              "31/07/1976");
    const RecordStatistics st = recordStatistics(days, plainMachine(), NoReserved);
    ASSERT_EQ(st.years.size(), 1u);
    EXPECT_TRUE(st.years[0].kept);  // 336 of 366 days
    // Its energy: the mean power of the days read over the whole leap year.
    EXPECT_NEAR(st.years[0].energy, 9.81 * 2 * 10 * 8784, 1e-6);
    EXPECT_EQ(st.monthDays[6], 1);
}

double dryAugust2001(const CivilDay& c) {
    // Each year's lowest month is August, at 1, e and e² m3/s for 2001, 2002, 2003.
    if (c.month != 8) return 10;
    return std::exp(static_cast<double>(c.year - 2001));
}

TEST(RecordQmna5, TheLowestMonthsAreFittedByALogNormalLaw) {
    std::vector<RecordDay> days;
    addDays(days, dayNumber(2001, 1, 1), dayNumber(2003, 12, 31), dryAugust2001);
    const RecordStatistics st = recordStatistics(days, plainMachine(), NoReserved);
    ASSERT_TRUE(st.qmna5.has_value()) << st.qmna5Note;
    // Logarithms 0, 1, 2: mean 1, sample standard deviation 1; exp(1 − 0.8416).
    EXPECT_NEAR(*st.qmna5, std::exp(1 - 0.8416), 1e-12);
    EXPECT_NEAR(st.years[2].lowestMonthly, std::exp(2.0), 1e-12);
    EXPECT_NEAR(st.monthlyFlow[7], (1 + std::exp(1.0) + std::exp(2.0)) / 3, 1e-12);
    EXPECT_NEAR(st.monthlyFlow[0], 10, 1e-12);

    // One year is not enough, nor a dry month of zero flow.
    std::vector<RecordDay> one;
    addDays(one, dayNumber(2001, 1, 1), dayNumber(2001, 12, 31), dryAugust2001);
    EXPECT_FALSE(recordStatistics(one, plainMachine(), NoReserved).qmna5.has_value());
    for (RecordDay& d : days)
        if (civilDay(d.day).month == 8 && civilDay(d.day).year == 2001) d.flow = 0;
    const RecordStatistics dry = recordStatistics(days, plainMachine(), NoReserved);
    EXPECT_FALSE(dry.qmna5.has_value());
    EXPECT_EQ(dry.qmna5Note, "QMNA5 non calculé : une année a un mois de débit moyen nul.");
}

TEST(RecordQuantiles, P50AndP90AreReadLinearlyBetweenRanks) {
    EXPECT_DOUBLE_EQ(rankQuantile({5, 1, 4, 2, 3}, 0.5), 3);
    EXPECT_DOUBLE_EQ(rankQuantile({5, 1, 4, 2, 3}, 0.1), 1.4);  // rank 0.4
    EXPECT_DOUBLE_EQ(rankQuantile({10, 20}, 0.1), 11);
    EXPECT_DOUBLE_EQ(rankQuantile({7}, 0.1), 7);
}

TEST(RecordReservedFlow, EachMonthLeavesItsOwnReservedFlow) {
    std::vector<RecordDay> days;
    addDays(days, dayNumber(2001, 1, 1), dayNumber(2001, 12, 31), constantFlow);
    std::array<double, 12> reserved{};
    reserved.fill(0.5);
    reserved[6] = reserved[7] = 2;  // nothing turbined in July and August
    const RecordStatistics st = recordStatistics(days, plainMachine(), reserved);
    EXPECT_NEAR(st.monthlyEnergy[6], 0, 1e-12);
    EXPECT_NEAR(st.monthlyEnergy[0], 9.81 * 1.5 * 10 * 24 * 31, 1e-6);
    EXPECT_NEAR(st.years[0].energy, 9.81 * 1.5 * 10 * 24 * (365 - 62), 1e-6);
}

}  // namespace
}  // namespace aub

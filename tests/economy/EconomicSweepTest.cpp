#include "economy/EconomicSweep.h"

#include <gtest/gtest.h>

#include <cmath>

#include "economy/InvestmentCost.h"

namespace aub {
namespace {

TEST(InvestmentCost, ItemsSplitTheSpecificCostTimesThePower) {
    for (MachineType type : {machineType("Roue en dessus"), machineType("Turbine Kaplan")}) {
        const InvestmentItems items = investmentEstimate(type, 100, DefaultSpecificCost);
        double total = 0;
        for (double v : items) total += v;
        EXPECT_NEAR(total, 385000, 1e-6);
    }
    // I·(P'/P)^b: twice the power at b = 0.5 is √2 times the investment.
    EXPECT_NEAR(scaledInvestment(1000, 100, 200, 0.5), 1000 * std::sqrt(2.0), 1e-9);
    EXPECT_DOUBLE_EQ(scaledInvestment(1000, 100, 0, 0.5), 0);
}

TEST(EconomicSweep, BestNetPresentValueAndMostEnergyAreMarkedApart) {
    // Energy grows less and less with the design flow; the investment grows with it.
    const std::vector<SweepPoint> sweep{{0.5, 200000}, {1.0, 350000}, {1.5, 420000}, {2.0, 440000}};
    CashFlowInputs base;
    base.investment = 400000;  // at 1 m3/s, 100 kW
    base.discountRate = 0.05;
    base.years = 20;
    const auto price = [](double) { return std::optional<double>(0.12); };
    const EconomicSweep s = economicSweep(sweep, 1.0, 100, base, 1.0, price);
    ASSERT_EQ(s.points.size(), 4u);
    EXPECT_EQ(s.mostEnergy, 3);
    // NPV = 0.12·E·a − 400000·q, a = 12.4622: 0.5 → 99 093, 1 → 123 413, 1.5 → 28 097.
    const double a = (1 - std::pow(1.05, -20)) / 0.05;
    EXPECT_NEAR(*s.points[1].npv, 0.12 * 350000 * a - 400000, 1e-6);
    EXPECT_EQ(s.best, 1);
    EXPECT_DOUBLE_EQ(s.points[2].powerKw, 150);
}

TEST(EconomicSweep, PowersAboveTheCeilingHaveNoValue) {
    const std::vector<SweepPoint> sweep{{1.0, 350000}, {2.0, 440000}};
    CashFlowInputs base;
    base.investment = 100000;
    const auto price = [](double p) { return p < 150 ? std::optional<double>(0.12) : std::nullopt; };
    const EconomicSweep s = economicSweep(sweep, 1.0, 100, base, DefaultCostExponent, price);
    EXPECT_TRUE(s.points[0].npv);
    EXPECT_FALSE(s.points[1].npv);
    EXPECT_EQ(s.best, 0);
    EXPECT_EQ(s.mostEnergy, 1);
}

}  // namespace
}  // namespace aub

#include "economy/EconomicSweep.h"

#include <gtest/gtest.h>

#include <cmath>

#include "economy/InvestmentCost.h"

namespace aub {
namespace {

TEST(InvestmentCost, ItemsSplitTheSpecificCostTimesThePower) {
    for (MachineType type : {MachineType::Overshot, MachineType::Kaplan}) {
        const InvestmentItems items = investmentEstimate(type, 100, DefaultSpecificCost);
        double total = 0;
        for (double v : items) total += v;
        EXPECT_NEAR(total, 385000, 1e-6);
    }
    // The machine item replaced by a published turbine cost keeps the other five.
    const TurbineCostEstimate kaplan{100000, false, "Kaplan"};
    const InvestmentItems items = investmentEstimate(MachineType::Kaplan, 100, DefaultSpecificCost, kaplan);
    EXPECT_DOUBLE_EQ(items[MachineItem], 100000);
    EXPECT_NEAR(items[1], 0.40 * 385000, 1e-6);
    // I·(P'/P)^b: twice the power at b = 0.5 is √2 times the investment.
    EXPECT_NEAR(scaledInvestment(1000, 100, 200, 0.5), 1000 * std::sqrt(2.0), 1e-9);
    EXPECT_DOUBLE_EQ(scaledInvestment(1000, 100, 0, 0.5), 0);
}

TEST(InvestmentCost, TurbineCostLawsByTypePowerHeadAndFlowBand) {
    // Kaplan, 100 kW, 2 m3/s: 3 500 × 100^0.68 = 3 500 × 22.9087 = 80 180 £ = 100 694 €.
    auto kaplan = publishedMachineCost(MachineType::Kaplan, 100, 5, 2);
    ASSERT_TRUE(kaplan);
    EXPECT_NEAR(kaplan->euros, 100694, 1);
    EXPECT_FALSE(kaplan->belowRange);
    // Above 5 m3/s the second band: 14 000 × 100^0.35 = 14 000 × 5.0119 = 70 166 £.
    EXPECT_NEAR(publishedMachineCost(MachineType::Kaplan, 100, 2, 6)->euros, 70166.3 / 0.79628, 1);
    // Francis, 100 kW under 25 m: P/√H = 20; 122 000 × 20^0.07 = 122 000 × 1.233310 = 150 464 £.
    EXPECT_NEAR(publishedMachineCost(MachineType::Francis, 100, 25, 1)->euros, 150464 / 0.79628, 2);
    EXPECT_NEAR(publishedMachineCost(MachineType::Francis, 100, 25, 5)->euros, 223000 * std::pow(20.0, 0.11) / 0.79628,
                1e-6);
    EXPECT_NEAR(publishedMachineCost(MachineType::Francis, 100, 25, 12)->euros, 16500 * std::pow(20.0, 0.52) / 0.79628,
                1e-6);
    // Pelton, 100 kW: 2 600 × 100^0.54 = 2 600 × 12.0226 = 31 259 £ = 39 256 €.
    EXPECT_NEAR(publishedMachineCost(MachineType::Pelton, 100, 200, 0.06)->euros, 39256, 1);
    EXPECT_TRUE(publishedMachineCost(MachineType::Pelton, 100, 200, 0.06)->belowRange);
    // No law for the other machines, nor for a power, head or flow that is not one.
    EXPECT_FALSE(publishedMachineCost(MachineType::CrossFlow, 100, 10, 1));
    EXPECT_FALSE(publishedMachineCost(MachineType::Overshot, 10, 4, 0.3));
    EXPECT_FALSE(publishedMachineCost(MachineType::Kaplan, 0, 5, 2));
    EXPECT_FALSE(publishedMachineCost(MachineType::Francis, 100, 0, 2));
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

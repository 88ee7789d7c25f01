#include "economy/CashFlow.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/CalcError.h"

namespace aub {
namespace {

// I = 1000 €, a flat 100 €/yr for 20 years at 5 %: NPV = −1000 + 100·(1 − 1.05^−20)/0.05.
CashFlowInputs flat() {
    CashFlowInputs in;
    in.investment = 1000;
    in.energy = 1000;
    in.revenue = 150;
    in.yearlyCosts = 50;
    in.discountRate = 0.05;
    in.years = 20;
    return in;
}

TEST(CashFlow, FlatFlowHasTheAnnuityPresentValue) {
    const CashFlowResult r = cashFlow(flat());
    const double annuity = (1 - std::pow(1.05, -20)) / 0.05;
    EXPECT_NEAR(r.npv, -1000 + 100 * annuity, 1e-9);  // 246.221 €
    EXPECT_NEAR(r.npv, 246.221, 1e-3);
    ASSERT_EQ(r.years.size(), 21u);
    EXPECT_DOUBLE_EQ(r.years[0].flow, -1000);
    EXPECT_DOUBLE_EQ(r.years[20].cumulative, -1000 + 20 * 100);
}

TEST(CashFlow, FlatFlowBuiltOnAnAnnuityGivesBackItsRate) {
    // A = I·r/(1 − (1 + r)^−N) with r = 8 %, N = 10: the internal rate is 8 %.
    CashFlowInputs in = flat();
    in.years = 10;
    in.yearlyCosts = 0;
    in.revenue = 1000 * 0.08 / (1 - std::pow(1.08, -10));  // 149.029 €/yr
    const CashFlowResult r = cashFlow(in);
    ASSERT_TRUE(r.irr);
    EXPECT_NEAR(*r.irr, 0.08, 1e-9);
    EXPECT_TRUE(r.irrNote.empty());
    // One year: −1000 then +1100 is 10 %.
    in.years = 1;
    in.revenue = 1100;
    EXPECT_NEAR(*cashFlow(in).irr, 0.10, 1e-9);
}

TEST(CashFlow, AFlowThatLosesMoneyHasANegativeRate) {
    // −1000 then +900 for one year: −10 %.
    CashFlowInputs in = flat();
    in.years = 1;
    in.revenue = 900;
    in.yearlyCosts = 0;
    const CashFlowResult r = cashFlow(in);
    ASSERT_TRUE(r.irr);
    EXPECT_NEAR(*r.irr, -0.10, 1e-9);
}

TEST(CashFlow, IndexationGrowsRevenueAndCostsFromTheSecondYear) {
    CashFlowInputs in = flat();
    in.revenue = 1000;
    in.yearlyCosts = 200;
    in.tariffIndexation = 0.02;
    in.costIndexation = 0.03;
    const CashFlowResult r = cashFlow(in);
    EXPECT_DOUBLE_EQ(r.years[1].revenue, 1000);
    EXPECT_DOUBLE_EQ(r.years[1].costs, 200);
    EXPECT_NEAR(r.years[3].revenue, 1000 * 1.02 * 1.02, 1e-9);  // 1040.4
    EXPECT_NEAR(r.years[3].costs, 200 * 1.03 * 1.03, 1e-9);     // 212.18
    EXPECT_NEAR(r.years[3].discounted, (1040.4 - 212.18) / std::pow(1.05, 3), 1e-9);
}

TEST(CashFlow, PaybackIsInterpolatedWithinTheYearItIsReached) {
    // −1000, then +300 a year: −700, −400, −100, +200 → 3 + 100/300 years.
    CashFlowInputs in = flat();
    in.revenue = 300;
    in.yearlyCosts = 0;
    const CashFlowResult r = cashFlow(in);
    ASSERT_TRUE(r.payback);
    EXPECT_NEAR(*r.payback, 3 + 1.0 / 3, 1e-12);
    // Subsidies count in year 0: 1000 − 400 = 600 → 2 years exactly.
    in.subsidies = 400;
    EXPECT_NEAR(*cashFlow(in).payback, 2.0, 1e-12);
    // Never reached within the contract.
    in.subsidies = 0;
    in.revenue = 10;
    EXPECT_FALSE(cashFlow(in).payback);
    // Nothing to pay back.
    in.subsidies = 1000;
    EXPECT_DOUBLE_EQ(*cashFlow(in).payback, 0.0);
}

TEST(CashFlow, LevelisedCostDiscountsCostsAndEnergyAlike) {
    // At 0 %: (1000 + 10·50) / (10·1000 kWh) = 0.15 €/kWh.
    CashFlowInputs in = flat();
    in.discountRate = 0;
    in.years = 10;
    EXPECT_NEAR(*cashFlow(in).levelisedCost, 0.15, 1e-12);
    // At 5 % over 20 years: (1000 + 50·a) / (1000·a), a the annuity factor.
    in = flat();
    const double a = (1 - std::pow(1.05, -20)) / 0.05;
    EXPECT_NEAR(*cashFlow(in).levelisedCost, (1000 + 50 * a) / (1000 * a), 1e-12);
    in.energy = 0;
    EXPECT_FALSE(cashFlow(in).levelisedCost);
}

TEST(CashFlow, BadInputsAreRefusedInFrench) {
    CashFlowInputs in = flat();
    in.discountRate = -1;
    EXPECT_EQ(cashFlowInputError(in), "Le taux d'actualisation doit être supérieur à -100 %.");
    in.discountRate = -1.5;
    EXPECT_TRUE(cashFlowInputError(in));
    EXPECT_THROW(cashFlow(in), CalcError);
    in = flat();
    in.years = 0;
    EXPECT_EQ(cashFlowInputError(in), "La durée du contrat doit être un nombre entier d'années, de 1 à 100.");
    in.years = 101;
    EXPECT_TRUE(cashFlowInputError(in));
    in = flat();
    in.costIndexation = -1;
    EXPECT_TRUE(cashFlowInputError(in));
    in = flat();
    in.revenue = INFINITY;
    EXPECT_TRUE(cashFlowInputError(in));
    in = flat();
    in.discountRate = -0.99;  // just above −100 %: a figure, not a refusal
    EXPECT_FALSE(cashFlowInputError(in));
    EXPECT_TRUE(std::isfinite(cashFlow(in).npv));
}

TEST(CashFlow, NoSignChangeGivesNoRateAndAFrenchNote) {
    // Subsidies above the investment and a positive flow every year: never negative.
    CashFlowInputs in = flat();
    in.subsidies = 1200;
    CashFlowResult r = cashFlow(in);
    EXPECT_FALSE(r.irr);
    EXPECT_NE(r.irrNote.find("Pas de taux de rentabilité interne"), std::string::npos);
    EXPECT_TRUE(std::isfinite(r.npv));
    // Costs above revenue every year: never positive.
    in = flat();
    in.revenue = 40;
    r = cashFlow(in);
    EXPECT_FALSE(r.irr);
    EXPECT_FALSE(r.irrNote.empty());
    // All flows zero: no rate either.
    EXPECT_FALSE(internalRate({0, 0, 0}));
}

TEST(CashFlow, PresentValueAndRateAgreeOnAKnownRoot) {
    // −100, +60, +60: 0 = −100 + 60x + 60x², x = 1/(1 + r) → r = 13.0662 %.
    const std::vector<double> flows{-100, 60, 60};
    const auto r = internalRate(flows);
    ASSERT_TRUE(r);
    const double x = (-60 + std::sqrt(3600 + 4 * 60 * 100)) / 120;
    EXPECT_NEAR(*r, 1 / x - 1, 1e-10);
    EXPECT_NEAR(presentValue(flows, *r), 0, 1e-8);
}

}  // namespace
}  // namespace aub

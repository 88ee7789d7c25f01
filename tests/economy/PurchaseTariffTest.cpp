#include "economy/PurchaseTariff.h"

#include <gtest/gtest.h>

#include "core/CalcError.h"

namespace aub {
namespace {

SaleInputs plant(double powerKw, double head) {
    SaleInputs in;
    in.installedPowerKw = powerKw;
    in.headM = head;
    in.winterShare = 0.5;
    return in;
}

TEST(PurchaseTariff, HeadBandsHoldTheirTariffAndInterpolateBetween) {
    TariffRule rule;
    rule.lowHead = 30;
    rule.highHead = 100;
    rule.lowHeadTariff = 14;
    rule.highHeadTariff = 7;
    EXPECT_DOUBLE_EQ(obligationTariff(rule, 2), 14);
    EXPECT_DOUBLE_EQ(obligationTariff(rule, 30), 14);    // the low band's edge
    EXPECT_DOUBLE_EQ(obligationTariff(rule, 65), 10.5);  // half way
    EXPECT_DOUBLE_EQ(obligationTariff(rule, 100), 7);    // the high band's edge
    EXPECT_DOUBLE_EQ(obligationTariff(rule, 400), 7);
}

TEST(PurchaseTariff, CeilingIsStrict) {
    TariffRule rule;  // 200 kW
    EXPECT_FALSE(saleRefusal(rule, plant(199.9, 10)));
    const auto refused = saleRefusal(rule, plant(200, 10));
    ASSERT_TRUE(refused);
    EXPECT_NE(refused->find("plafond de l'obligation d'achat (200 kW)"), std::string::npos);
    EXPECT_THROW(salePrice(rule, plant(250, 10)), CalcError);
    // The ceiling of the text of 22 May 2024 before 2026, typed by the person.
    rule.ceilingKw = 400;
    EXPECT_FALSE(saleRefusal(rule, plant(250, 10)));
}

TEST(PurchaseTariff, WinterAndSummerPricesWeighByTheWinterShare) {
    TariffRule rule;
    rule.lowHeadTariff = 10;
    rule.winterFactor = 1.5;
    rule.summerFactor = 0.75;
    SaleInputs in = plant(100, 10);
    in.winterShare = 0.4;
    const SalePrice p = salePrice(rule, in);
    EXPECT_DOUBLE_EQ(p.winter, 15);
    EXPECT_DOUBLE_EQ(p.summer, 7.5);
    EXPECT_DOUBLE_EQ(p.mean, 0.4 * 15 + 0.6 * 7.5);
}

TEST(PurchaseTariff, FixedPriceAndSelfConsumptionIgnoreTheCeiling) {
    TariffRule rule;
    SaleInputs in = plant(900, 10);
    in.mode = SaleMode::FixedPrice;
    in.fixedPrice = 6;
    EXPECT_DOUBLE_EQ(salePrice(rule, in).mean, 6);
    in.mode = SaleMode::SelfConsumption;
    in.selfShare = 0.25;
    in.savedPrice = 20;
    in.surplusPrice = 4;
    EXPECT_DOUBLE_EQ(salePrice(rule, in).mean, 0.25 * 20 + 0.75 * 4);
    in.selfShare = 1.2;
    EXPECT_TRUE(saleRefusal(rule, in));
}

TEST(PurchaseTariff, RuleOutOfOrderIsRefused) {
    TariffRule rule;
    rule.highHead = rule.lowHead;
    EXPECT_TRUE(saleRefusal(rule, plant(100, 10)));
    rule = TariffRule{};
    rule.lowHeadTariff = -1;
    EXPECT_TRUE(saleRefusal(rule, plant(100, 10)));
    EXPECT_TRUE(saleRefusal(TariffRule{}, plant(100, 0)));
}

}  // namespace
}  // namespace aub

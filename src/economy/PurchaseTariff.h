#pragma once
// The price of the energy sold, in c€/kWh, by the way it is sold.
//
// Purchase obligation for small hydro (order of 13 December 2016 on installations using
// the hydraulic energy of lakes, rivers and gravity-fed waters, as amended by the order
// of 22 May 2024): only a plant whose installed power is strictly below the ceiling may
// sign a purchase contract. The ceiling was 500 kW in 2016, 400 kW under the order of
// 22 May 2024 and 200 kW from 1 January 2026 (amended article 12, as reported by
// coussyavocats.com, 18 June 2024, and, for the draft, deklic.eco, 19 September 2023);
// the program follows the text in force from 1 January 2026 (200 kW), the ceiling being
// an input the person may change.
//
// The annex of the 2016 order (tariff by head and power band, winter and summer prices)
// could not be read from a stored copy: the head bands and tariffs below are placeholders,
// shown as "valeurs à vérifier". Published cross-checks: about 120 €/MWh with an optional
// winter/summer double tariff (collectif05rivieres.org, on the purchase-obligation
// regime); 35.0 M€ paid for 228 GWh under the contracts of that order in 2024, that is
// 15.4 c€/kWh on average, indexation included (EDF OA, « Statistiques filière
// hydraulique », data at 1 January 2025).
//
// Tariff rule (every coefficient an input of the window):
//   T(H) = T_low for H <= H_low, T_high for H >= H_high, linear in H between;
//   winter price = k_winter · T, summer price = k_summer · T;
//   mean price   = w · winter price + (1 − w) · summer price, w the winter share of the
//                  energy (0..1).
// A fixed selling price applies to all the energy; self-consumption values a share s of
// the energy at the price saved and the rest at the surplus price.
#include <optional>
#include <string>

namespace aub {

enum class SaleMode { PurchaseObligation, FixedPrice, SelfConsumption };

struct TariffRule {
    // P < ceiling: 200 kW from 1 January 2026 (order of 22 May 2024, article 12 as amended).
    double ceilingKw = 200;
    // The head bands and their tariffs could NOT be confirmed against the annex of the
    // order of 13 December 2016 by the searches made for this program: the figures below
    // are placeholders to be checked in the text, shown as such beside their boxes.
    double lowHead = 30, highHead = 100;               // m, not confirmed
    double lowHeadTariff = 13.2, highHeadTariff = 12;  // c€/kWh, not confirmed
    // One price the year round unless the person types a seasonal modulation.
    double winterFactor = 1, summerFactor = 1;
    // 20 years: the purchase contracts of the 2016 order run 20 years (arraa.org, «
    // hydroélectricité : nouvelles règles pour les subventions publiques », 3 January 2017,
    // which also recalls that a plant built with public investment aid is not taken).
    int contractYears = 20;
};

struct SaleInputs {
    SaleMode mode = SaleMode::PurchaseObligation;
    double installedPowerKw = 0;  // P, the largest electric power
    double headM = 0;             // H, the gross head
    double winterShare = 0;       // w, 0..1
    double fixedPrice = 0;        // c€/kWh
    double selfShare = 0;         // s, 0..1
    double savedPrice = 0;        // c€/kWh
    double surplusPrice = 0;      // c€/kWh
};

struct SalePrice {
    double winter = 0, summer = 0;  // c€/kWh (the same for a fixed price or self-consumption)
    double mean = 0;                // c€/kWh over the year's energy
};

// T(H) of the rule, c€/kWh.
double obligationTariff(const TariffRule& rule, double headM);

// The French refusal of a plant the purchase obligation does not take (power at or above
// the ceiling) or of a rule that is not one (bands in the wrong order, negative figures);
// nothing when the price can be given.
std::optional<std::string> saleRefusal(const TariffRule& rule, const SaleInputs& in);

// Throws CalcError with the text of saleRefusal.
SalePrice salePrice(const TariffRule& rule, const SaleInputs& in);

}  // namespace aub

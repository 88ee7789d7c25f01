#pragma once
// Indicative investment of a small hydro plant, split into the window's items, and the
// investment of the same site at another design flow.
//
// Whole plant: I = c · P, c the specific cost (€/kW) and P the installed electric power
// (kW). Default c: 3 850 €/kW, the middle of the range 2 100 … 5 600 €/kW that holds 75 %
// of the new plants audited by the French energy regulator (CRE, « Coûts et rentabilités
// de la petite hydroélectricité en métropole continentale », January 2020, synthesis).
// The report gives one range for every machine: the split into items below, by machine
// family, is the program's own indicative choice, not a published figure.
//
// The machine item, for the three turbines a published cost law covers, follows that
// law instead of its share of c · P (Lancaster University Renewable Energy Group, « Hydro
// Resource Evaluation Tool — Turbine Costs », fitted to manufacturers' prices, £ of 2008,
// P the turbine's power in kW, H the head in m, Q the design flow in m3/s):
//   Kaplan   C = 3 500 · P^0.68 for Q up to 5 m3/s, 14 000 · P^0.35 from 5 to 30 m3/s;
//   Francis  C = 122 000 · (P/√H)^0.07 for Q up to 2.5 m3/s, 223 000 · (P/√H)^0.11 from
//            2.5 to 10 m3/s, 16 500 · (P/√H)^0.52 above;
//   Pelton   C = 2 600 · P^0.54.
// The source's bands start at 0.5 m3/s; a smaller flow takes the first band, said
// outside the source's range. Pounds become euros at 1 € = 0.79628 £, the European
// Central Bank's mean reference rate of 2008 (a figure to check: not confirmed from a
// stored copy), with no price escalation since 2008. The other machines (wheels, screw,
// cross-flow, Turgo, propeller) keep their share of c · P.
//
// At another power P' the investment follows I' = I · (P'/P)^b; default b = 0.977, the
// power exponent of the initial-capital-cost model for new stream-reach plants, ICC =
// 9 605 710 · P^0.977 · H^−0.126 (2014 $, P in MW, H in ft) (Oak Ridge National
// Laboratory, « Hydropower Baseline Cost Modeling, Version 2 », 2015).
//
// Maintenance: 2.5 % of the investment per year, the share the same report takes as the
// upper bound of the yearly operation and maintenance cost.
#include <array>
#include <optional>
#include <string>

#include "energy/MachineEfficiency.h"

namespace aub {

inline constexpr double DefaultSpecificCost = 3850;       // €/kW
inline constexpr double DefaultCostExponent = 0.977;      // b
inline constexpr double DefaultMaintenanceShare = 0.025;  // of the investment, per year
inline constexpr double PoundsPerEuro2008 = 0.79628;      // £ for 1 €, mean of 2008 (to check)

// Studies and permits, civil works, machine, generator and switchgear, grid connection,
// miscellaneous.
inline constexpr int InvestmentItemCount = 6;
inline constexpr int MachineItem = 2;
using InvestmentItems = std::array<double, InvestmentItemCount>;

// The shares of the items (summing to 1) for a machine type.
InvestmentItems investmentShares(MachineType type);

// The published turbine cost (€, see the header) of a machine of `powerKw` under
// `headM` at the design flow `designFlow`; nothing for a type no law covers or for a
// power, head or flow that is not positive.
struct TurbineCostEstimate {
    double euros = 0;
    bool belowRange = false;  // design flow under the source's 0.5 m3/s
    std::string law;          // "Kaplan, 3 500·P^0,68 £ (Q jusqu'à 5 m3/s)"
};
std::optional<TurbineCostEstimate> publishedMachineCost(MachineType type, double powerKw, double headM,
                                                        double designFlow);

// The items, €, for a plant of `powerKw` at `specificCost` €/kW, the machine item taken
// from `machine` when there is one.
InvestmentItems investmentEstimate(MachineType type, double powerKw, double specificCost,
                                   const std::optional<TurbineCostEstimate>& machine = std::nullopt);

// I · (P'/P)^b; 0 for P' <= 0. Needs P > 0.
double scaledInvestment(double investment, double powerKw, double otherPowerKw, double exponent);

}  // namespace aub

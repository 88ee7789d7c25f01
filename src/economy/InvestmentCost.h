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
// At another power P' the investment follows I' = I · (P'/P)^b; default b = 0.977, the
// power exponent of the initial-capital-cost model for new stream-reach plants, ICC =
// 9 605 710 · P^0.977 · H^−0.126 (2014 $, P in MW, H in ft) (Oak Ridge National
// Laboratory, « Hydropower Baseline Cost Modeling, Version 2 », 2015).
//
// Maintenance: 2.5 % of the investment per year, the share the same report takes as the
// upper bound of the yearly operation and maintenance cost.
#include <array>

#include "energy/MachineEfficiency.h"

namespace aub {

inline constexpr double DefaultSpecificCost = 3850;       // €/kW
inline constexpr double DefaultCostExponent = 0.977;      // b
inline constexpr double DefaultMaintenanceShare = 0.025;  // of the investment, per year

// Studies and permits, civil works, machine, generator and switchgear, grid connection,
// miscellaneous.
inline constexpr int InvestmentItemCount = 6;
using InvestmentItems = std::array<double, InvestmentItemCount>;

// The shares of the items (summing to 1) for a machine type.
InvestmentItems investmentShares(const MachineType& type);

// The items, €, for a plant of `powerKw` at `specificCost` €/kW.
InvestmentItems investmentEstimate(const MachineType& type, double powerKw, double specificCost);

// I · (P'/P)^b; 0 for P' <= 0. Needs P > 0.
double scaledInvestment(double investment, double powerKw, double otherPowerKw, double exponent);

}  // namespace aub

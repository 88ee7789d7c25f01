#pragma once
// What a dated daily record tells beside the annual energy: its coverage and gaps, the
// module and the monthly mean flows, the dry monthly flow QMNA5, the energy of each
// calendar year, its P50 and P90, the mean energy of each calendar month and the share
// of the winter (November to March).
//
// - A year is kept for the yearly figures when at least 90 % of its days were read;
//   the others are named as left out.
// - The energy of a kept year is the mean electric power over its days read × the
//   hours of that calendar year (8 760 or 8 784).
// - P50 and P90 are the energies reached 5 and 9 years in 10: the 50 % and 10 %
//   quantiles of the yearly energies, read linearly between ranks (rank h = (n − 1)·q
//   in the energies sorted upwards).
// - QMNA5: the lowest monthly mean flow of each kept year, fitted by a log-normal law
//   on the mean m and sample standard deviation s of their natural logarithms,
//   QMNA5 = exp(m + s·z) with z = −0.8416, the standard normal quantile of 1/5.
//   Not given with fewer than two kept years or a month of zero mean flow.
// - The mean energy of a calendar month is its mean power × 24 h × its mean number of
//   days over the years read; the winter share is the energy of the November to March
//   days over the energy of all days.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "energy/AnnualEnergy.h"
#include "energy/DatedRecord.h"

namespace aub {

struct RecordCoverage {
    int firstDay = 0, lastDay = 0;  // first and last day read
    int daysRead = 0;
    int missingDays = 0;            // between the first and the last day
    int longestGap = 0;             // days
    int gapFirst = 0, gapLast = 0;  // the longest gap's first and last missing days
    double percent() const;         // days read over the span, %
};
RecordCoverage recordCoverage(const std::vector<RecordDay>& days);

// "couverture 97,3 % — 412 jours manquants, plus longue lacune 61 jours du 02/07/1976
// au 31/08/1976"; "couverture 100 % — aucun jour manquant" without gap.
std::string coverageText(const RecordCoverage& c);

struct RecordYear {
    int year = 0;
    int daysRead = 0, daysInYear = 365;
    bool kept = false;         // at least 90 % of its days
    double meanFlow = 0;       // m3/s
    double energy = 0;         // kWh, kept years only
    double lowestMonthly = 0;  // lowest monthly mean flow, m3/s, kept years only
};

struct RecordStatistics {
    RecordCoverage coverage;
    double module = 0;                               // mean of the days read, m3/s
    std::array<double, 12> monthlyFlow{};            // m3/s, January first; 0 for a month never read
    std::array<int, 12> monthDays{};                 // days read in each calendar month
    std::array<double, 12> monthlyEnergy{};          // kWh
    std::vector<RecordYear> years;                   // every calendar year met
    std::vector<int> leftOutYears;                   // those under 90 %
    std::optional<double> qmna5;                     // m3/s
    std::string qmna5Note;                           // why it is not given
    std::optional<double> meanYearEnergy, p50, p90;  // kWh/yr, with at least one kept year
    double winterShare = 0;                          // %
};

// The q-quantile (0..1) of values, linear between ranks; values need not be sorted.
double rankQuantile(std::vector<double> values, double q);

// `reservedByMonth` (m3/s, January first) replaces `m.reservedFlow` day by day.
RecordStatistics recordStatistics(const std::vector<RecordDay>& days, const SiteMachine& m,
                                  const std::array<double, 12>& reservedByMonth);
// The same from the expected electric power of each day (kW, plantSamples), so that the
// years and months share the plant's losses with the annual figure.
RecordStatistics recordStatistics(const std::vector<RecordDay>& days, const std::vector<double>& dailyPower);

// "1976, 1989" (the years left out), "" for none.
std::string yearList(const std::vector<int>& years);

}  // namespace aub

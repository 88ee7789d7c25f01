#include "energy/RecordStatistics.h"

#include <algorithm>
#include <cmath>

#include "core/NumberText.h"

namespace aub {

namespace {

constexpr double KeptShare = 0.9;         // share of a year's days to keep it
constexpr double DryQuantileZ = -0.8416;  // standard normal quantile of 0.2 (5-year dry)

bool leapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int daysInMonth(int year, unsigned month) {
    static constexpr int Days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && leapYear(year) ? 29 : Days[month - 1];
}

bool winterMonth(unsigned month) { return month >= 11 || month <= 3; }

// "97,3" with a decimal comma, as in the sentence it goes into.
std::string percentText(double p) {
    std::string s = formatMask(std::floor(p * 10) / 10, "0.0");
    if (s.size() > 2 && s.compare(s.size() - 2, 2, ".0") == 0) s.erase(s.size() - 2);
    for (char& c : s)
        if (c == '.') c = ',';
    return s;
}

}  // namespace

double RecordCoverage::percent() const {
    const int span = lastDay - firstDay + 1;
    return span > 0 ? 100.0 * daysRead / span : 0;
}

RecordCoverage recordCoverage(const std::vector<RecordDay>& days) {
    RecordCoverage c;
    if (days.empty()) return c;
    c.firstDay = days.front().day;
    c.lastDay = days.back().day;
    c.daysRead = static_cast<int>(days.size());
    c.missingDays = c.lastDay - c.firstDay + 1 - c.daysRead;
    for (std::size_t i = 1; i < days.size(); ++i) {
        const int gap = days[i].day - days[i - 1].day - 1;
        if (gap > c.longestGap) {
            c.longestGap = gap;
            c.gapFirst = days[i - 1].day + 1;
            c.gapLast = days[i].day - 1;
        }
    }
    return c;
}

std::string coverageText(const RecordCoverage& c) {
    // Floor so that a record missing a day never shows 100 %.
    std::string s = "couverture " + percentText(c.percent()) + " % — ";
    if (c.missingDays == 0) return s + "aucun jour manquant";
    s += std::to_string(c.missingDays) + (c.missingDays == 1 ? " jour manquant" : " jours manquants");
    s += ", plus longue lacune " + std::to_string(c.longestGap) + (c.longestGap == 1 ? " jour" : " jours");
    if (c.longestGap == 1) return s + " le " + dayText(c.gapFirst);
    return s + " du " + dayText(c.gapFirst) + " au " + dayText(c.gapLast);
}

double rankQuantile(std::vector<double> values, double q) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const double h = (static_cast<double>(values.size()) - 1) * std::clamp(q, 0.0, 1.0);
    const auto lo = static_cast<std::size_t>(std::floor(h));
    const std::size_t hi = std::min(lo + 1, values.size() - 1);
    return values[lo] + (h - static_cast<double>(lo)) * (values[hi] - values[lo]);
}

std::string yearList(const std::vector<int>& years) {
    std::string s;
    for (std::size_t i = 0; i < years.size(); ++i) s += (i ? ", " : "") + std::to_string(years[i]);
    return s;
}

RecordStatistics recordStatistics(const std::vector<RecordDay>& days, const SiteMachine& m,
                                  const std::array<double, 12>& reservedByMonth) {
    SiteMachine byMonth = m;
    byMonth.reservedByMonth = true;
    byMonth.monthlyReserved = reservedByMonth;
    return recordStatistics(days, plantSamples(FlowRegime::fromDatedRecord(days), byMonth).power);
}

RecordStatistics recordStatistics(const std::vector<RecordDay>& days, const std::vector<double>& dailyPower) {
    RecordStatistics st;
    st.coverage = recordCoverage(days);
    if (days.empty()) return st;

    // Day by day: the power with that month's reserved flow, summed by year and month.
    struct MonthSum {
        double flow = 0, power = 0;
        int days = 0;
    };
    struct YearSum {
        int year = 0;
        std::array<MonthSum, 12> months{};
    };
    std::vector<YearSum> years;
    double flowSum = 0, powerSum = 0, winterPower = 0;
    for (std::size_t i = 0; i < days.size(); ++i) {
        const RecordDay& d = days[i];
        const CivilDay c = civilDay(d.day);
        if (years.empty() || years.back().year != c.year) years.push_back({c.year, {}});
        const std::size_t mi = c.month - 1;
        const double p = i < dailyPower.size() ? dailyPower[i] : 0.0;
        MonthSum& ms = years.back().months[mi];
        ms.flow += d.flow;
        ms.power += p;
        ++ms.days;
        flowSum += d.flow;
        powerSum += p;
        if (winterMonth(c.month)) winterPower += p;
    }
    const double n = static_cast<double>(days.size());
    st.module = flowSum / n;
    st.winterShare = powerSum > 0 ? 100.0 * winterPower / powerSum : 0;

    // Calendar months over all years.
    std::array<double, 12> monthFlow{}, monthPower{}, monthLength{};
    std::array<int, 12> monthYears{};
    for (const YearSum& y : years)
        for (std::size_t i = 0; i < 12; ++i) {
            const MonthSum& ms = y.months[i];
            if (ms.days == 0) continue;
            monthFlow[i] += ms.flow;
            monthPower[i] += ms.power;
            st.monthDays[i] += ms.days;
            monthLength[i] += daysInMonth(y.year, static_cast<unsigned>(i + 1));
            ++monthYears[i];
        }
    for (std::size_t i = 0; i < 12; ++i) {
        if (st.monthDays[i] == 0) continue;
        st.monthlyFlow[i] = monthFlow[i] / st.monthDays[i];
        st.monthlyEnergy[i] = monthPower[i] / st.monthDays[i] * 24.0 * monthLength[i] / monthYears[i];
    }

    // Calendar years.
    std::vector<double> energies, logLows;
    bool zeroMonth = false;
    for (const YearSum& y : years) {
        RecordYear ry;
        ry.year = y.year;
        ry.daysInYear = leapYear(y.year) ? 366 : 365;
        double flow = 0, power = 0;
        double lowest = -1;
        for (const MonthSum& ms : y.months) {
            ry.daysRead += ms.days;
            flow += ms.flow;
            power += ms.power;
            if (ms.days > 0) {
                const double mean = ms.flow / ms.days;
                if (lowest < 0 || mean < lowest) lowest = mean;
            }
        }
        ry.meanFlow = ry.daysRead > 0 ? flow / ry.daysRead : 0;
        ry.kept = ry.daysRead >= KeptShare * ry.daysInYear;
        if (ry.kept) {
            ry.energy = power / ry.daysRead * 24.0 * ry.daysInYear;
            ry.lowestMonthly = lowest;
            energies.push_back(ry.energy);
            if (lowest > 0)
                logLows.push_back(std::log(lowest));
            else
                zeroMonth = true;
        } else {
            st.leftOutYears.push_back(y.year);
        }
        st.years.push_back(ry);
    }
    if (!energies.empty()) {
        double sum = 0;
        for (double e : energies) sum += e;
        st.meanYearEnergy = sum / static_cast<double>(energies.size());
        st.p50 = rankQuantile(energies, 0.5);
        st.p90 = rankQuantile(energies, 0.1);
    }
    if (zeroMonth) {
        st.qmna5Note = "QMNA5 non calculé : une année a un mois de débit moyen nul.";
    } else if (logLows.size() < 2) {
        st.qmna5Note = "QMNA5 non calculé : il faut au moins deux années complètes (90 % de leurs jours).";
    } else {
        const double k = static_cast<double>(logLows.size());
        double mean = 0;
        for (double v : logLows) mean += v;
        mean /= k;
        double var = 0;
        for (double v : logLows) var += (v - mean) * (v - mean);
        const double s = std::sqrt(var / (k - 1));
        st.qmna5 = std::exp(mean + s * DryQuantileZ);
    }
    return st;
}

}  // namespace aub

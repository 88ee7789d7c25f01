#include "energy/MachineEfficiency.h"

#include <algorithm>
#include <cmath>

namespace aub {

namespace {

struct TypeData {
    MachineType type;
    const char* caption;
    double peak;            // water wheels only
    double minimumPercent;  // typical stop flow, % of Qd
};

// Peak efficiencies of gravity water wheels:
//  - overshot 0.85 and breastshot 0.75 to 0.80: E. Quaranta, R. Revelli, "Gravity water
//    wheels as a micro hydropower energy source: a review based on historic data, design
//    methods, efficiencies and modern optimizations", Renewable and Sustainable Energy
//    Reviews 97 (2018) 414-427 (maximum efficiency about 85 % for overshot wheels,
//    75 to 80 % for breastshot wheels depending on the inflow). The plain breastshot wheel
//    takes the lower figure, the Sagebien wheel (a breastshot wheel with straight
//    inclined blades entering the water without shock) the upper one.
//  - the same review gives about 85 % for modern undershot wheels that also work by the
//    weight of the water; the old undershot wheel with flat blades struck by the current
//    reaches about 30 % (the undershot window of this program computes 27 to 30 %), and
//    built Poncelet wheels 55 to 65 % (65 % at most, notice of the Poncelet wheel model,
//    Science Museum, London, object 1891-109): those lower figures are used here.
// Stop flows of turbines, % of the design flow: typical minimum technical flows of the
// European Small Hydropower Association, "Guide on how to develop a small hydropower
// plant" (ESHA, 2004), chapter 4: Pelton 10, Turgo 20, cross-flow 15, Francis 30,
// Kaplan 15, propeller 75. Wheels turn with partly filled buckets: 10 %. The Archimedes
// screw: 10 % (makers claim operation down to 5 % of the design flow, 3 Helix Power,
// "Archimedes screws"; the program keeps the wheels' more prudent figure).
constexpr TypeData Types[MachineTypeCount] = {
    {MachineType::Overshot, "Roue en dessus", 0.85, 10},
    {MachineType::Breastshot, "Roue de côté", 0.75, 10},
    {MachineType::Undershot, "Roue en dessous", 0.30, 10},
    {MachineType::Poncelet, "Roue Poncelet", 0.65, 10},
    {MachineType::Sagebien, "Roue Sagebien", 0.80, 10},
    {MachineType::CrossFlow, "Turbine Banki (cross-flow)", 0, 15},
    {MachineType::Pelton, "Turbine Pelton", 0, 10},
    {MachineType::Turgo, "Turbine Turgo", 0, 20},
    {MachineType::Francis, "Turbine Francis", 0, 30},
    {MachineType::Kaplan, "Turbine Kaplan", 0, 15},
    {MachineType::Propeller, "Turbine hélice", 0, 75},
    {MachineType::ArchimedesScrew, "Vis hydrodynamique", 0, 10},
};

const TypeData& data(MachineType type) { return Types[static_cast<int>(type)]; }

// A finite value, not below zero.
double clean(double e) { return std::isfinite(e) && e > 0 ? e : 0.0; }

double runnerThroat(double qd) {
    const double d = 0.46 * std::pow(qd, 0.473);
    return d >= 1.8 ? 0.41 * std::pow(qd, 0.473) : d;
}

double francis(const MachineDesign& m, double q) {
    const double qd = m.designFlow;
    const double d = runnerThroat(qd);
    const double nq = 600.0 * std::pow(m.ratedHead, -0.5);
    const double dNq = std::pow((nq - 56.0) / 256.0, 2);
    const double dD = (0.081 + dNq) * (1.0 - 0.789 * std::pow(d, -0.2));
    const double ep = (0.919 - dNq + dD) - 0.0305 + 0.005 * m.rm;
    const double qp = 0.65 * qd * std::pow(nq, 0.05);
    if (q < qp) return (1.0 - 1.25 * std::pow((qp - q) / qp, 3.94 - 0.0195 * nq)) * ep;
    const double er = (1.0 - 0.0072 * std::pow(nq, 0.4)) * ep;
    if (qd <= qp) return ep;
    return ep - std::pow((q - qp) / (qd - qp), 2) * (ep - er);
}

double axialPeak(const MachineDesign& m) {
    const double d = runnerThroat(m.designFlow);
    const double nq = 800.0 * std::pow(m.ratedHead, -0.5);
    const double dNq = std::pow((nq - 170.0) / 700.0, 2);
    const double dD = (0.095 + dNq) * (1.0 - 0.789 * std::pow(d, -0.2));
    return (0.905 - dNq + dD) - 0.0305 + 0.005 * m.rm;
}

double kaplan(const MachineDesign& m, double q) {
    const double qp = 0.75 * m.designFlow;
    return (1.0 - 3.5 * std::pow(std::fabs(qp - q) / qp, 6)) * axialPeak(m);
}

double propeller(const MachineDesign& m, double q) {
    const double qp = m.designFlow;
    return (1.0 - 1.25 * std::pow(std::fabs(qp - q) / qp, 1.13)) * axialPeak(m);
}

double pelton(const MachineDesign& m, double q) {
    const double j = m.jets;
    const double n = 31.0 * std::sqrt(m.ratedHead * m.designFlow / j);
    const double d = 49.4 * std::sqrt(m.ratedHead) * std::pow(j, 0.02) / n;
    const double ep = 0.864 * std::pow(d, 0.04);
    const double qp = (0.662 + 0.001 * j) * m.designFlow;
    return (1.0 - (1.31 + 0.025 * j) * std::pow(std::fabs(qp - q) / qp, 5.6 + 0.4 * j)) * ep;
}

double crossFlow(const MachineDesign& m, double q) {
    const double r = (m.designFlow - q) / m.designFlow;
    return 0.79 - 0.15 * r - 1.37 * std::pow(r, 14);
}

double wheel(MachineType type, const MachineDesign& m, double q) {
    const double peak = data(type).peak;
    const double f = q / m.designFlow;
    if (f >= 0.3) return peak;
    // Straight lines through (0, 0), (0.1, 0.5 peak), (0.2, 0.85 peak), (0.3, peak).
    if (f >= 0.2) return peak * (0.85 + (f - 0.2) / 0.1 * 0.15);
    if (f >= 0.1) return peak * (0.5 + (f - 0.1) / 0.1 * 0.35);
    return peak * 5.0 * f;
}

// Archimedes screw, machine alone (water to shaft), indicative figures:
//  - peak 0.85: makers give up to 87 % water to shaft and 77 % water to wire (3 Helix Power,
//    "Archimedes screws"; Eco Evolution, "Archimedean screw hydro turbine"); the field survey
//    of A. Lashofer et al., "State of technology and design guidelines for the Archimedes
//    screw turbine", Hydro 2012, found plant efficiencies of 69 % on average and above 75 %
//    for the best six, water to wire; 0.85 is taken for a good machine rather than the best;
//  - the shape: "highly efficient down to 20 % of maximum flow" (Eco Evolution) and "a very
//    flat efficiency curve" (3 Helix Power); the points 0.95 × peak at 20 %, 0.8 × at 10 % and
//    0.6 × at 5 % are the program's reading of those statements, not measured values.
double screwEfficiency(double f) {
    constexpr double Peak = 0.85;
    struct Point {
        double f, share;
    };
    constexpr Point Curve[] = {{0, 0}, {0.05, 0.6}, {0.1, 0.8}, {0.2, 0.95}, {0.3, 1}};
    if (f >= 0.3) return Peak;
    for (int i = 1; i < 5; ++i)
        if (f <= Curve[i].f) {
            const Point a = Curve[i - 1], b = Curve[i];
            return Peak * (a.share + (f - a.f) / (b.f - a.f) * (b.share - a.share));
        }
    return Peak;
}

}  // namespace

const char* machineCaption(MachineType type) { return data(type).caption; }

MachineType machineAt(int index) { return Types[std::clamp(index, 0, MachineTypeCount - 1)].type; }

bool isWheel(MachineType type) { return data(type).peak > 0; }

bool usesJets(MachineType type) { return type == MachineType::Pelton || type == MachineType::Turgo; }

bool usesRm(MachineType type) {
    return type == MachineType::Francis || type == MachineType::Kaplan || type == MachineType::Propeller;
}

double machineEfficiency(MachineType type, const MachineDesign& m, double q) {
    if (!(m.designFlow > 0) || !(q > 0)) return 0.0;
    if (isWheel(type)) return clean(wheel(type, m, q));
    if (type == MachineType::ArchimedesScrew) return clean(screwEfficiency(q / m.designFlow));
    if (!(m.ratedHead > 0)) return 0.0;
    switch (type) {
        case MachineType::CrossFlow:
            return clean(crossFlow(m, q));
        case MachineType::Pelton:
            return clean(pelton(m, q));
        case MachineType::Turgo:
            return clean(pelton(m, q) - 0.03);
        case MachineType::Francis:
            return clean(francis(m, q));
        case MachineType::Kaplan:
            return clean(kaplan(m, q));
        case MachineType::Propeller:
            return clean(propeller(m, q));
        default:
            return 0.0;
    }
}

std::array<double, 10> efficiencyTable(MachineType type, const MachineDesign& design) {
    std::array<double, 10> table{};
    for (int i = 0; i < 10; ++i) table[i] = machineEfficiency(type, design, design.designFlow * (i + 1) / 10.0);
    return table;
}

double defaultMinimumFlowPercent(MachineType type) { return data(type).minimumPercent; }

double wheelPeakEfficiency(MachineType type) { return data(type).peak; }

bool francisHeadTooLow(double ratedHead) { return 3.94 - 0.0195 * 600.0 / std::sqrt(ratedHead) <= 0; }

std::string defaultCurveOutsideSource(MachineType type, double ratedHead) {
    if (type != MachineType::Francis || !(ratedHead > 0) || !francisHeadTooLow(ratedHead)) return {};
    // The head in the message's prose, with a decimal comma like the range beside it.
    std::string head = std::to_string(std::lround(ratedHead * 10));
    if (head.size() < 2) head.insert(0, 1, '0');
    head.insert(head.size() - 1, 1, ',');
    return "Courbe de rendement par défaut de la turbine Francis utilisée hors du domaine de sa source "
           "(Clean Energy Project Analysis, CANMET 2004) : ses formules ne valent que pour une chute nette "
           "de plus de 8,8 m, la chute nette est ici de " +
           head + " m. Vérifiez les rendements.";
}

}  // namespace aub

#include "energy/MachineEfficiency.h"

#include <cmath>
#include <stdexcept>
#include <string_view>

#include "core/FormulaCode.h"

namespace aub {

namespace {

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

double wheel(const MachineType& type, const MachineDesign& m, double q) {
    const double peak = type.wheelPeak;
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

// The curves of the table, each with the signature of MachineType::curve.
double crossFlowCurve(const MachineType&, const MachineDesign& m, double q) { return crossFlow(m, q); }
double peltonCurve(const MachineType&, const MachineDesign& m, double q) { return pelton(m, q); }
double turgoCurve(const MachineType&, const MachineDesign& m, double q) { return pelton(m, q) - 0.03; }
double francisCurve(const MachineType&, const MachineDesign& m, double q) { return francis(m, q); }
double kaplanCurve(const MachineType&, const MachineDesign& m, double q) { return kaplan(m, q); }
double propellerCurve(const MachineType&, const MachineDesign& m, double q) { return propeller(m, q); }
double screwCurve(const MachineType&, const MachineDesign& m, double q) { return screwEfficiency(q / m.designFlow); }
// The table's own name for the Francis range, inside this file: a record's function is then
// one the compiler can compare while it checks the table (an outside function's address is
// not a constant to it when the build checks for undefined behaviour).
bool francisOutside(double ratedHead) { return francisHeadTooLow(ratedHead); }

constexpr const char* Canmet =
    "Clean Energy Project Analysis: Engineering & Cases Textbook, CANMET Energy Technology Centre, Natural "
    "Resources Canada, 2004, small-hydro chapter, turbine efficiency; stop flow: ESHA, Guide on how to develop a "
    "small hydropower plant, 2004, chapter 4";
constexpr const char* WheelReview =
    "E. Quaranta, R. Revelli, Gravity water wheels as a micro hydropower energy source, Renewable and "
    "Sustainable Energy Reviews 97 (2018) 414-427";

// The machine types of the annual energy, in the order of the window's list. Peak
// efficiencies of gravity water wheels:
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
// The default curves as the dossier's method states them.
constexpr const char* WheelMethod =
    "courbe plate au rendement de pointe du type dès 30 % du débit d'équipement, 0,85 fois ce rendement à 20 % et 0,5 "
    "fois à 10 %.";
constexpr const char* ScrewMethod =
    "0,85 dès 30 % du débit d'équipement, 0,95 fois cette valeur à 20 %, 0,8 fois à 10 %, 0,6 fois à 5 %.";
constexpr const char* CanmetMethod =
    "équations de pré-faisabilité de « Clean Energy Project Analysis: Engineering & Cases Textbook » (CANMET, "
    "Ressources naturelles Canada, 2004), chapitre de la petite hydraulique, pour le débit d'équipement et la chute "
    "nette du site.";

constexpr MachineType Types[] = {
    {.caption = "Roue en dessus",
     .curve = wheel,
     .shareOfDesignFlow = true,
     .minimumFlowPercent = 10,
     .wheelPeak = 0.85,
     .sources = WheelReview,
     .curveMethod = WheelMethod,
     .helpRecord = 18,
     .zone = "Roue en dessus"},
    {.caption = "Roue de côté",
     .curve = wheel,
     .shareOfDesignFlow = true,
     .minimumFlowPercent = 10,
     .wheelPeak = 0.75,
     .sources = WheelReview,
     .curveMethod = WheelMethod,
     .helpRecord = number(FormulaCode::BreastshotWheel),
     .zone = "Roue de côté (de poitrine)"},
    {.caption = "Roue en dessous",
     .curve = wheel,
     .shareOfDesignFlow = true,
     .minimumFlowPercent = 10,
     .wheelPeak = 0.30,
     .sources = WheelReview,
     .curveMethod = WheelMethod,
     .helpRecord = number(FormulaCode::UndershotWheel),
     .zone = "Roues en dessous, Poncelet, Sagebien"},
    {.caption = "Roue Poncelet",
     .curve = wheel,
     .shareOfDesignFlow = true,
     .minimumFlowPercent = 10,
     .wheelPeak = 0.65,
     .sources = "Science Museum, London, Poncelet wheel model, object 1891-109; E. Quaranta, R. Revelli (2018)",
     .curveMethod = WheelMethod,
     .helpRecord = number(FormulaCode::PonceletWheel),
     .zone = "Roues en dessous, Poncelet, Sagebien"},
    {.caption = "Roue Sagebien",
     .curve = wheel,
     .shareOfDesignFlow = true,
     .minimumFlowPercent = 10,
     .wheelPeak = 0.80,
     .sources = WheelReview,
     .curveMethod = WheelMethod,
     .helpRecord = number(FormulaCode::SagebienWheel),
     .zone = "Roues en dessous, Poncelet, Sagebien"},
    {.caption = "Turbine Banki (cross-flow)",
     .curve = crossFlowCurve,
     .shareOfDesignFlow = true,
     .minimumFlowPercent = 15,
     .sources = Canmet,
     .curveMethod = CanmetMethod,
     .helpRecord = 28,
     .zone = "Banki (cross-flow)"},
    {.caption = "Turbine Pelton",
     .curve = peltonCurve,
     .minimumFlowPercent = 10,
     .jets = true,
     .sources = Canmet,
     .curveMethod = CanmetMethod,
     .zone = "Pelton"},
    {.caption = "Turbine Turgo",
     .curve = turgoCurve,
     .minimumFlowPercent = 20,
     .jets = true,
     .sources = Canmet,
     .curveMethod = CanmetMethod,
     .zone = "Turgo"},
    {.caption = "Turbine Francis",
     .curve = francisCurve,
     .minimumFlowPercent = 30,
     .rm = true,
     .outsideSource = francisOutside,
     .validRange = "une chute nette de plus de 8,8 m",
     .shortSource = "Clean Energy Project Analysis, CANMET 2004",
     .sources = Canmet,
     .curveMethod = CanmetMethod,
     .zone = "Francis"},
    {.caption = "Turbine Kaplan",
     .curve = kaplanCurve,
     .minimumFlowPercent = 15,
     .rm = true,
     .sources = Canmet,
     .curveMethod = CanmetMethod,
     .zone = "Kaplan et hélice"},
    {.caption = "Turbine hélice",
     .curve = propellerCurve,
     .minimumFlowPercent = 75,
     .rm = true,
     .sources = Canmet,
     .curveMethod = CanmetMethod,
     .zone = "Kaplan et hélice"},
    {.caption = "Vis hydrodynamique",
     .curve = screwCurve,
     .shareOfDesignFlow = true,
     .minimumFlowPercent = 10,
     .sources = "3 Helix Power, Archimedes screws; Eco Evolution, Archimedean screw hydro turbine; A. Lashofer et "
                "al., State of technology and design guidelines for the Archimedes screw turbine, Hydro 2012",
     .curveMethod = ScrewMethod,
     .helpRecord = number(FormulaCode::ArchimedesScrew),
     .zone = "Vis hydrodynamique"},
};

constexpr std::string_view DefaultCaption = "Turbine Banki (cross-flow)";

constexpr bool filled(const char* s) { return s != nullptr && s[0] != '\0'; }

// Each record whole: a caption of its own, a curve, its sources, a stop flow that is a
// share of Qd, a peak for a wheel, the range and source of a warning that has one.
constexpr bool wholeRecords() {
    for (const MachineType& t : Types) {
        if (!filled(t.caption) || t.curve == nullptr || !filled(t.sources) || !filled(t.curveMethod) ||
            t.zone == nullptr)
            return false;
        if (!(t.minimumFlowPercent >= 0 && t.minimumFlowPercent <= 100)) return false;
        if ((t.curve == wheel) != (t.wheelPeak > 0) || t.wheelPeak > 1) return false;
        if (t.outsideSource != nullptr && (!filled(t.validRange) || !filled(t.shortSource))) return false;
        for (const MachineType& u : Types)
            if (&u != &t && std::string_view(u.caption) == t.caption) return false;
    }
    return true;
}
static_assert(wholeRecords(),
              "a machine type lacks its caption, curve, sources, curve method or stop flow, or repeats a caption");

constexpr const MachineType* find(std::string_view caption) {
    for (const MachineType& t : Types)
        if (caption == t.caption) return &t;
    return nullptr;
}
static_assert(find(DefaultCaption) != nullptr, "the default machine names no type of the table");

}  // namespace

std::span<const MachineType> machineTypes() { return Types; }

const MachineType& defaultMachineType() { return *find(DefaultCaption); }

const MachineType* findMachineType(std::string_view caption) { return find(caption); }

const MachineType& machineType(std::string_view caption) {
    if (const MachineType* t = find(caption)) return *t;
    throw std::out_of_range("no machine type " + std::string(caption));
}

bool isWheel(const MachineType& type) { return type.wheelPeak > 0; }

double machineEfficiency(const MachineType& type, const MachineDesign& m, double q) {
    if (!(m.designFlow > 0) || !(q > 0)) return 0.0;
    if (!type.shareOfDesignFlow && !(m.ratedHead > 0)) return 0.0;
    return clean(type.curve(type, m, q));
}

std::array<double, 10> efficiencyTable(const MachineType& type, const MachineDesign& design) {
    std::array<double, 10> table{};
    for (int i = 0; i < 10; ++i) table[i] = machineEfficiency(type, design, design.designFlow * (i + 1) / 10.0);
    return table;
}

bool francisHeadTooLow(double ratedHead) { return 3.94 - 0.0195 * 600.0 / std::sqrt(ratedHead) <= 0; }

std::string defaultCurveOutsideSource(const MachineType& type, double ratedHead) {
    if (type.outsideSource == nullptr || !(ratedHead > 0) || !type.outsideSource(ratedHead)) return {};
    // The head in the message's prose, with a decimal comma like the range beside it.
    std::string head = std::to_string(std::lround(ratedHead * 10));
    if (head.size() < 2) head.insert(0, 1, '0');
    head.insert(head.size() - 1, 1, ',');
    // "de la turbine Francis": the caption after the article, its first letter small.
    std::string name = type.caption;
    if (!name.empty() && name[0] >= 'A' && name[0] <= 'Z') name[0] = static_cast<char>(name[0] - 'A' + 'a');
    return "Courbe de rendement par défaut de la " + name + " utilisée hors du domaine de sa source (" +
           type.shortSource + ") : ses formules ne valent que pour " + type.validRange +
           ", la chute nette est ici de " + head + " m. Vérifiez les rendements.";
}

}  // namespace aub

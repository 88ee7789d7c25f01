#pragma once
// Efficiency of a water machine at part flow, as a fraction 0..1 of the water power
// (machine alone: transmission and generator are applied separately).
//
// Turbines follow the pre-feasibility equations of the small-hydro chapter of
// "Clean Energy Project Analysis: Engineering & Cases Textbook" (CANMET Energy
// Technology Centre, Natural Resources Canada, 2004, ISBN 0-662-35671-3, section
// on turbine efficiency). Qd design flow (m3/s), h rated head (m), Rm manufacture /
// design coefficient (2.8 to 6.1, 4.5 typical), j number of jets:
//  - reaction runner throat d = 0.46·Qd^0.473, or 0.41·Qd^0.473 when that reaches 1.8 m;
//  - Francis: nq = 600·h^-0.5, Δe_nq = ((nq − 56)/256)², Δe_d = (0.081 + Δe_nq)(1 − 0.789·d^-0.2),
//    ep = (0.919 − Δe_nq + Δe_d) − 0.0305 + 0.005·Rm, Qp = 0.65·Qd·nq^0.05;
//    below Qp e = {1 − 1.25·((Qp − Q)/Qp)^(3.94 − 0.0195·nq)}·ep;
//    above Qp e = ep − ((Q − Qp)/(Qd − Qp))²·(ep − er), er = (1 − 0.0072·nq^0.4)·ep;
//  - Kaplan and propeller: nq = 800·h^-0.5, Δe_nq = ((nq − 170)/700)²,
//    Δe_d = (0.095 + Δe_nq)(1 − 0.789·d^-0.2), ep = (0.905 − Δe_nq + Δe_d) − 0.0305 + 0.005·Rm;
//    Kaplan Qp = 0.75·Qd, e = [1 − 3.5·((Qp − Q)/Qp)^6]·ep on both sides of Qp;
//    propeller Qp = Qd, e = [1 − 1.25·((Qp − Q)/Qp)^1.13]·ep;
//  - Pelton: n = 31·(h·Qd/j)^0.5, d = 49.4·h^0.5·j^0.02/n, ep = 0.864·d^0.04,
//    Qp = (0.662 + 0.001·j)·Qd, e = [1 − (1.31 + 0.025·j)·(|Qp − Q|/Qp)^(5.6 + 0.4·j)]·ep
//    on both sides of Qp; Turgo: the Pelton value − 0.03;
//  - cross-flow: e = 0.79 − 0.15·(Qd − Q)/Qd − 1.37·((Qd − Q)/Qd)^14.
// A value below zero counts as zero. The Francis part-load law has a positive
// exponent only for nq < 202, that is a rated head above 8.8 m; below it the
// equations give no useful curve (see francisHeadTooLow).
//
// Water wheels have no such law: their curve is flat at the peak efficiency of the
// type from 30 % of Qd up (see wheelPeakEfficiency for the figures and their sources),
// 0.85 × peak at 20 % and 0.5 × peak at 10 %.
//
// The Archimedes screw ("Vis hydrodynamique") keeps its efficiency over most of the flow
// range, its main advantage: flat at 0.85 from 30 % of Qd up, 0.95 × that at 20 %, 0.8 × at
// 10 %, 0.6 × at 5 %, straight lines between and down to zero (see screwEfficiency for the
// sources of these indicative figures).
#include <array>
#include <span>
#include <string>
#include <string_view>

namespace aub {

struct MachineDesign {
    double designFlow = 0;  // Qd, m3/s, > 0
    double ratedHead = 0;   // h = Hb − hL, m, > 0
    double rm = 4.5;        // manufacture / design coefficient
    int jets = 1;           // Pelton and Turgo, 1..6
};

// One machine type of the annual energy, with every fact the program knows of it. The
// window's list, its default, the efficiency, the boxes it enables, the warnings, the
// stored studies and the command line all read these records; adding a type is adding
// one record to the table in MachineEfficiency.cpp (the build refuses a record without
// its caption, curve or source).
struct MachineType {
    const char* caption = "";  // the list entry, and the name studies store
    // The efficiency of a machine of that design at the flow q (0 < q <= Qd), any value
    // (machineEfficiency makes it finite and not below zero).
    double (*curve)(const MachineType& type, const MachineDesign& design, double q) = nullptr;
    // True when the curve depends on q / Qd alone (wheels, screw, cross-flow): the head
    // and the size of the machine do not change it.
    bool shareOfDesignFlow = false;
    double minimumFlowPercent = 0;  // usual stop flow, % of Qd (editable by the person)
    double wheelPeak = 0;           // the flat top of a water wheel's curve; 0 for another machine
    bool jets = false;              // the number of jets counts (impulse turbines)
    bool rm = false;                // the manufacture coefficient Rm counts (reaction turbines)
    // The range of the source's equations: `outsideSource(h)` is true when the rated head h
    // lies outside it, `validRange` says that range in the warning's prose; null when the
    // curve holds for any head.
    bool (*outsideSource)(double ratedHead) = nullptr;
    const char* validRange = "";
    const char* shortSource = "";  // the source named in a warning
    const char* sources = "";      // where the curve and the figures come from
    // How the default curve is drawn, as the dossier's method states it.
    const char* curveMethod = "";
    // The help record of the program's window that designs this machine (0: none).
    int helpRecord = 0;
    // Its field of use on the flow–head chart of the machines (a zone of
    // DomainesMachines.txt), "" when the chart has none of its own.
    const char* zone = "";
};

// Every type, in the order of the window's list.
std::span<const MachineType> machineTypes();
// The type the window starts with (the cross-flow turbine, chosen by its caption).
const MachineType& defaultMachineType();
// The type of that caption, or null.
const MachineType* findMachineType(std::string_view caption);
// The type of that caption, for code that names one; std::out_of_range when the table
// holds none.
const MachineType& machineType(std::string_view caption);

bool isWheel(const MachineType& type);

// Efficiency at the flow q (0 <= q <= Qd), 0..1, never negative nor infinite.
double machineEfficiency(const MachineType& type, const MachineDesign& design, double q);

// The ten values at 10 %, 20 % ... 100 % of Qd.
std::array<double, 10> efficiencyTable(const MachineType& type, const MachineDesign& design);

// True when the Francis equations leave their range (rated head under 8.8 m).
bool francisHeadTooLow(double ratedHead);

// The warning for a type's default curve used outside the range its source covers
// (today the Francis equations under 8.8 m of rated head): it says the curve is used
// "hors du domaine" of its source and names that range and the head of the site.
// Empty when the curve is within its range.
std::string defaultCurveOutsideSource(const MachineType& type, double ratedHead);

}  // namespace aub

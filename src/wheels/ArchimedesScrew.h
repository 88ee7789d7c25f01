#pragma once
// Archimedes screw used as a generator ("vis hydrodynamique"), in double precision.
//
// Bucket geometry (C. Rorres, "The turn of the screw: optimal design of an Archimedes
// screw", Journal of Hydraulic Engineering 126(1), 2000, 72-80): outer radius Ro, inner
// radius Ri, pitch S, N blades of negligible thickness, slope K = tan(inclination).
// Dimensionless ratios: radius ratio rho = Ri / Ro, pitch ratio lambda = K S / (2 pi Ro),
// volume ratio nu = volume of water held in one turn / (pi Ro² S). A bucket is the water
// between two neighbouring blades, up to the level where it would spill over the lower
// blade into the next bucket down. Water held in one turn: VT = (2 pi² Ro³ / K) lambda nu;
// the ratios that give the most water per turn (lambda nu largest) are the optimum.
// The volume is computed here by integrating over the helical channel (the inner integral
// over the radius exactly, the one along the channel by Simpson's rule); the optimum is
// found by golden-section search.
//
// Speed: n <= 50 / D^(2/3) t/min, D the outer diameter in m: the classical speed limit of
// screw design attributed to Muysken. The original could not be read in the stored copies
// searched; the rule is used as it is usually quoted. The design takes the screw at that
// limit.
//
// Gap leakage between the blades and the trough: QL = 2.5 G D^1.5 (m3/s, G the gap in m,
// D in m), the empirical rule for screw pumps attributed to Nagel, which gap-leakage models
// of screw generators usually take (W. D. Lubitz, "Gap flow in Archimedes screws", CSME
// International Congress 2014, introduction). The coefficient 2.5 could not be confirmed in
// the stored copies searched; it is kept as usually quoted.
//
// Flow passed at speed n and filling f (fraction of the bucket volume at the spill level,
// the fill the performance model of W. D. Lubitz, M. Lyons, S. Simmons, "Performance model
// of Archimedes screw hydro turbines with variable fill level", Journal of Hydraulic
// Engineering 140(10), 2014, lets vary): Qb = f VT n / 60. Design: the outer diameter D for which Qb + QL at the speed
// limit equals the design flow of one screw, i.e. D grows as Q^(3/7) (the single-equation estimate of A. YoosefDoost,
// W. D. Lubitz, "Archimedes screw design: an analytical model for rapid estimation of Archimedes screw geometry",
// Energies 14(22), 7812, 2021, rests on the same three rules). When that D exceeds MaxDiameter the flow is shared by
// the fewest parallel screws that keep each under it.
#include <string>
#include <vector>

namespace aub {

// Optimum of the bucket volume for N blades.
struct BucketOptimum {
    double rho = 0;     // Ri / Ro
    double lambda = 0;  // K S / (2 pi Ro)
    double nu = 0;      // volume ratio at (rho, lambda)
};

// Volume ratio nu(N, rho, lambda); 0 when no bucket forms (lambda >= 1), N >= 1,
// 0 <= rho < 1, lambda > 0.
double screwVolumeRatio(int blades, double rho, double lambda);

// The (rho, lambda) that maximise lambda nu for N blades (1..25), to 1e-5.
BucketOptimum screwOptimum(int blades);

// Largest speed of a screw of outer diameter D (m), t/min.
double screwSpeedLimit(double diameter);

// Leakage through the gap G (m) around a screw of outer diameter D (m), m3/s.
double screwGapLeakage(double gap, double diameter);

struct ScrewInputs {
    double head = 0;               // H, m
    double flow = 0;               // Q design flow of the plant, m3/s
    double inclination = 22;       // degrees from the horizontal
    int blades = 3;                // N
    double rho = 0;                // Di / De
    double lambda = 0;             // pitch ratio
    double filling = 1;            // fraction of the bucket volume at design flow
    double gapMm = 0;              // gap between blades and trough, mm
    double screwEfficiency = 0.9;  // the screw itself, leakage apart
    double gearEfficiency = 0.95;
    double generatorEfficiency = 0.93;
};

struct ScrewDesign {
    int screws = 1;  // parallel screws sharing the flow
    double flowPerScrew = 0;
    double outerDiameter = 0, innerDiameter = 0, pitch = 0;  // m
    double length = 0;                                       // along the axis, H / sin(inclination), m
    double turns = 0;                                        // length / pitch
    double speed = 0;                                        // t/min
    double bucketVolume = 0;                                 // one bucket full to the spill level, m3
    double turnVolume = 0;                                   // water held in one turn at the design filling, m3
    double bucketFlow = 0;                                   // flow carried by the buckets, m3/s per screw
    double leakage = 0;                                      // gap leakage, m3/s per screw
    double hydraulicPower = 0;                               // 9.81 Q H of one screw, kW
    double shaftPower = 0;                                   // kW per screw
    double electricPower = 0;                                // kW per screw
    double torque = 0;                                       // on the screw shaft, kN m
    double gearRatio = 0;                                    // to a 1500 t/min generator
    double overallEfficiency = 0;                            // electric / hydraulic
    std::vector<std::string> observations;                   // French, one per check that fails
};

// Ranges of the sources for the checks:
//  - inclination 20 to 35 degrees, heads 1 to 10 m: the usual field of screw generators as
//    makers state it (3 Helix Power, "Archimedes screws", screws set at 20 to 35 degrees,
//    heads of 1 to 10 m; Eco Evolution, "Archimedean screw hydro turbine", fall of 1 to
//    10 m); A. YoosefDoost, W. D. Lubitz, "Archimedes screw turbines: a sustainable
//    development solution for green and renewable energy generation - a review of potential
//    and design procedures", Sustainability 12(18), 7352, 2020 (abstract: heads under about
//    5 m, practical efficiencies 60 to 80 %, up to 355 kW);
//  - flow 0.01 to 14.5 m3/s for one screw: the range of built screw generators given by the
//    encyclopaedia article "Archimedes' screw" (after the review above), heads 0.1 to 10 m.
inline constexpr double MinInclination = 20, MaxInclination = 35;  // degrees
inline constexpr double MinHead = 1, MaxHead = 10;                 // m
inline constexpr double MinFlow = 0.01, MaxFlow = 14.5;            // m3/s, one screw
// The largest diameter taken for one screw: the program's choice (screws of more than 5 m
// are rare), not a figure of the sources.
inline constexpr double MaxDiameter = 5;        // m
inline constexpr double GeneratorSpeed = 1500;  // t/min

// The design of the plant. Throws CalcError(ErrBadCall) for inputs that make no screw
// (non-positive head, flow, inclination not in (0, 90), blades not in 1..25, ratios not in
// (0, 1) or leaving no bucket, filling not in (0, 1], negative gap, efficiencies not in
// (0, 1]); CalcError(ErrOverflow) when a result leaves the double range (a head of 1e308 m).
ScrewDesign designScrew(const ScrewInputs& in);

}  // namespace aub

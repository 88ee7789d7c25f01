#pragma once
// The Moody diagram's curves: Darcy friction factor f against the Reynolds number Re,
// both on logarithmic axes.
//  - laminar line f = 64/Re from Re = 1000 to 2300;
//  - one Colebrook curve per relative roughness ε/D from Re = 4000 to 1e8, each point
//    solved by colebrookFriction in double precision (no table), Re spaced evenly on
//    the logarithm; a point the solver cannot give is left out;
//  - the transition band 2300 < Re < 4000 between the axis limits of f.
#include <array>
#include <optional>
#include <vector>

#include "forms/Chart.h"

namespace aub {

// The relative roughnesses drawn, in this order.
constexpr std::array<double, 14> MoodyRoughnesses = {0.0,  1e-6, 5e-6, 1e-5, 5e-5, 1e-4, 2e-4,
                                                     5e-4, 1e-3, 2e-3, 5e-3, 0.01, 0.02, 0.05};
constexpr int MoodyCurvePoints = 240;  // points per Colebrook curve
constexpr double MoodyReMin = 1e3, MoodyReMax = 1e8, MoodyFMin = 0.008, MoodyFMax = 0.1;
constexpr double LaminarLimit = 2300, TurbulentStart = 4000;

// `count` points (Re, f) of the Colebrook curve of ε/D from reFrom to reTo.
std::vector<ChartPoint> colebrookCurve(double relativeRoughness, double reFrom, double reTo, int count);

// A pipe's operating point: the Reynolds number, friction factor and ε/D it was solved with.
struct MoodyPoint {
    double re = 0, f = 0, relativeRoughness = 0;
};

// Fills `chart` (cleared first): title, axes, laminar line, transition band, the
// fourteen Colebrook curves, and when `point` is given its marker labelled with Re, f
// and ε/D and its own roughness curve emphasised (one of the fourteen when ε/D is one
// of them, else a fifteenth curve).
void buildMoodyChart(Chart& chart, const std::optional<MoodyPoint>& point);

// "ε/D = 0.0005", the legend of a roughness curve ("lisse" for 0).
std::string roughnessName(double relativeRoughness);

}  // namespace aub

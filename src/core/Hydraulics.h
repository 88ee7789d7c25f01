#pragma once
// Engineering routines shared by every window. Single precision unless stated;
// constants as written (3.141593 ...) so the shown digits are the program's own.
#include <functional>
#include <string>

namespace aub {

class Messenger;

// Roughness height of a wall material, millimetres:
// "Cuivre" 0.0015, "Plastic" 0.002, "Acier lisse" 0.002, "Fibro" 0.03,
// "Acier soudé" 0.01, "Fonte neuve" 0.25, "Bois poncé" 0.3, "Bois brut" 0.9,
// any other non-empty name 1 (names compared exactly). An empty name shows
// "Pas de nature de paroi !" and leaves `roughness` unchanged.
void wallRoughness(const std::string& material, float& roughness, Messenger& messenger);

// Darcy friction factor f from the relative roughness eps and the Reynolds number (double).
//  eps < 0, eps > 3 or Re < 0 -> -1;  Re = 0 -> 0;  Re < 2500 -> 64/Re (laminar);
//  otherwise Newton's method on g(f) = 1/sqrt(f) + 2 log10(eps/3.7 + 2.51/(Re sqrt f)),
//  from f = 0.01, until |g| < 1e-9.
// A Newton step that would leave f <= 0 (from above the root on smooth pipes at
// very high Re) restarts from f/10 instead, below the root, where the iteration
// climbs steadily to it. A NaN eps or Re, or an infinite Re, shows
// "Dépassement de capacité" and returns -1. Any other floating-point failure on the
// way shows its description and returns the last good value (0 before the first).
// The Newton loop is bounded (ColebrookMaxSteps): when it does not settle, the
// message "Le coefficient de frottement ne converge pas" is shown and -1 is
// returned, so callers treat it like invalid data.
constexpr int ColebrookMaxSteps = 200;
double colebrookFriction(double eps, double re, Messenger& messenger);

// Airfoil polars: angle of attack in degrees -> lift CL and drag CD.
// Outputs are left unchanged where the law says so (flat plate, 15 < a <= 40: CD).
// An angle or a coefficient that is not a finite single throws CalcError(6); the
// caller shows its description followed by "  erreur".
void flatPlatePolar(float alphaDeg, float& cl, float& cd);  // "PLACAPLAT"
void clarkYPolar(float alphaDeg, float& cl, float& cd);     // "CLARK_Y"
void naca4415Polar(float alphaDeg, float& cl, float& cd);   // "NACA_4415"
void naca63415Polar(float alphaDeg, float& cl, float& cd);  // "NACA_63_415"

// Bazin coefficient from a Manning n. n < 0.01: "Controle imposssible" and 0.
// m = 1000 n; (0.5799789 m² − 4.599084 m − 0.01082456 m³ + 0.0000560053 m⁴) / 100.
// A NaN n, or a result beyond single range, throws CalcError(6).
float manningToBazin(float n, Messenger& messenger);

// Arc sine of |x| in radians: |x| > 1 -> 0 silently; |x| = 1 -> x is replaced
// (for the caller too) by sign(x)·0.999999999f; 1.5707965 − atan(sqrt((1 − x²)/x²)).
// x = 0 gives 0 without a message. A NaN x throws CalcError(6).
float arcSin(float& x);

// Arc cosine in degrees: outside [-1, 1] -> 0; ±1 -> 0° and 180° (the argument
// is replaced by sign(x)·0.999999999f for the caller, as arcSin does).
// A NaN x throws CalcError(6).
// (1.5707965 − atan(x / sqrt(1 − x²))) · 180 / 3.141593.
float arcCosDeg(float& x);

// Angle opposite side a in the triangle of sides a, b, c, degrees (law of cosines).
// b or c zero -> CalcError(11); an overflow on the way -> CalcError(6).
float triangleAngle(float a, float b, float c);

// Straight elastic impact: returns u1' and writes u2'. m1 + m2 = 0 -> CalcError(11).
float elasticImpact(float m1, float m2, float u1, float u2, float& u2After);

// Waits s seconds on a monotonic clock, calling `pump` (may be empty) about every
// 10 ms so that windows stay alive. s <= 0 or not finite returns at once; s is
// capped at one hour.
void waitSeconds(float s, const std::function<void()>& pump);

}  // namespace aub

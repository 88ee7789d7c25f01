#pragma once
// The wind turbine by airfoil profile window: a three-bladed rotor (z = 3) of design
// tip-speed ratio λ0 = 7, computed section by section (blade-element method).
//
// Inputs: D = Valbox(0) (m), V = Valbox(8) (m/s), n = Valbox(2) sections (whole number 1..255).
// Calculation, single precision, π = 3.141593, half the air density 0.6125 kg/m³:
//   R = D/2;  Va = 2V/3 (axial wind at the rotor);  ω = λ0 V / R → SharedOmega;
//   for k = 1..n:  u = k/n, r = R u, λ = λ0 u;
//     chord factor c0 = 50.265488 R / (9 λ0 √(λ² + 4/9));
//     tan φ = 1 / (1.5 λ);  incidence i = 5 / √u degrees;  Cz, Cx from the profile's polar at i
//     (Cz and Cx start at 0 and carry over from one section to the next where a polar keeps them);
//     chord ℓ = c0 / (z Cz);  area S = R ℓ / 12;  load Pk = Va² (0.6125 S)(1 + 1/tan²φ);
//     thrust T += (Cz cos φ + Cx sin φ) Pk;  torque Qk = (Cz sin φ − Cx cos φ) Pk r;
//     P += z Qk ω (W, kept in SharedPower);  η = P / (z Va T);
//   N = 420 V / (π D) (t/min) → SharedSpeed.
// Shown through FormatNumber3: Valbox(1) N, (4) η, (3) ω, (11) P/1000 kW, (13) the profile.
// A failure (n = 0, D = 0, V = 0 ...) shows its description; boxes already written stay.
#include "forms/Form.h"
#include "forms/StudyDeclaration.h"

#include <string>
#include <vector>

namespace aub {

class Frmpage78 : public Form {
public:
    explicit Frmpage78(Session& s);
    // The input boxes and the result boxes, with the captions beside them, for the
    // calculation the parametric study runs.
    static std::vector<StudyBox> studyInputs();
    static std::vector<StudyBox> studyResults();
    // The profiles of the list "Combo1"; choosing one calculates.
    static const std::vector<std::string>& profiles();
    void load() override;

private:
    void calculate(const std::string& profile);
};

}  // namespace aub

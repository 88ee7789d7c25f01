#pragma once
// The Poncelet wheel window: an undershot wheel with curved blades fed by a thin jet
// under a gate; the water climbs the blade and falls back, the rim runs at V/2.
//
// Inputs Valbox(0..9): H (m), Q (l/s), D (m), B (m), blade angle at the rim alpha (deg),
// blade height (% of D), blade exit angle (deg, checked only), number of blades (0-255),
// head loss (%, checked only), reduction factor K of the relative velocity.
// Results Valbox(10..28) (no 23), mask "#0.####".
//
// Jet thickness   e = Q / (10 B V) cm, with V = sqrt(19.62 (H - e/100)) after a first
//                 estimate V = sqrt(19.62 H)
// Wheel           u = V/2;  N = 60 u / (pi D);  P = 9.81 H Q (W, Q in l/s)
// Exit velocity   c2 = |(u - K u cos alpha, -K u sin alpha)|
// Rise            hr = V² / 8g;  x = 2 hr / D;  eta = 85 - 100 (1 - x)² / 4   (85 % at x = 1,
//                 60 % at x = 0)
#include <vector>

#include "forms/Form.h"
#include "forms/StudyDeclaration.h"

namespace aub {

class FrmPoncel : public Form {
public:
    explicit FrmPoncel(Session& s);
    // The input boxes and the result boxes, with the captions beside them, for the
    // calculation the parametric study runs.
    static std::vector<StudyBox> studyInputs();
    static std::vector<StudyBox> studyResults();
    void load() override;

    // "Lancer Calcul": validation, then the calculation and the display.
    void Calcule();

private:
    void openSelected();
    void save();
    void show(int box, float value);
};

}  // namespace aub

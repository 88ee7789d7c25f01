#pragma once
// Full pipe between an upper and a lower basin (Darcy–Weisbach with the Colebrook
// friction factor). Boxes: D mm, Q l/s, H and L m, losses mm. A = 1e-4·π·D²/4 (dm²),
// V = 0.1·Q/A (m/s), Re = V·D / 0.001005, J = f·V²·1000 / (D·19.62/1000) mm/m,
// K = Σξ·V²/19.62 (m), total = J·L + 1000·K (mm); the lower basin keeps H − total/1000
// and the losses take total/1000 of level difference.
#include <vector>

#include "forms/Form.h"
#include "forms/StudyDeclaration.h"

namespace aub {

class Form12 : public Form {
public:
    explicit Form12(Session& s);
    // The input boxes and the result boxes, with the captions beside them, for the
    // calculation the parametric study runs.
    static std::vector<StudyBox> studyInputs();
    static std::vector<StudyBox> studyResults();
    void load() override;

private:
    void calculate();
    void drawBasins();
};

}  // namespace aub

#pragma once
// Open rectangular channel by Darcy–Weisbach (doubles): width b (m), water depth h (m),
// flow Q (m3/s), wall roughness ε (mm).
//   V = Q / (b·h);  Dh = 4·b·h / (b + 2h) (four times the wetted section over the wetted
//   perimeter of a channel open at the top);  r = ε / (1000·Dh);  Re = V·Dh / 1.005e-6;
//   f = colebrookFriction(r, Re);  J = V²·1000·f / (Dh·19.62) mm/m.
// A zero width or depth (or b + 2h = 0) is missing data.
#include <vector>

#include "forms/Form.h"
#include "forms/StudyDeclaration.h"

namespace aub {

class frmarcy : public Form {
public:
    explicit frmarcy(Session& s);
    // The input boxes and the result boxes, with the captions beside them, for the
    // calculation the parametric study runs.
    static std::vector<StudyBox> studyInputs();
    static std::vector<StudyBox> studyResults();
    void load() override;

private:
    void calculate();
};

}  // namespace aub

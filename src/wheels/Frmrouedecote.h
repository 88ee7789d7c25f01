#pragma once
// The breastshot wheel window "Frmrouedecoté": a wheel fed at mid-height over a lowered
// overflow gate.
//
// Inputs Valbox(0..12): H (m), B (m), D (m), depth over the gate (cm), blade angle (deg),
// blade thickness (mm), crown depth (% of D), volumetric efficiency, number of blades,
// generator and transmission efficiencies (fractions), speed coefficient kv = u / Vw,
// water entry angle (deg). Results Resubox(0..21) through FormatNumber3.
//
// Flow over the gate   Q = e 0.509 B sqrt(19.62 e)               (m3/s, e in m)
// Arrival velocity     Vw = 1.15 sqrt(11.1834 e) = 1.15 sqrt(2g 0.57 e)   (m/s)
// Rim speed            u = kv Vw;  N = 60 u / (pi D)
// Entry triangle       beta = 180 - (blade angle + entry angle);  Vr = Vw sin beta / sin(blade angle)
// Powers (kW)          P = 9.81 H Q;  kinetic loss Pk = (Vr² + u²) Q / 2;  Ps = P - Pk, minus the
//                      transmission loss and the volumetric loss 9.81 H Q (1 - etav);  Pe = etag Ps
// Valid for D > H, a gate lowered less than the head, 6 to 80 blades; kv outside 0.3-0.7
// is warned about but computed.
#include <vector>

#include "forms/Form.h"
#include "forms/StudyDeclaration.h"

namespace aub {

class Frmrouedecote : public Form {
public:
    explicit Frmrouedecote(Session& s);
    // The input boxes and the result boxes, with the captions beside them, for the
    // calculation the parametric study runs.
    static std::vector<StudyBox> studyInputs();
    static std::vector<StudyBox> studyResults();
    void load() override;

    // "Calcul".
    void Calcule();

private:
    void compute();
    void openSelected();
    void openUnnamed();
    void save();
    void clearResults();
    void show(int box, float value);
};

}  // namespace aub

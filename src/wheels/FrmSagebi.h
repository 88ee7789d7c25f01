#pragma once
// The Sagebien wheel window: a slow, wide breast wheel with long straight blades set at
// an angle theta to the radius, entered by the water at low relative speed.
//
// Entry triangle (law of sines), with the water velocity V, the rim speed Ve = kv V and
// the relative velocity Vr:
//   gamma = arcsin(kv cos theta)        (kv cos theta beyond 1: the triangle cannot close)
//   beta  = 90 - theta;  alpha = 180 - (beta + gamma);  Vr = V sin alpha / sin beta
// Wheel: N = 60 Ve / (pi D); crown area pi R² - pi (R - Lb)² less the blade sections
// t Lb nb / 1000 (t in mm), shared by nb blades; flow per blade channel Q = Vr a (m3/s),
// na channels fed at once; P = 9.81 H Q na (kW); useful power 0.85 P.
// Filling phi = volume admitted per blade passage x na / volume offered; above 0.8 it
// is warned about ("Remplissage excessif") and the calculation goes on.
#include <string>
#include <vector>

#include "forms/Form.h"
#include "forms/StudyDeclaration.h"

namespace aub {

struct SharedValues;

class FrmSagebi : public Form {
public:
    explicit FrmSagebi(Session& s);
    // The input boxes and the result boxes, with the captions beside them, for the
    // calculation the parametric study runs.
    static std::vector<StudyBox> studyInputs();
    static std::vector<StudyBox> studyResults();
    void load() override;

    struct Inputs {
        float H = 0, B = 0, D = 0, na = 0, theta = 0, lambda = 0, V = 0, nb = 0, kv = 0, t = 0;
    };
    struct Results {
        float Ve = 0, Lb = 0, gamma = 0, beta = 0, alpha = 0, Vr = 0, N = 0, T = 0, tb = 0;
        float Ab = 0, a = 0, Vphys = 0, Q = 0, Qa = 0, Vadm = 0, P = 0, phi = 0, s = 0;
    };
    // The calculation alone (angles in degrees). Throws CalcError. With `shared`, the
    // program-wide values are written as they are found (the angles, Vr, the flow and the
    // power), so that those found before a failure stay written.
    static Results evaluate(const Inputs& in, SharedValues* shared = nullptr);

    // Largest filling accepted without warning.
    static constexpr float MaxFilling = 0.8f;

    void Calcul();
    const std::string& sagebienNumber() const { return SagebienNumber_; }

private:
    void plusinfos();
    void openSelected();
    void save();
    void nouveau();

    std::string SagebienNumber_ = "01";
    Inputs in_;
    Results res_;
};

}  // namespace aub

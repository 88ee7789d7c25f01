#pragma once
// The undershot wheel window: flat blades struck by the jet leaving a sluice gate.
//
// Inputs valubox(0..8): head H (m), gate opening e (m), wheel diameter D (m), wheel
// width B (m), jet width b (m), blade height h (m), number of blades n, blade thickness
// t (mm), material name. Results Valbox(0..25) (no 19, no 21), mask "####.0####".
//
// Jet:     V = sqrt((H - e/2) 19.62);  Q = b k e V with k = 0.8 (inclined gate, eta 30 %)
//          or 0.7 (vertical gate, eta 27 %).
// Wheel:   blade speed 0.45 V on the diameter D - h/4: N = 27 V / ((D - h/4) pi) t/min;
//          F = (V - V/2) 1000 Q (N);  C = (D - h) 0.87 F / 2 (m.N);  P = 9.81 H q (W, q in l/s);
//          mass of blades and one side disc from the material density (kg/dm3), I = 0.16 D² M.
// Vertical gate: the jet runs under the gate along a flume of length D/2 (Manning
// n = 0.011), whose loss dH lowers V to sqrt(V² - 19.62 dH); the flow stays the one of
// the undiminished V.
//
// The trip-hammer window reads the results of this window: the boxes SpeedBox (t/min),
// OmegaBox (rad/s), InertiaBox (kg m²), TorqueBox (m.N) and EfficiencyBox (%), or the
// same values through results().
#include <vector>

#include "forms/Form.h"
#include "forms/StudyDeclaration.h"

namespace aub {

class Frmdessous : public Form {
public:
    explicit Frmdessous(Session& s);
    // The input boxes and the result boxes, with the captions beside them, for the
    // calculation the parametric study runs.
    static std::vector<StudyBox> studyInputs();
    static std::vector<StudyBox> studyResults();
    void load() override;

    // Result boxes other windows read (Valbox index).
    static constexpr int SpeedBox = 4;        // N, t/min
    static constexpr int TorqueBox = 7;       // C, m.N
    static constexpr int OmegaBox = 13;       // omega, rad/s
    static constexpr int InertiaBox = 20;     // I, kg m²
    static constexpr int EfficiencyBox = 23;  // eta, %

    // The values of the last evaluation (0 before any).
    struct Results {
        float speed = 0;       // N, t/min
        float omega = 0;       // rad/s
        float inertia = 0;     // kg m²
        float torque = 0;      // m.N
        float efficiency = 0;  // %
        float mass = 0;        // kg
        float velocity = 0;    // V at the gate, m/s
        float flow = 0;        // Q, m3/s
        float flumeLoss = 0;   // dH, m
    };
    const Results& results() const { return results_; }

    // Gate types.
    static constexpr int InclinedGate = 1;
    static constexpr int VerticalGate = 2;

    // Reads the inputs and computes V, Q and eta for the current gate type.
    void litDonnees();
    // The wheel evaluation from the current values.
    void evalueRoue();
    // Friction loss along the jet under a vertical gate; lowers V.
    void perteCoursierDroit();
    // Fills the result boxes.
    void affiche();
    // Chain of the inclined gate.
    void inclinaison();
    // Chain of the vertical gate.
    void droiture();

private:
    void chooseMaterial();
    void chooseGate();
    void save();
    void openSelected();
    void clearResults();
    void printSheet();
    void show(int box, float value);

    // Inputs.
    float H_ = 0, e_ = 0, D_ = 0, B_ = 0, b_ = 0, h_ = 0, t_ = 0;
    short n_ = 0;
    int gateType_ = 0;
    // Jet and flume.
    float V_ = 0, Q_ = 0, eta_ = 0, dH_ = 0, S_ = 0;
    // Wheel.
    float q_ = 0, M_ = 0, I_ = 0, N_ = 0, omega_ = 0, P_ = 0, Pcv_ = 0, ns_ = 0, A_ = 0, ej_ = 0, Vb_ = 0, F_ = 0,
          C_ = 0, wheelVolume_ = 0;
    Results results_;
};

}  // namespace aub

#pragma once
// Turbine characteristics by specific speed: from the head H (m), the flow Q (m3/s),
// the speed N (t/min), the number of Pelton jets and the efficiency, the window gives
// the powers (CV and kW), the torque, the specific speed Ns = N·√Pu / H^1.25 (Pu in CV),
// the runner type chosen by Ns and its main dimensions from the speed coefficients
// ksi0, ksi1 and ksihdi:
//   D1 = 60·ksi0·√(2gH) / (π·N),  D2 = 60·ksi1·√(2gH) / (π·N),  b0 = ksihdi·D2,
//   with 2g = 19.62 and π = 3.141593; a Pelton wheel gets D = 60·0.48·√(2gH) / (π·N)
//   and a single injector of diameter 1000·√(4Q / (π·√(2gH))) mm.
// Two bases: 1 = the true speed N is given, 2 = Ns is given and N follows.
#include <optional>
#include <string>
#include <vector>

#include "forms/Form.h"
#include "forms/StudyDeclaration.h"

namespace aub {

// What the window keeps from one loading to the next (the session holds it): whether
// it was created once, and the three speed coefficients.
struct FormroueMemory {
    bool created = false;
    double ksi0 = 0;               // 0 until the first classification (not positive = unset)
    std::optional<float> ksi1;     // undefined for a Pelton runner
    std::optional<double> ksihdi;  // undefined for a Pelton runner
};

class Formroue : public Form {
public:
    explicit Formroue(Session& s);
    // The input and result boxes of "CALCUL 1" (trueSpeed: the speed typed) and of
    // "CALCUL 2" (the specific speed typed), with the captions beside them.
    static std::vector<StudyBox> studyInputs(bool trueSpeed);
    static std::vector<StudyBox> studyResults(bool trueSpeed);
    void load() override;
    void unloaded() override;

    // Calcule: the calculation of a button press (in the current base).
    void calcule();
    // Selon_ns_new: runner type by Ns, picture, dimensions and coefficient boxes.
    void selonNsNew();
    // Labelssérie1: captions of the reaction-runner result set (and the outlet velocity box).
    void labelsSerie1();
    // Labssérie2: the Pelton result set.
    void labsSerie2();
    // The stale notice: results must be computed again.
    void avertit();
    // déplace: activates the lower (k = 1) or the upper (k = 14) speed slider.
    void deplace(int k);

    int calcBase() const { return calcBase_; }
    // The powers, the specific speed (computed or typed, by the base) and the runner's laws.
    std::string reportMethod() override;

private:
    void calculeSteps();
    void dimensions();
    void showCoefficients();
    void clearPicture();
    void showPictureInsteadOfCoefficients(bool picture);
    void saveMyRoue();
    void recallMyRoue();

    FormroueMemory& memory_;
    int calcBase_ = 0;  // 0 none, 1 true speed, 2 specific speed
    float h_ = 0, q_ = 0, n_ = 0, pth_ = 0, pu_ = 0;
    float d1_ = 0, d2_ = 0, v1_ = 0;
    std::optional<float> v2_;  // none for a runner without outlet diameter
    double b0_ = 0;
    int methodBase_ = 0;  // the base of the last button pressed: 1 the speed typed, 2 Ns typed
};

}  // namespace aub

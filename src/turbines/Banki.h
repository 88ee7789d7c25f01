#pragma once
// Cross-flow (Banki) runner from the head H (m), the flow Q (m3/s), the efficiency
// η (%), the blade count z, the jet incidence α and the admission arc δ (degrees)
// and the speed ratio k = u1/c1. With 2g = 19.62 and π = 3.141593:
//   c1 = √(2gH), u1 = k·c1, β1 = atan(k·sin α / (1 − k·cos α)) + α,
//   w1 = c1·sin α / sin β1, D·B = 2Q / (δ·sin α·c1), P = 10·H·Q·η/100 (kW),
//   first diameter D = √(D·B); then B = D·B / D, Di = 0.6·D, N = 60·u1 / (π·D),
//   Ns = N·√(1.36·P) / H^1.25, jet section Q/c1, pitch π·D·100/z (cm),
//   blade radius 0.163·D, jet thickness Q / (0.9·B·c1).
// The diameter must leave room for the jet: D/3 >= Q/w1.
#include <string>
#include <vector>

#include "forms/Form.h"
#include "forms/StudyDeclaration.h"

namespace aub {

class Banki : public Form {
public:
    explicit Banki(Session& s);
    // The input boxes and the result boxes, with the captions beside them, for the
    // calculation the parametric study runs.
    static std::vector<StudyBox> studyInputs();
    static std::vector<StudyBox> studyResults();
    void load() override;

    void Effacetout();
    // Velocities, blade angle, first diameter; false when it stopped (message shown).
    bool Précalcu_Old();
    // Results for the current diameter.
    void Calculsrésu();

    // The report's path: "Résultats.txt" in this user's private folder of the system's
    // temporary folder (made when missing; CalcError when it is not the user's own).
    std::string reportPath() const;

private:
    void readDataFile(const std::string& fileName);
    void saveDataSet();
    void deleteSelected();
    void writeReport();
    void toggleDiameterLock();

    // Values of the last pre-calculation.
    float h_ = 0, q_ = 0, eta_ = 0, k_ = 0, alpha_ = 0, delta_ = 0;
    int z_ = 0;
    float c1_ = 0, u1_ = 0, beta1_ = 0, w1_ = 0, jetWidth_ = 0, db_ = 0, p_ = 0;
    float d_ = 0;  // current outer diameter, m
    bool resultsReady_ = false;
    bool diameterUnlocked_ = false;
};

}  // namespace aub

#pragma once
// Head loss of a full circular pipe fed from an upstream head. Units of the boxes:
// D mm, Q l/s, H and L m, losses mm. Section A = 1e-4·π·D²/4 (dm²), V = 0.1·Q/A (m/s),
// Re = V·D / 0.001005 (water, 1.005e-6 m²/s, D in mm), velocity head hv = V²/19.62 (m).
//   Colebrook: J = f·V²·1000 / (D·19.62/1000) mm/m, f from colebrookFriction(ε/D, Re)
//              with the wall roughness ε in mm;
//   Scimemi:   J = 1e12·(Q·D^(−k1)/k0)^(1/k2) mm/m, coefficients per wall material;
//   full flow: the Colebrook losses at the first velocity above 4.8 m/s reached by
//              steps of 0.2 m/s from the pipe's velocity.
// Singular losses K = Σξ·hv (m); total = J·L + 1000·K (mm); residual head H − total/1000.
#include <string>
#include <vector>

#include "forms/Form.h"
#include "forms/StudyDeclaration.h"
#include "turbines/PipeWindows.h"

namespace aub {

class Formbuse : public Form {
public:
    explicit Formbuse(Session& s);
    // The input boxes and the result boxes, with the captions beside them, for the
    // calculation the parametric study runs.
    static std::vector<StudyBox> studyInputs();
    static std::vector<StudyBox> studyResults();
    void load() override;
    void unloaded() override;

    // Scimemi coefficients of a wall material. An empty name shows "Pas de nature de
    // paroi !" and leaves them unchanged; an unknown one shows "Matériau non reconnu"
    // and empties `material`.
    void rugoScim(std::string& material, float& k0, float& k1, float& k2);
    // Warnings after a calculation (negative outlet pressure, speed above 5 m/s,
    // velocity head above the upstream head).
    void avertir();

    // The friction law of the last calculation, with the wall's roughness or coefficients.
    std::string reportMethod() override;
    // After a Colebrook calculation: the Moody diagram with the pipe's operating point.
    std::vector<Chart> reportCharts() override;

private:
    void colebrook();
    void recordOperatingPoint(double re, double f, double relative);
    void scimemi();
    void fullFlow();
    void readInputs();
    void showLosses(const char* mask);
    void saveTempobuse();
    void readTempobuse();
    void chooseMaterial();

    float h_ = 0, q_ = 0, d_ = 0, l_ = 0, area_ = 0, v_ = 0;
    float j_ = 0;
    PipeLosses losses_;
    // What the last calculation used, for the dossier.
    enum class Law { None, Colebrook, Scimemi, FullFlow };
    Law law_ = Law::None;
    float roughness_ = 0;             // ε, mm (Colebrook, full flow)
    float k0_ = 0, k1_ = 0, k2_ = 0;  // Scimemi's coefficients
};

}  // namespace aub

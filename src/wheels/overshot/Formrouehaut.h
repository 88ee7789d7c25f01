#pragma once
// The overshot wheel window: seventeen design values in, the jet, the buckets, the
// speed, the torque, the power and the efficiency out. Designs are "H*.txt" files of
// the program folder, one box text per line.
#include <string>
#include <vector>

#include "forms/Form.h"
#include "forms/StudyDeclaration.h"

namespace aub {

class Formrouehaut : public Form {
public:
    explicit Formrouehaut(Session& s);
    void load() override;

    // Number of input boxes (Valbox 0..16) and of lines of a design file.
    static constexpr int InputCount = 17;
    // The input boxes and the shown result boxes with the captions beside them, in the
    // window's order (for the parametric study's declaration).
    static std::vector<StudyBox> studyInputs();
    static std::vector<StudyBox> studyResults();

    // The overshot calculation (OvershotCalc.cpp). Reads Valbox(0..16), writes the
    // result boxes, the complementary window Formsurfa, the sketch window Formgraph
    // and the program-wide values. Stops at the first blocking check with its message.
    void calculHaut();
    // Torque of the loaded half of the wheel, N·m, added into SharedTorque (set to 0 by
    // the caller). Reads the flume answer, the spill angle, r, R, Z, Vu and SharedPitchAngle.
    void calculCouple();
    // Empties the result boxes 0..22 (except 11), 24, 25, 27 and 28.
    void effaceTout();

private:
    void save();
    void openDesign();
    void clearData();
    void printSheet();
    void showLocalHelp();
    // Bucket placing: kept as a step of the calculation; it changes nothing.
    void placeAube() {}

    // Working values of the last calculation (single precision, SI units unless stated).
    float hc_ = 0;          // water height in the head race upstream of the gate, m
    float e_ = 0;           // gate opening, m
    float slope_ = 0;       // flume slope, %
    float theta_ = 0;       // flume angle, rad
    std::string lowFlume_;  // flume answer, upper-cased: "OUI" or "NON"
    float k_ = 0;           // peripheral speed / water speed
    float t_ = 0;           // bucket plate thickness, m
    float Z_ = 0;           // number of buckets (a real number)
    float kc_ = 0;          // crown height / D
    float f_ = 0;           // allowed filling of a bucket
    float V1_ = 0;          // speed at the flume end, m/s
    float tau_ = 0;         // crossing time of the gap jh, s
    float V_ = 0;           // jet speed at the wheel, m/s
    float jetSlope_ = 0;    // Vy / Vx at the wheel
    float alphaDeg_ = 0, betaDeg_ = 0, alphaBetaDeg_ = 0;
    float dz_ = 0;                    // flume drop, m
    float Di_ = 0, r_ = 0, R_ = 0;    // inner diameter, inner and outer radius, m
    float L1_ = 0, L2_ = 0;           // plate lengths AC and CD, m
    float Ac_ = 0;                    // crown section free of plates, m² per metre of width
    float Vb_ = 0, Va_ = 0, Vu_ = 0;  // bucket volume, allowed volume, volume used, l
    float Pk_ = 0;                    // kinetic loss, W
    float c_ = 0;                     // chord AD, m
    float j_ = 0;                     // clearance under the wheel, m
    float thetaS_ = 0;                // spill angle, degrees
    float P_ = 0;                     // expected power, W
    // For the window's own use.
    float b_ = 0, L_ = 0, jv_ = 0, jh_ = 0;  // flume width, flume length, clearances, m
    float Vc_ = 0;                           // crown volume, l
    float arcPitch_ = 0;                     // φ·D/2, m
    float chordPitch_ = 0;                   // D·sin(φ/2), m
};

// Area of a triangle from its three sides (Heron): p = (a + b + c)/2,
// area = √(p(p − a)(p − b)(p − c)). Sides that make no triangle fail with CalcError(5).
float surfaceTriangle(float a, float b, float c);

}  // namespace aub

#pragma once
// The trip hammer window: a forge hammer on a helve pivoting on an axis, lifted by
// shoes (cams) on a shaft driven by the undershot water wheel.
//
// Calculation ("Command1"), single precision, π = 3.141593, g = 9.81:
//   m = Valbox(0) kg; L = Valbox(1) m; Lm = Valbox(2) % of L (hammer-side arm); Rc = Valbox(3) m
//   (cam outer radius); hs = Valbox(4) % of Rc (shoe height); kr = Valbox(5) when Check1 is
//   ticked, otherwise 1 (and Valbox(5) shows "1"); ns = Valbox(6) shoes; b = Valbox(7) m.
//   Lc = L − Lm;  F = m g Lm / Lc (N, force on the cam);  torque on the wheel Rc F / kr (N·m);
//   h = height of the meeting point, Interceptcercles(Rc + Lc, b, Rc + hs, Lc);
//   greatest number of shoes π Rc / h;  α = arctan(h / Lc);  lift = Lm tan α;  energy m g lift;
//   the wheel's N (t/min) and ω (rad/s) come from the undershot window:
//   blow interval ti = 1 / (ns N / (60 kr));  shoe speed v = (ω / kr) Rc;  lift time ta = h / v;
//   rest ti − ta;  then Effetchoc.
// A failure (Lc = 0, h = 0, N = 0, ω = 0 ...) shows its description; the boxes already
// written stay and the program goes on. An undershot window never calculated (empty speed
// box) adds a line saying so to "Division par zéro". Results use the mask "####0.0####".
//
// Data: nine lines, the texts of Valbox(0..8), in "Roueparbas/marteau.txt" of the program
// folder; see dataFileToRead / dataFileToWrite for a program folder without that folder.
#include "forms/Form.h"
#include "forms/StudyDeclaration.h"

#include <filesystem>
#include <vector>

namespace aub {

class Frmmarteau : public Form {
public:
    explicit Frmmarteau(Session& s);
    // The input boxes and the result boxes, with the captions beside them, for the
    // calculation the parametric study runs.
    static std::vector<StudyBox> studyInputs();
    static std::vector<StudyBox> studyResults();
    void load() override;

    struct Point {
        float x = 0, y = 0;
    };
    // The meeting point of the circle of radius c centred at (a, 0) (the shoe's path)
    // and the circle of radius d centred at (0, b) (the helve end's path), searched by
    // stepping x from 0 to a + c by 0.01 (single-precision accumulation):
    //   y1 = √(c² − (x − a)²), or the radicand itself when it is not positive;
    //   y2 = b + √(d² − x²), or d² − x² itself when it is not positive;
    // the first x where |y1 − y2| < 0.1 wins, with y = (y1 + y2)/2. When none does,
    // x = 0 and y is the mean of the last y1 and y2 (0 when the range is empty).
    // A range beyond MaxSearch metres throws CalcError(6) instead of stepping for ever.
    static constexpr float MaxSearch = 100000.0f;
    static Point Interceptcercles(float a, float b, float c, float d);

    // The shock of the cam shaft (inertia Iw = Valbox(9), speed ω = SharedOmega) on the
    // helve at rest (inertia Im = Lm² m): shaft speed after the shock (Iw − Im) ω / (Iw + Im),
    // helve speed ω2 = 2 Iw ω / (Iw + Im), hammer speed vh = ω2 Lm, energy ½ m vh² (double).
    void Effetchoc(float m, float Lm);

    // The file read at opening: "Roueparbas/marteau.txt", or "marteau.txt" of the program
    // folder when the first is missing (a fresh program folder before its data folders exist).
    std::filesystem::path dataFileToRead() const;
    // The file written: "Roueparbas/marteau.txt" when that folder exists, else "marteau.txt".
    std::filesystem::path dataFileToWrite() const;

private:
    void calculate();
    void save();
    void showResult(int box, float value);
};

}  // namespace aub

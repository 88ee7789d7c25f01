#pragma once
// The simple wind turbine window "frméole01": a horizontal-axis rotor sized from its
// diameter, wind speed, tip-speed ratio and efficiency on the Betz limit, and a
// first sizing of one blade.
//
// "Calcul 1" (single precision, π = 3.141593, air density 1.225 kg/m³):
//   D, Vv, K, ηB from the boxes; dm, we, wr, t = box value · D / 100 (m); σ in N/mm²;
//   wm = (we + wr)/2;  M = ((D − dm)/2) · (1000 t) · wm   (blade volume in dm³ taken as kg);
//   u = K · Vv (m/s) → SharedRimSpeed;  N = 60 u / (π D) (t/min) → SharedSpeed;
//   A = π D² / 4;  Pw = Vv³ · (π/2 · (D/2)²) · 1.225;  Pb = 16 Pw / 27;  Pu = ηB · Pb;
//   F = u² M / D (N), the centrifugal pull on the blade root; minimum root section F/σ (mm²).
// Results go to Resubox(0..11) in index order through FormatNumber3; a failure (D = 0,
// σ = 0 ...) shows its description and number, and the boxes already written stay.
//
// Designs: "Moneole" + two-digit number + ".txt" in the program folder, eleven lines
// (the texts of Valbox(0..10)); "moneole01.txt" is read when the window opens.
#include "forms/Form.h"
#include "forms/StudyDeclaration.h"

#include <filesystem>
#include <optional>
#include <vector>

namespace aub {

class Frmeole01 : public Form {
public:
    explicit Frmeole01(Session& s);
    // The input boxes and the result boxes, with the captions beside them, for the
    // calculation the parametric study runs.
    static std::vector<StudyBox> studyInputs();
    static std::vector<StudyBox> studyResults();
    void load() override;

    // Asks for the file number (0..255); nothing when the person cancels or the number
    // is refused (the refusal is shown).
    std::optional<int> Selectionne();
    // Empties Resubox(0..9).
    void Clarifie();

private:
    void calcul1();
    void ouvre();
    void enregistre();
    void profil();
    // Reads a design file into Valbox(0..10) and tells which file in Labelx.
    void readDesign(const std::filesystem::path& file);
};

}  // namespace aub

#include "wheels/Frmrouedecote.h"

#include <array>
#include <cmath>
#include <utility>

#include "core/CalcError.h"
#include "core/Checked.h"
#include "core/Constants.h"
#include "core/NumberText.h"
#include "core/SharedValues.h"
#include "files/AppFolder.h"
#include "forms/Dialogs.h"
#include "forms/Platform.h"
#include "forms/Session.h"
#include "forms/StudyBoxes.h"
#include "wheels/WheelCommon.h"
#include "wheels/WheelFiles.h"

namespace aub {

namespace {

constexpr int InputCount = 13;
constexpr int ResultCount = 22;
constexpr const char* UnnamedFile = "Csansnom.txt";
constexpr int UnnamedCount = 12;

using Caption = std::pair<int, const char*>;

// Inputs top to bottom.
const std::array<Caption, InputCount> Inputs = {{
    {0, "Hauteur de chute m"},
    {1, "Largeur m"},
    {2, "Diamètre Roue m"},
    {3, "Descente vanne cm"},
    {4, "Alpha aube deg."},
    {12, "Angle entrée eau"},
    {6, "Hauteur couronne % D"},
    {7, "Rendement volume eau"},
    {8, "Nombre d'aubes"},
    {9, "Rendement génératrice"},
    {10, "Rendement transmission"},
    {5, "Epaisseur aubes (mm)"},
    {11, "kvitesse"},
}};

const std::array<Caption, 6> Speeds = {{
    {4, "vitesse eau arrrivée m/s"},
    {5, "Vitesse périphérique m/s"},
    {14, "Vitesse relative  m/s"},
    {6, "Vitesse de rotation T/min"},
    {9, "Omega rad/sec"},
    {21, "Coefficient vitesse vrai"},
}};

const std::array<Caption, 3> Triangle = {{{18, "Alpha"}, {17, "Beta"}, {15, "Gamma"}}};

const std::array<Caption, 13> Results = {{
    {0, "Puissance théorique(kW)"},
    {7, "Pertes  eau cinétiques"},
    {19, "Autres Pertes  kW"},
    {1, "Puissance sur arbre  (kW)"},
    {2, "Puissance électrique ( kW)"},
    {3, "Débit actif litres/s"},
    {8, "Temps passage aube sec"},
    {16, "Volume physique aube l."},
    {10, "Vol. eau entre aubes  lit."},
    {11, "Volume couronne m3"},
    {12, "Rendement  global %"},
    {20, "Coefficient remplissage"},
    {13, "Controle Pmeca /volume"},
}};

}  // namespace

std::vector<StudyBox> Frmrouedecote::studyInputs() { return studyRows("Valbox", Inputs); }

std::vector<StudyBox> Frmrouedecote::studyResults() { return studyRows("Resubox", Speeds, Triangle, Results); }

Frmrouedecote::Frmrouedecote(Session& s) : Form(s, "Frmrouedecoté", "ROUE DE COTE") {
    helpRecord = 31;
    columns = 3;
    frame("Frame1", -1, "DONNEES").at(0, 0, 2, 1);
    for (std::size_t r = 0; r < Inputs.size(); ++r) {
        const auto [box, text] = Inputs[r];
        label("Label", box, text).in("Frame1").at(static_cast<int>(r), 0);
        textBox("Valbox", box).in("Frame1").at(static_cast<int>(r), 1);
    }
    auto resultFrame = [this](const char* frameName, const char* title, const auto& rows, int row, int col) {
        frame(frameName, -1, title).at(row, col);
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const auto [box, text] = rows[r];
            label("Labelresu", box, text).in(frameName).at(static_cast<int>(r), 0);
            textBox("Resubox", box).in(frameName).at(static_cast<int>(r), 1).locked = true;
        }
    };
    resultFrame("Frame2", "VITESSES", Speeds, 0, 1);
    resultFrame("Frame3", "TRIANGLE  entrée  degrés", Triangle, 1, 1);
    resultFrame("Frame4", "RESULTATS", Results, 0, 2);
    button("cacus", -1, "Calcul").at(2, 1);
    listBox("List1").at(1, 2, 2, 1);

    menu("Fichier", "Fichier");
    menu("Enregistre", "Enregistre", "Fichier");
    menu("Ouvre", "Ouvre", "Fichier");
    menu("Fin", "Fin", "Fichier");
    menu("Aidelocale", "Aide locale", "Fichier");
    menu("Imprimefeuille", "Imprime feuille", "Fichier");
    menu("Efface", "Efface", "Fichier");

    on("cacus", EventKind::Click, [this](int) { calcule(); });
    on("List1", EventKind::Click, [this](int) { openSelected(); });
    on("Enregistre", EventKind::Click, [this](int) { save(); });
    on("Ouvre", EventKind::Click, [this](int) { openUnnamed(); });
    on("Fin", EventKind::Click, [this](int) { session().endProgramFromWindow(); });
    on("Aidelocale", EventKind::Click, [this](int) { session().showHelpRecord(number(shared().FormulaId)); });
    on("Imprimefeuille", EventKind::Click, [this](int) { platform().printForm(*this); });
    on("Efface", EventKind::Click, [this](int) { clearResults(); });

    defaultAction = "cacus";
    resultBoxes = {"Resubox"};
    tracksEdits = true;
    discardsEdits("List1");
    discardsEdits("Ouvre");
}

void Frmrouedecote::load() {
    trap(
        [this] {
            shared().FormulaId = FormulaCode::BreastshotWheel;
            shared().AppFolder = withSeparator(session().appFolder());
            shared().SharedFilePath = shared().AppFolder + UnnamedFile;
            listDesigns(*this, ctl("List1"), "C*.txt");
        },
        FailurePolicy{.numberAfter = "erreur FrmRouecoté  "});
}

void Frmrouedecote::show(int box, float value) { set("Resubox", box, formatNumber3(value)); }

void Frmrouedecote::calcule() {
    // A failure of the arithmetic names its cause, then says why it happened.
    trap([this] { compute(); }, "  Des données sont incompatibles");
}

void Frmrouedecote::compute() {
    SharedValues& sv = shared();
    const float H = num("Valbox", 0);
    sv.SharedHead.set(H, HeadUnit::Metres);
    const float B = num("Valbox", 1);
    sv.SharedWidth = B;
    const float D = num("Valbox", 2);
    sv.SharedDiameter = D;
    const float e = num("Valbox", 3) / 100.0f;
    const float entry = num("Valbox", 12);
    sv.SharedAlpha = entry;
    const float blade = num("Valbox", 4);
    sv.SharedGamma = blade;
    const float t = num("Valbox", 5) / 1000.0f;
    const float hc = checkedValue(num("Valbox", 6) * D / 100.0f);
    const float etaV = num("Valbox", 7);
    const float nb = num("Valbox", 8);
    const float etaG = num("Valbox", 9);
    const float etaT = num("Valbox", 10);
    const float kv = num("Valbox", 11);

    const float beta = checkedValue(180.0f - (blade + entry));
    sv.SharedBeta = beta;
    if (D <= H) {
        dialogs().message(
            " diamètre de roue trop faible par rapport à la chute\n"
            "respectez les conditions de fonctionnement de cette roue");
        return;
    }
    if (kv < 0.3f || kv > 0.7f) dialogs().message("valeur non supportée \nprendre entre 0.3 et 0.7");
    const float Di = checkedValue(D - 2.0f * hc);
    if (H - e <= 0.0f) {
        dialogs().message("vanne trop baissée");
        return;
    }
    const float Ac = checkedValue(checkedValue(D * D - Di * Di) * Pi / 4.0f - nb * hc * t);
    const float Vc = checkedValue(B * Ac * 1000.0f);
    const float Q = checkedValue(e * (0.509f * B) * csqrt(checkedValue(TwoG * e)));
    sv.SharedJetFlow = Q;
    // Also the program-wide flow, so that the selection chart and the annual energy see this wheel.
    sv.SharedFlow.set(Q, FlowRateUnit::CubicMetresPerSecond);
    const float P = checkedValue(H * G * Q);
    sv.SharedPower.set(P, PowerUnit::Kilowatts);
    const float Lv = checkedValue(H * G * Q * (1.0f - etaV));
    if (nb < 6.0f || nb > 80.0f) {
        dialogs().message("Nombre d'aubes incorrect");
        return;
    }
    show(15, blade);
    show(18, entry);
    show(17, beta);

    const float Vw = 1.15f * csqrt(11.1834f * e);
    sv.SharedArrivalSpeed = Vw;
    const float u = checkedValue(Vw * kv);
    sv.SharedRimSpeed = u;
    const float N = cdiv(60.0f * u, checkedValue(Pi * D));
    sv.SharedSpeed = N;
    const float omega = checkedValue(TwoPi * N / 60.0f);
    sv.SharedOmega = omega;
    const float tb = cdiv(checkedValue(Pi * D), checkedValue(u * nb));
    const float Vr = cdiv(checkedValue(Vw * std::sin(radians(beta))), std::sin(radians(blade)));
    sv.SharedRelativeSpeed = Vr;
    const float trueCoefficient = cdiv(u, Vw);
    const float Pk = checkedValue((Vr * Vr + u * u) * Q / 2.0f);
    sv.SharedKineticLoss = Pk;
    float Ps = checkedValue(P - Pk);
    const float Po = checkedValue((1.0f - etaT) * Ps + Lv);
    Ps = checkedValue(Ps - Po);
    const float Pe = checkedValue(etaG * Ps);
    sv.SharedPowerKW = Pe;
    const float perPassage = checkedValue(Q * tb * 1000.0f);
    const float bladeVolume = cdiv(Vc, nb);
    const float filling = cdiv(perPassage, bladeVolume);
    const float control = checkedValue(perPassage * 6.0f * G * D * omega / 5000.0f);

    show(0, P);
    show(1, Ps);
    show(2, Pe);
    show(3, checkedValue(1000.0f * Q));
    show(4, Vw);
    show(5, u);
    show(6, N);
    show(7, Pk);
    show(8, tb);
    show(9, omega);
    show(10, perPassage);
    show(11, Vc / 1000.0f);
    show(12, cdiv(checkedValue(100.0f * Pe), P));
    show(13, control);
    show(14, Vr);
    show(16, bladeVolume);
    show(19, Po);
    show(20, filling);
    show(21, trueCoefficient);
}

void Frmrouedecote::clearResults() {
    for (int i = 0; i < ResultCount; ++i) set("Resubox", i, "");
}

void Frmrouedecote::openSelected() {
    const std::string entry = ctl("List1").text();
    if (entry.empty()) return;
    shared().SharedFilePath = shared().AppFolder;
    shared().SharedLastFile = entry;
    openDesign(*this, entry, "Valbox", InputCount);
}

// The fixed design "Csansnom.txt" of the program folder: its first twelve values into
// boxes 0 to 11; the entry angle (box 12) keeps what it shows.
void Frmrouedecote::openUnnamed() {
    shared().SharedFilePath = shared().AppFolder + UnnamedFile;
    openDesign(*this, UnnamedFile, "Valbox", UnnamedCount);
    shared().SharedLastFile = UnnamedFile;
}

void Frmrouedecote::save() {
    DesignSave d;
    d.prompt = "Complétez le nom de fichier";
    d.title = "Enregistrez un nouveau  fichier";
    d.proposed = shared().SharedLastFile.empty() ? std::string(UnnamedFile) : shared().SharedLastFile;
    d.letter = "C";
    d.listPattern = "C*.txt";
    if (auto name = saveDesign(*this, d, boxTexts(*this, "Valbox", InputCount), &ctl("List1")))
        shared().SharedLastFile = *name;
}

}  // namespace aub

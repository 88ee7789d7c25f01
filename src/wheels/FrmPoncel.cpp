#include "wheels/FrmPoncel.h"

#include <array>
#include <cmath>
#include <utility>

#include "core/CalcError.h"
#include "core/Checked.h"
#include "core/Constants.h"
#include "core/NumberText.h"
#include "core/SharedValues.h"
#include "forms/Dialogs.h"
#include "forms/Platform.h"
#include "forms/Session.h"
#include "forms/StudyBoxes.h"
#include "wheels/WheelCommon.h"
#include "wheels/WheelFiles.h"

namespace aub {

namespace {

constexpr const char* ResultMask = "#0.####";
constexpr int InputCount = 10;

const std::array<const char*, InputCount> InputCaptions = {
    "Hauteur de chute m", "Débit litres / seconde", "Diamètre Roue m", "Largeur roue m",  "Angle aube circonf.",
    "H. Aube % Diamètre", "Angle aube sortie deg",  "Nombre d'aubes ", "Perte hauteur %", "K Reduction"};

// Result boxes with their captions, in the order of the two columns.
const std::array<std::pair<int, const char*>, 18> ResultCaptions = {{
    {10, "Volume couronne l"},
    {11, " Epaisseur du jet cm"},
    {12, "Couple m * N"},
    {13, "Puissance théo. watts "},
    {14, "Vitesse de l'eau m/s"},
    {15, "Omega rad/sec"},
    {16, "Vitesse sortie m/s"},
    {17, "Rendement"},
    {18, "Vitesse T/min"},
    {19, "Puissance utile watts"},
    {20, "Puissance utile CV"},
    {21, "Temps passage aube s"},
    {22, "Temps remontée eau"},
    {24, "Volume entre aubes l"},
    {25, "Remplissage %"},
    {26, "Hauteur de l'aube m"},
    {27, "Vitesse Spécifique T/min"},
    {28, "Remontée dans aube m"},
}};

}  // namespace

std::vector<StudyBox> FrmPoncel::studyInputs() { return studyBoxes("Valbox", InputCaptions); }

std::vector<StudyBox> FrmPoncel::studyResults() { return studyRows("Valbox", ResultCaptions); }

FrmPoncel::FrmPoncel(Session& s) : Form(s, "FrmPoncel", "ROUE PONCELET") {
    helpRecord = 21;
    columns = 2;
    frame("Frame1", -1, "DONNEES").at(0, 0);
    for (int i = 0; i < InputCount; ++i) {
        label("Label", i, InputCaptions[static_cast<std::size_t>(i)]).in("Frame1").at(i, 0);
        textBox("Valbox", i).in("Frame1").at(i, 1);
    }
    frame("Frame2", -1, "RESULTATS").at(0, 1);
    for (std::size_t k = 0; k < ResultCaptions.size(); ++k) {
        const auto [box, text] = ResultCaptions[k];
        const int row = static_cast<int>(k % 9);
        const int col = k < 9 ? 0 : 2;
        label("Label", box, text).in("Frame2").at(row, col);
        textBox("Valbox", box).in("Frame2").at(row, col + 1).locked = true;
    }
    listBox("List1").at(1, 0);
    button("Command1", -1, "Lancer Calcul").at(1, 1);

    menu("Fichier", "Fichier");
    menu("enregistrer", "enregistrer", "Fichier");
    menu("Ouvrir", "Ouvrir", "Fichier");
    menu("Quitter", "Quitter", "Fichier");
    menu("Impression", "Impression", "Fichier");
    menu("Aidelocale", "Aide Locale", "Fichier");

    on("Command1", EventKind::Click, [this](int) { calcule(); });
    on("List1", EventKind::Click, [this](int) { openSelected(); });
    on("Ouvrir", EventKind::Click, [this](int) {
        if (ctl("List1").listIndex() < 0)
            dialogs().message(ChooseFileFirst);
        else
            openSelected();
    });
    on("enregistrer", EventKind::Click, [this](int) { save(); });
    on("Quitter", EventKind::Click, [this](int) { session().endProgramFromWindow(); });
    on("Impression", EventKind::Click, [this](int) { askAndPrint(*this); });
    on("Aidelocale", EventKind::Click, [this](int) { session().showHelpRecord(number(shared().FormulaId)); });

    defaultAction = "Command1";
    tracksEdits = true;
    discardsEdits("List1");
    discardsEdits("Ouvrir");
}

void FrmPoncel::load() {
    caption = "EVALUATION D'UNE ROUE PONCELET";
    shared().FormulaId = FormulaCode::PonceletWheel;
    listDesigns(*this, ctl("List1"), "P*.txt");
}

void FrmPoncel::show(int box, float value) { set("Valbox", box, formatMask(value, ResultMask)); }

void FrmPoncel::calcule() {
    std::array<float, InputCount> in{};
    for (int i = 0; i < InputCount; ++i) {
        in[static_cast<std::size_t>(i)] = num("Valbox", i);
        if (in[static_cast<std::size_t>(i)] == 0.0f) {
            dialogs().message("Données incomplètes");
            return;
        }
    }
    SharedValues& sv = shared();
    const float H = in[0];
    sv.SharedHead.set(H, HeadUnit::Metres);
    const float Q = in[1];  // l/s
    sv.SharedFlow.set(Q, FlowRateUnit::LitresPerSecond);
    const float D = in[2];
    sv.SharedDiameter = D;
    const float B = in[3];
    const float hb = checkedValue(in[5] * D / 100.0f);
    const float K = in[9];
    // The angle as read for the check above, so that "22,5" counts as 22.5 degrees.
    const float alpha = radians(in[4]);
    (void)radians(in[6]);  // the exit angle is only checked

    float V = csqrt(checkedValue(TwoG * H));
    const unsigned char nb = toByte(in[7]);
    float e = cdiv(Q, checkedValue(10.0f * B * V));
    const float Hn = H - e / 100.0f;
    V = csqrt(checkedValue(TwoG * Hn));
    sv.SharedVelocity = V;
    e = cdiv(Q, checkedValue(10.0f * B * V));
    const float u = V / 2.0f;
    sv.SharedRelativeSpeed = u;
    const float N = cdiv(60.0f * u, checkedValue(Pi * D));
    sv.SharedSpeed = N;
    const float omega = TwoPi * N / 60.0f;
    const float tb = cdiv(60.0f, checkedValue(static_cast<float>(nb) * N));
    const float P = checkedValue(G * H * Q);
    sv.SharedPower.set(P, PowerUnit::Watts);
    const float c2x = checkedValue(u - K * u * std::cos(alpha));
    const float c2y = checkedValue(-u * K * std::sin(alpha));
    const float c2 = csqrt(checkedValue(c2x * c2x + c2y * c2y));
    const float ri = D / 2.0f - hb;
    const float Vc = checkedValue((Pi * D * D / 4.0f - Pi * ri * ri) * B * 1000.0f);
    const float Vb = cdiv(Vc, static_cast<float>(nb));
    const float hr = checkedValue(V * V / 78.48f);
    const float x = cdiv(2.0f * hr, D);
    const float eta = checkedValue(85.0f - 100.0f * ((1.0f - x) * (1.0f - x)) / 4.0f);
    sv.SharedEfficiency = eta;
    const float Pu = checkedValue(eta * P / 100.0f);
    const float Pcv = Pu / 736.0f;
    sv.SharedPowerCV = Pcv;
    const float ns = cdiv(checkedValue(N * csqrt(Pcv)), cpow(H, 1.25f));
    const float perPassage = checkedValue(Q * tb);
    const float C = cdiv(Pu, omega);

    show(10, Vc);
    show(11, e);
    show(12, C);
    show(13, P);
    show(14, V);
    show(15, omega);
    show(16, c2);
    show(17, eta);
    show(18, N);
    show(19, Pu);
    show(20, Pcv);
    show(21, tb);
    // Time for the water to fall back from the top of the blade.
    const double hbd = hb;
    if (hbd < 0) throw CalcError(ErrBadCall);
    set("Valbox", 22, formatMask(std::sqrt(2.0 * hbd / 9.81), ResultMask));
    show(24, Vb);
    show(27, ns);
    show(28, hr);
    show(25, cdiv(checkedValue(100.0f * perPassage), Vb));
    show(26, hb);
}

void FrmPoncel::openSelected() {
    const std::string entry = ctl("List1").text();
    if (entry.empty()) return;
    shared().SharedFilePath = shared().AppFolder + entry;
    openDesign(*this, entry, "Valbox", InputCount);
}

void FrmPoncel::save() {
    DesignSave d;
    d.prompt = NewFilePrompt;
    d.title = NewFileTitle;
    d.proposed = proposedStem(ctl("List1"), "Psansnom");
    d.letter = "P";
    d.listPattern = "P*.txt";
    saveDesign(*this, d, boxTexts(*this, "Valbox", InputCount), &ctl("List1"));
}

}  // namespace aub

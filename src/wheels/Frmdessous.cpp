#include "wheels/Frmdessous.h"

#include <array>
#include <cmath>
#include <utility>

#include "core/Checked.h"
#include "core/Constants.h"
#include "core/NumberText.h"
#include "core/SharedValues.h"
#include "forms/Dialogs.h"
#include "forms/Platform.h"
#include "forms/Printing.h"
#include "forms/Session.h"
#include "forms/StudyBoxes.h"
#include "wheels/WheelCommon.h"
#include "wheels/WheelFiles.h"

namespace aub {

namespace {

constexpr const char* ResultMask = "####.0####";
constexpr int InputCount = 9;
constexpr int MaterialBox = 8;  // valubox(8): the material's name
constexpr int Yellow = 0xFFFF00;
constexpr int Red = 0xFF0000;

const std::array<const char*, InputCount> InputCaptions = {
    "Hauteur de chute m",  "Levée vanne m",  "Diamètre Roue m",    "Largeur roue m", "Largeur du jet",
    "Hauteur de l'aube m", "Nombre d'aubes", "Epaisseur aubes mm", "Matériau"};

// Result boxes with their captions, in the order of the two columns.
const std::array<std::pair<int, const char*>, 24> ResultCaptions = {{
    {0, "Volume entre aubes l."},
    {1, "Coeff remplissage"},
    {2, "Perte du coursier  m"},
    {3, "Débit  l/s"},
    {4, "Vitesse T/min"},
    {5, "Force sur aube (N)"},
    {6, "  P théorique watts"},
    {7, "Couple mN"},
    {8, "Volume total roue l."},
    {9, "Puissance utile watts"},
    {10, " Surface du jet cm2"},
    {11, " Epaisseur du jet cm"},
    {12, "Vitesse de l'eau m/s"},
    {13, "Omega rad/sec"},
    {14, " Vitesse spécifique"},
    {15, "Tours par seconde"},
    {16, "Masse de la roue kg"},
    {17, "Puissance CV"},
    {18, "Rap. surf  aube / jet"},
    {20, "Moment inertie  kg m2"},
    {22, "Secondes par tour"},
    {23, "Rendement"},
    {24, "Eng reçue / tour joules"},
    {25, "1/2   I w^2 joules"},
}};

struct Material {
    const char* name;
    float density;  // kg/dm3
};
constexpr std::array<Material, 3> Materials = {{{"Bois", 0.9f}, {"Acier", 7.8f}, {"Alliage", 3.0f}}};

}  // namespace

std::vector<StudyBox> Frmdessous::studyInputs() {
    // The material is chosen in its list (its density is a program-wide value), the box
    // under it only names it.
    std::vector<StudyBox> out;
    out.reserve(MaterialBox + 1);
    for (int i = 0; i < MaterialBox; ++i)
        out.push_back(studyBox("valubox", i, InputCaptions[static_cast<std::size_t>(i)]));
    out.push_back(studyBox("Combo1", -1, InputCaptions[static_cast<std::size_t>(MaterialBox)]));
    return out;
}

std::vector<StudyBox> Frmdessous::studyResults() { return studyRows("Valbox", ResultCaptions); }

Frmdessous::Frmdessous(Session& s) : Form(s, "Frmdessous", "CALCUL DE LA ROUE EN DESSOUS") {
    helpRecord = 11;
    columns = 2;
    frame("Frame1", -1, "DONNEES").at(0, 0, 2, 1);
    for (int i = 0; i < InputCount; ++i) {
        label("Labeldon", i, InputCaptions[static_cast<std::size_t>(i)]).in("Frame1").at(i, 0);
        textBox("valubox", i).in("Frame1").at(i, 1);
    }
    listBox("Combo1").in("Frame1").at(InputCount, 0, 1, 2);
    listBox("Combo2").in("Frame1").at(InputCount + 1, 0, 1, 2).hidden();
    label("Label1", -1, "").in("Frame1").at(InputCount + 2, 0, 1, 2);

    frame("Frame2", -1, "RESULTATS").at(0, 1);
    for (std::size_t k = 0; k < ResultCaptions.size(); ++k) {
        const auto [box, text] = ResultCaptions[k];
        const int row = static_cast<int>(k % 12);
        const int col = k < 12 ? 0 : 2;
        label("Label", box, text).in("Frame2").at(row, col);
        textBox("Valbox", box).in("Frame2").at(row, col + 1);
    }
    listBox("List1").at(1, 1);

    menu("fichier", "&Fichier");
    menu("Enreg", "Enregistre données", "fichier");
    menu("Effacetout", "Efface_tout");
    menu("Resetmat", "Reset matériau");
    menu("Aidelocale", "Aide Locale");
    menu("Imprime", "Imprime feuille");

    on("Combo1", EventKind::Click, [this](int) { chooseMaterial(); });
    on("Combo2", EventKind::Click, [this](int) { chooseGate(); });
    on("List1", EventKind::Click, [this](int) { openSelected(); });
    on("Enreg", EventKind::Click, [this](int) { save(); });
    on("Effacetout", EventKind::Click, [this](int) { clearResults(); });
    on("Resetmat", EventKind::Click, [this](int) {
        ctl("Combo1").visible = true;
        ctl("Combo2").visible = true;
    });
    on("Aidelocale", EventKind::Click, [this](int) { session().showHelpRecord(number(shared().FormulaId)); });
    on("Imprime", EventKind::Click, [this](int) { printSheet(); });

    tracksEdits = true;
    discardsEdits("List1");
    // The wheel is calculated by choosing the gate; Enter calculates again with the gate
    // chosen last (once the material is chosen the gate list is shown).
    defaultAction = "Combo2";
    resultBoxes = {"Frame2"};
}

void Frmdessous::load() {
    caption = "EVALUATION D'UNE ROUE EN DESSOUS ELEMENTAIRE";
    shared().FormulaId = FormulaCode::UndershotWheel;
    listDesigns(*this, ctl("List1"), "B*.txt");
    Control& materials = ctl("Combo1");
    materials.clearItems();
    for (const auto& m : Materials) materials.addItem(m.name);
    Control& gates = ctl("Combo2");
    gates.clearItems();
    gates.addItem("DROITE");
    gates.addItem("INCLINEE");
    gates.visible = false;
}

void Frmdessous::chooseMaterial() {
    Control& materials = ctl("Combo1");
    const int i = materials.listIndex();
    if (i < 0 || i >= static_cast<int>(Materials.size())) return;
    // The density is a program-wide value: it stays chosen when the window is opened again.
    shared().SharedDensity = Materials[static_cast<std::size_t>(i)].density;
    set("valubox", MaterialBox, Materials[static_cast<std::size_t>(i)].name);
    materials.visible = false;
    ctl("Combo2").visible = true;
}

void Frmdessous::chooseGate() {
    if (trim(txt("valubox", 1)).empty()) {
        dialogs().message("saisir d'abord toutes les données");
        return;
    }
    const std::string& gate = ctl("Combo2").text();
    if (gate == "DROITE")
        droiture();
    else if (gate == "INCLINEE")
        inclinaison();
}

void Frmdessous::inclinaison() {
    gateType_ = InclinedGate;
    dH_ = 0;
    S_ = 0;
    results_.flumeLoss = 0;
    ctl("Label1").backColor = Yellow;
    litDonnees();
    evalueRoue();
    affiche();
}

void Frmdessous::droiture() {
    gateType_ = VerticalGate;
    ctl("Label1").backColor = Red;
    litDonnees();
    evalueRoue();
    perteCoursierDroit();
    evalueRoue();
    affiche();
}

void Frmdessous::litDonnees() {
    H_ = num("valubox", 0);
    shared().SharedHead.set(H_, HeadUnit::Metres);
    e_ = num("valubox", 1);
    D_ = num("valubox", 2);
    shared().SharedDiameter = D_;
    B_ = num("valubox", 3);
    b_ = num("valubox", 4);
    h_ = num("valubox", 5);
    num("valubox", 6);  // read like the others: a text the regional reading refuses is reported
    n_ = toInteger(leadingNumber(trim(txt("valubox", 6))));
    t_ = num("valubox", 7);

    V_ = csqrt(checkedValue((H_ - e_ / 2.0f) * TwoG));
    shared().SharedVelocity = V_;
    if (gateType_ == VerticalGate) {
        ctl("Label1").caption = "Vanne verticale";
        Q_ = checkedValue(b_ * 0.7f * e_ * V_);
        eta_ = 27;
    } else {
        ctl("Label1").caption = "Vanne inclinée";
        Q_ = checkedValue(b_ * 0.8f * e_ * V_);
        eta_ = 30;
    }
    shared().SharedFlow.set(Q_, FlowRateUnit::CubicMetresPerSecond);
    shared().SharedEfficiency = eta_;
    results_.velocity = V_;
    results_.flow = Q_;
    results_.efficiency = eta_;
}

void Frmdessous::evalueRoue() {
    C_ = 0;
    results_.torque = 0;
    const float rho = shared().SharedDensity;
    // Cylinder pi D²/4 B in dm3 = litres.
    wheelVolume_ = checkedValue(D_ * D_ * (B_ * 250.0f * Pi));
    shared().SharedWheelVolume = wheelVolume_;
    q_ = checkedValue(1000.0f * Q_);
    // Blades, every length in dm and t in mm, then one side disc of diameter D.
    M_ = checkedValue(rho * (t_ / 100.0f) * (10.0f * h_) * (10.0f * B_) * static_cast<float>(n_));
    M_ = checkedValue(M_ + (10.0f * D_) * (10.0f * D_) * rho * (t_ / 100.0f) * Pi / 4.0f);
    results_.mass = M_;
    set("Valbox", 16, formatMask(M_, ResultMask));
    I_ = checkedValue(D_ * D_ * 0.16f * M_);
    results_.inertia = I_;
    N_ = cdiv(checkedValue(27.0f * V_), checkedValue((D_ - h_ / 4.0f) * Pi));
    shared().SharedSpeed = N_;
    results_.speed = N_;
    omega_ = checkedValue(N_ * TwoPi / 60.0f);
    shared().SharedOmega = omega_;
    results_.omega = omega_;
    P_ = checkedValue(H_ * G * q_);
    shared().SharedPower.set(P_, PowerUnit::Watts);
    Pcv_ = P_ / 736.0f;
    ns_ = cdiv(checkedValue(N_ * csqrt(Pcv_)), cpow(H_, 1.25f));
    A_ = cdiv(checkedValue(q_ * 10.0f), V_);
    ej_ = cdiv(A_, checkedValue(100.0f * b_));
    const float pitch = cdiv(checkedValue(Pi * D_), static_cast<float>(n_));
    Vb_ = checkedValue(pitch * h_ * B_ * 1000.0f);
    F_ = checkedValue((V_ - V_ / 2.0f) * 1000.0f * Q_);
    shared().SharedBladeForce = F_;
    C_ = checkedValue((D_ - h_) * (0.87f * F_) / 2.0f);
    results_.torque = C_;
}

void Frmdessous::perteCoursierDroit() {
    dH_ = 0;
    const float R = D_ / 2.0f;
    const float step = R / 10.0f;
    constexpr float ManningN = 0.011f;
    b_ = num("valubox", 4);
    // The depth, and so the slope, do not change along the flume: every pass adds the
    // same amount. A flume of no length has no loss.
    if (step > 0.0f) {
        for (float x = 0; x <= R; x += step) {
            const float y = cdiv(Q_, checkedValue(b_ * V_));
            const float Rh = cdiv(checkedValue(b_ * y), checkedValue(2.0f * y + b_));
            S_ = checkedValue(cpow(Rh, -4.0f / 3.0f) * V_ * V_ * ManningN * ManningN);
            dH_ = checkedValue(dH_ + S_ * step);
        }
    }
    results_.flumeLoss = dH_;
    const float W = checkedValue(V_ * V_ - TwoG * dH_);
    if (W >= 0.0f) {
        V_ = std::sqrt(W);
        shared().SharedVelocity = V_;
        results_.velocity = V_;
    } else {
        dialogs().message(formatGeneral(W, shared().DecimalComma ? ',' : '.'));
    }
}

void Frmdessous::show(int box, float value) { set("Valbox", box, formatMask(value, ResultMask)); }

void Frmdessous::affiche() {
    show(0, Vb_);
    show(1, cdiv(Vb_, wheelVolume_));
    show(2, dH_);
    show(3, q_);
    show(4, N_);
    show(5, F_);
    show(6, P_);
    show(7, C_);
    show(8, wheelVolume_);
    const float Pu = checkedValue(eta_ * P_ / 100.0f);
    const float Er = cdiv(checkedValue(Pu * 60.0f), N_);
    show(9, Pu);
    show(10, A_);
    show(11, ej_);
    show(12, V_);
    show(13, omega_);
    show(14, ns_);
    show(15, N_ / 60.0f);
    show(17, Pu / 736.0f);
    show(18, cdiv(checkedValue(100.0f * h_), ej_));
    show(20, I_);
    show(22, cdiv(60.0f, N_));
    show(23, eta_);
    show(24, Er);
    const double stored = static_cast<double>(omega_) * omega_ * (static_cast<double>(I_) * 0.5);
    set("Valbox", 25, formatMask(stored, ResultMask));
}

void Frmdessous::clearResults() {
    for (int box : {10, 11, 12, 13, 14, 15, 16, 17, 18, 20, 22, 23, 24}) set("Valbox", box, "");
}

void Frmdessous::openSelected() {
    const std::string entry = ctl("List1").text();
    if (entry.empty()) return;
    shared().SharedFilePath = shared().AppFolder + entry;
    openDesign(*this, entry, "valubox", InputCount);
}

void Frmdessous::save() {
    DesignSave d;
    d.prompt = NewFilePrompt;
    d.title = NewFileTitle;
    d.proposed = proposedStem(ctl("List1"), "Bsansnom");
    d.letter = "B";
    d.listPattern = "B*.txt";
    saveDesign(*this, d, boxTexts(*this, "valubox", InputCount), &ctl("List1"));
}

void Frmdessous::printSheet() {
    // White background and white result captions Label(0)..Label(26) for the paper.
    std::vector<Control*> captions;
    for (const auto& c : controls())
        if (c->kind() == ControlKind::Label && c->name() == "Label") captions.push_back(c.get());
    printOnWhite(*this, captions);
}

}  // namespace aub

#include "wheels/FrmSagebi.h"

#include <array>
#include <cmath>
#include <utility>

#include "core/CalcError.h"
#include "core/Checked.h"
#include "core/Constants.h"
#include "core/Hydraulics.h"
#include "core/NumberText.h"
#include "core/SharedValues.h"
#include "files/AppFolder.h"
#include "forms/Dialogs.h"
#include "forms/Session.h"
#include "forms/StudyBoxes.h"
#include "wheels/WheelCommon.h"
#include "wheels/WheelFiles.h"

namespace aub {

namespace {

constexpr int InputCount = 11;
constexpr int InputColour = 0xF9FAE6;   // RGB (249, 250, 230)
constexpr int ResultColour = 0xF6DCFF;  // RGB (246, 220, 255)
// Sagebien designs are "Sageb" + number + ".txt"; the other "S" files of the folder
// (undershot designs) are not for this window.
constexpr const char* DesignPattern = "Sageb*.txt";

using Caption = std::pair<int, const char*>;

constexpr int NameBox = 9;  // "Roue": the wheel's name

const std::array<Caption, InputCount> InputRows = {{
    {9, "Roue"},
    {0, "Hauteur de chute"},
    {1, "Largeur m"},
    {2, "Diamètre Roue m"},
    {8, "Nombre d'aubes"},
    {4, "Angle  aube rayon deg"},
    {5, " Coefficient de vitesse  Ve/V"},
    {6, "longueur aube % rayon"},
    {7, "vitesse V de l'eau m/s"},
    {3, "Nb d'aubes en admission"},
    {10, "Epaisseur des aubes mm"},
}};

const std::array<Caption, 12> ResultRows = {{
    {2, "Vitesse entrainement m/s"},
    {7, "V relative m/s"},
    {3, "vitesse roue T/min"},
    {13, "Secondes par tour"},
    {4, "Longueur de l'aube m"},
    {5, "Volume physique 1 aube  l"},
    {12, "Temps passage 1 aube s"},
    {10, "Volume admis 1 aube lit."},
    {6, "Débit l/s"},
    {9, "Coefficient remplissage"},
    {8, "Puissance théorique KW"},
    {1, "Puissance   utile  KW"},
}};

const std::array<Caption, 5> MoreResultRows = {{
    {11, "Arc admission m"},
    {16, "Pas d'aube m"},
    {0, "Alpha degrés"},
    {14, " Beta  degrés"},
    {15, "Gamma degrés"},
}};

}  // namespace

std::vector<StudyBox> FrmSagebi::studyInputs() {
    // The wheel's name is a text, not a quantity.
    std::vector<StudyBox> out;
    for (const auto& [box, text] : InputRows)
        if (box != NameBox) out.push_back(studyBox("Valbox", box, text));
    return out;
}

std::vector<StudyBox> FrmSagebi::studyResults() { return studyRows("Resubox", ResultRows, MoreResultRows); }

FrmSagebi::FrmSagebi(Session& s) : Form(s, "FrmSagebi", "DONNEES") {
    helpRecord = 20;
    columns = 3;
    frame("Frame1", -1, "DONNEES").at(0, 0, 2, 1);
    for (std::size_t r = 0; r < InputRows.size(); ++r) {
        const auto [box, text] = InputRows[r];
        label("Label", box, text).in("Frame1").at(static_cast<int>(r), 0);
        textBox("Valbox", box).in("Frame1").at(static_cast<int>(r), 1);
    }
    frame("Frame2", -1, "RESULTATS").at(0, 1);
    for (std::size_t r = 0; r < ResultRows.size(); ++r) {
        const auto [box, text] = ResultRows[r];
        label("Labelresu", box, text).in("Frame2").at(static_cast<int>(r), 0);
        textBox("Resubox", box).in("Frame2").at(static_cast<int>(r), 1).locked = true;
    }
    frame("Frame3", -1, "RESULTATS SUITE").at(0, 2);
    label("Label11", -1, "Angles du triangle").in("Frame3").at(2, 0, 1, 2);
    for (std::size_t r = 0; r < MoreResultRows.size(); ++r) {
        const auto [box, text] = MoreResultRows[r];
        const int row = r < 2 ? static_cast<int>(r) : static_cast<int>(r) + 1;
        label("Labelresu", box, text).in("Frame3").at(row, 0);
        textBox("Resubox", box).in("Frame3").at(row, 1).locked = true;
    }
    label("Label12", -1, "Allure générale du triangle des vitesses").at(1, 1);
    picture("Image1").at(1, 2).picture = "anglesagb.jpg";
    label("Label13", -1, "Pertes watts").at(2, 1);
    // The designs under the inputs, in the room the inputs leave beside the picture.
    listBox("List1").in("Frame1").at(static_cast<int>(InputRows.size()), 0, 1, 2).size(0, 1500);

    menu("Fichier", "Fichier");
    menu("Nouveau", "Nouveau", "Fichier");
    menu("Ouvre", "Ouvre", "Fichier");
    menu("Enregistre", "Enregistre", "Fichier");
    menu("Calcul", "Calcul");
    menu("Aidelocale", "Aide locale");
    menu("ImprimF", "ImprimF");
    menu("Resetdonnees", "Reset données");
    menu("plusinfos", "plusinfos");

    on("Calcul", EventKind::Click, [this](int) { calcul(); });
    on("List1", EventKind::Click, [this](int) { openSelected(); });
    on("Ouvre", EventKind::Click, [this](int) {
        if (ctl("List1").listIndex() < 0)
            dialogs().message(ChooseFileFirst);
        else
            openSelected();
    });
    on("Enregistre", EventKind::Click, [this](int) { save(); });
    on("Nouveau", EventKind::Click, [this](int) { nouveau(); });
    on("Resetdonnees", EventKind::Click, [this](int) {
        for (int i = 0; i < InputCount; ++i) set("Valbox", i, "");
        clearUnsavedEdits();
    });
    on("plusinfos", EventKind::Click, [this](int) { plusinfos(); });
    on("ImprimF", EventKind::Click, [this](int) { askAndPrint(*this); });
    on("Aidelocale", EventKind::Click, [this](int) { session().showHelpRecord(number(shared().FormulaId)); });

    defaultAction = "Calcul";
    resultBoxes = {"Resubox"};
    tracksEdits = true;
    for (const char* discarding : {"List1", "Ouvre", "Nouveau", "Resetdonnees"}) discardsEdits(discarding);
}

void FrmSagebi::load() {
    shared().AppFolder = withSeparator(session().appFolder());
    caption = "EVALUATION ROUE SAGEBIEN";
    for (int i = 0; i <= 8; ++i) {
        ctl("Valbox", i).backColor = InputColour;
        ctl("Resubox", i).backColor = ResultColour;
    }
    sagebienNumber_ = "01";
    listDesigns(*this, ctl("List1"), DesignPattern);
}

FrmSagebi::Results FrmSagebi::evaluate(const Inputs& in, SharedValues* sv) {
    Results r;
    const float R = in.D / 2.0f;
    r.Ve = checkedValue(in.kv * in.V);
    r.Lb = checkedValue(in.lambda * R);
    float x = checkedValue(in.kv * std::cos(radians(in.theta)));
    if (std::fabs(x) > 1.0f) throw CalcError(ErrBadCall);  // no triangle with these speeds
    r.gamma = degrees(arcSin(x));
    if (sv) sv->SharedGamma = r.gamma;
    r.beta = checkedValue(90.0f - in.theta);
    if (sv) sv->SharedBeta = r.beta;
    r.alpha = checkedValue(180.0f - (r.beta + r.gamma));
    if (sv) sv->SharedAlpha = r.alpha;
    r.Vr = cdiv(checkedValue(in.V * std::sin(radians(r.alpha))), std::sin(radians(r.beta)));
    if (sv) sv->SharedRelativeSpeed = r.Vr;
    r.N = cdiv(checkedValue(60.0f * r.Ve), checkedValue(Pi * in.D));
    r.T = cdiv(60.0f, r.N);
    r.tb = cdiv(r.T, in.nb);
    const float Ac = checkedValue(Pi * R * R - Pi * checkedValue((R - r.Lb) * (R - r.Lb)));
    r.Ab = checkedValue(in.t * r.Lb * in.nb / 1000.0f);
    r.a = cdiv(checkedValue(Ac - r.Ab), in.nb);
    r.Vphys = checkedValue(r.a * in.B * 1000.0f);
    r.Q = checkedValue(r.Vr * r.a);
    if (sv) sv->SharedFlow.set(r.Q, FlowRateUnit::CubicMetresPerSecond);
    r.Qa = checkedValue(r.Q * in.na);
    r.Vadm = checkedValue(r.Q * r.tb * 1000.0f);
    r.P = checkedValue(r.Qa * G * in.H);
    if (sv) sv->SharedPower.set(r.P, PowerUnit::Kilowatts);
    r.phi = cdiv(checkedValue(r.Vadm * in.na), r.Vphys);
    r.s = cdiv(checkedValue(Pi * in.D), in.nb);
    return r;
}

void FrmSagebi::calcul() {
    Inputs in;
    in.H = num("Valbox", 0);
    in.B = num("Valbox", 1);
    in.D = num("Valbox", 2);
    in.na = num("Valbox", 3);
    in.theta = num("Valbox", 4);
    in.lambda = num("Valbox", 6) / 100.0f;
    in.V = num("Valbox", 7);
    in.nb = num("Valbox", 8);
    in.kv = num("Valbox", 5);
    in.t = num("Valbox", 10);
    SharedValues& sv = shared();
    sv.SharedHead.set(in.H, HeadUnit::Metres);
    sv.SharedWidth = in.B;
    sv.SharedDiameter = in.D;
    sv.SharedPitchAngle = in.theta;
    sv.SharedVelocity = in.V;

    const Results r = evaluate(in, &sv);
    in_ = in;
    res_ = r;
    if (r.phi > MaxFilling) dialogs().message("Remplissage excessif");

    auto show = [this](int box, float v) { set("Resubox", box, formatNumber(v)); };
    show(0, r.alpha);
    show(1, 0.85f * r.P);
    show(2, r.Ve);
    show(3, r.N);
    show(4, r.Lb);
    show(5, r.Vphys);
    show(6, checkedValue(1000.0f * r.Qa));
    show(10, r.Vadm);
    show(7, r.Vr);
    show(12, r.tb);
    show(13, r.T);
    show(8, r.P);
    show(9, r.phi);
    show(11, checkedValue(in.na * r.s));
    show(15, r.gamma);
    show(16, r.s);
    show(14, r.beta);
}

// Checks of the triangle: the three ratios of the law of sines, and the wood of the blades.
void FrmSagebi::plusinfos() {
    const float forRelative = cdiv(res_.Ve, std::sin(radians(res_.gamma)));
    const float forRim = cdiv(res_.Vr, std::sin(radians(res_.alpha)));
    const float forArrival = cdiv(in_.V, std::sin(radians(res_.beta)));
    const float wood = checkedValue(in_.B * res_.Ab);
    Form& more = session().load("Sageplus");
    more.set("Text1", 0, plainNumber(forRelative));
    more.set("Text1", 1, plainNumber(forRim));
    more.set("Text1", 2, plainNumber(forArrival));
    more.set("Text1", 3, plainNumber(wood));
    session().hide(name());
    session().show("Sageplus", true);
}

void FrmSagebi::openSelected() {
    const std::string entry = ctl("List1").text();
    if (entry.empty()) return;
    shared().SharedFilePath = shared().AppFolder + entry;
    openDesign(*this, entry, "Valbox", InputCount);
}

void FrmSagebi::save() {
    DesignSave d;
    d.prompt = "Enregistrez un numéro Sagebien";
    d.title = "Acceptez le numéro de fichier proposé ou Annulez";
    d.proposed = sagebienNumber_;
    d.namePrefix = "Sageb";
    d.listPattern = DesignPattern;
    saveDesign(*this, d, boxTexts(*this, "Valbox", InputCount), &ctl("List1"));
}

void FrmSagebi::nouveau() {
    for (int i = 0; i <= 8; ++i) set("Valbox", i, "");
    for (int i = 0; i <= 12; ++i) set("Resubox", i, "");
    sagebienNumber_ = "00";
    clearUnsavedEdits();
}

}  // namespace aub

#include "wind/Frmpage78.h"

#include <cmath>
#include <iterator>
#include <string>
#include <utility>

#include "core/CalcError.h"
#include "core/Checked.h"
#include "core/Constants.h"
#include "core/Hydraulics.h"
#include "core/NumberText.h"
#include "core/SharedValues.h"
#include "forms/Dialogs.h"
#include "forms/Session.h"
#include "forms/StudyBoxes.h"

namespace aub {

namespace {

const char* const Profiles[] = {"CLARK_Y", "NACA_4415", "NACA_63_415", "PLACAPLAT"};

using Caption = std::pair<int, const char*>;
const Caption InputRows[] = {{0, "Diamètre m"}, {8, "Vitesse vent m/s"}, {2, "Nombre de sections"}};
const Caption ResultRows[] = {{11, "P kW"}, {1, "N  T/min"}, {3, "Omega r/s"}, {4, "Rendement"}};
// Under the results, the name of the profile calculated.
constexpr int ProfileBox = 13;

const char* const Note =
    "Ce calcul a permis de connaitre la puissance d'une éolienne quelconque \n"
    "éxécuté en 10 sections du moyeu à l'extremité\n"
    "Rotor tripale, vitesse spécifique de calcul 7 ; chaque section travaille\n"
    "sous une incidence de 5 / racine(r/R) degrés, avec la corde optimale.\n"
    "Seuls la puissance et le rendement dépendent du profil choisi.";

}  // namespace

std::vector<StudyBox> Frmpage78::studyInputs() {
    std::vector<StudyBox> out = studyRows("Valbox", InputRows);
    out.insert(out.begin(), studyBox("Combo1", -1, "Profil"));
    return out;
}

std::vector<StudyBox> Frmpage78::studyResults() { return studyRows("Valbox", ResultRows); }

const std::vector<std::string>& Frmpage78::profiles() {
    static const std::vector<std::string> names(std::begin(Profiles), std::end(Profiles));
    return names;
}

Frmpage78::Frmpage78(Session& s) : Form(s, "Frmpage78", "Eolienne à profil : puissance par sections") {
    frame("Frame1", -1, "Modifiez les valeurs").at(0, 0);
    int row = 0;
    for (const auto& [box, text] : InputRows) {
        label("Label", box, text).in("Frame1").at(row, 0);
        textBox("Valbox", box).in("Frame1").at(row++, 1);
    }
    comboBox("Combo1", -1, "Choisir un profil").in("Frame1").at(row, 0, 1, 2);

    frame("Frame2", -1, "RESULTATS").at(0, 1);
    row = 0;
    for (const auto& [box, text] : ResultRows) {
        label("Label", box, text).in("Frame2").at(row, 0);
        textBox("Valbox", box).in("Frame2").at(row++, 1);
    }
    label("Label", ProfileBox, "PROFIL").in("Frame2").at(row, 0);
    textBox("Valbox", ProfileBox).in("Frame2").at(row, 1);

    textBox("Text1", -1).at(1, 0, 1, 2).size(9000, 2500).multi().hidden();
    menu("Retour", "Retour");

    on("Combo1", EventKind::Click, [this](int) { calculate(ctl("Combo1").text()); });
    on("Retour", EventKind::Click, [this](int) { session().unload(name()); });
    cancelAction = "Retour";
    onBackgroundClick([this] { ctl("Text1").visible = false; });
}

void Frmpage78::load() {
    set("Valbox", 0, "5");
    set("Valbox", 2, "10");
    set("Valbox", 8, "12");
    Control& list = ctl("Combo1");
    list.clearItems();
    for (const char* p : Profiles) list.addItem(p);
}

void Frmpage78::calculate(const std::string& profile) {
    constexpr float Blades = 3.0f;       // z
    constexpr float DesignRatio = 7.0f;  // λ0
    SharedValues& sv = shared();

    const float D = num("Valbox", 0);
    sv.SharedDiameter = D;
    const float R = D / 2.0f;
    const int n = toByte(num("Valbox", 2));
    const float V = num("Valbox", 8);

    const float Va = checkedValue(2.0f * V / 3.0f);
    const float omega = cdiv(checkedValue(DesignRatio * V), R);
    sv.SharedOmega = omega;

    sv.SharedPower.set(0.0f, PowerUnit::Watts);
    float cz = 0.0f, cx = 0.0f, thrust = 0.0f, eta = 0.0f;
    // No section at all: the relative radius k/n of a section has no meaning.
    if (n == 0) throw CalcError(ErrDivByZero);
    for (int k = 1; k <= n; ++k) {
        const float u = static_cast<float>(k) / static_cast<float>(n);
        const float r = R * u;
        const float lambda = DesignRatio * u;
        const float c0 = cdiv(50.265488f * R, 9.0f * DesignRatio * csqrt(lambda * lambda + 4.0f / 9.0f));
        const float t = cdiv(1.0f, 1.5f * lambda);
        const float phi = catan(t);
        const float incidence = cdiv(5.0f, csqrt(u));
        bool known = true;
        const bool read = trap(
            [&] {
                if (profile == "CLARK_Y")
                    clarkYPolar(incidence, cz, cx);
                else if (profile == "NACA_4415")
                    naca4415Polar(incidence, cz, cx);
                else if (profile == "NACA_63_415")
                    naca63415Polar(incidence, cz, cx);
                else if (profile == "PLACAPLAT")
                    flatPlatePolar(incidence, cz, cx);
                else
                    known = false;
            },
            "  erreur");
        if (!read) return;
        if (!known) {
            dialogs().message("pas de choix de profil");
            return;
        }
        const float chord = cdiv(c0, Blades * cz);
        const float area = checkedValue(R * chord / 12.0f);
        const float tanPhi = ctan(phi);
        const float load =
            checkedValue(Va * Va * (0.6125f * area) * (1.0f + cdiv(1.0f, checkedValue(tanPhi * tanPhi))));
        const float sinPhi = std::sin(phi), cosPhi = std::cos(phi);
        thrust = checkedValue(thrust + (cz * cosPhi + cx * sinPhi) * load);
        const float torque = checkedValue((cz * sinPhi - cx * cosPhi) * load * r);
        sv.SharedPower.set(checkedValue(sv.SharedPower + Blades * torque * omega), PowerUnit::Watts);
        eta = cdiv(sv.SharedPower, checkedValue(Blades * Va * thrust));
    }
    const float N = cdiv(420.0f * V, Pi * D);
    sv.SharedSpeed = N;

    set("Valbox", 1, formatNumber3(N));
    set("Valbox", 4, formatNumber3(eta));
    set("Valbox", 3, formatNumber3(omega));
    set("Valbox", 11, formatNumber3(checkedValue(sv.SharedPower / 1000.0f)));
    set("Valbox", ProfileBox, profile);
    Control& note = ctl("Text1");
    note.setText(Note);
    note.visible = true;
}

}  // namespace aub

#include "wheels/frmPendant.h"

#include <array>
#include <cmath>

#include "core/Checked.h"
#include "core/Constants.h"
#include "core/NumberText.h"
#include "core/SharedValues.h"
#include "forms/Dialogs.h"
#include "forms/Platform.h"
#include "forms/Session.h"
#include "wheels/WheelCommon.h"

namespace aub {

namespace {

struct Field {
    const char* box;
    const char* caption;
    const char* value;
};

const std::array<Field, 8> Fields = {{
    {"Text1", "Courant en m/s", "1"},
    {"Text2", "Diamètre", "2"},
    {"Text3", "Largeur", "2"},
    {"Text4", "Vitesse péri % ", "33"},
    {"Text5", "Nb d'aubes", "8"},
    {"Text6", "Inclinaison °", "0"},
    {"Text7", "H aube % D", "100"},
    {"Text8", "Enfocement % D", "30"},
}};

constexpr int ScrollMin = 1;
constexpr int ScrollMax = 99;
constexpr float LineHeight = 14.0f;  // drawing units per written line

}  // namespace

const std::string frmPendant::DetailHeader =
    std::string("Angle    L.Immer     S.Immer      Trainée     ") + "Poussée     L.utile       Couple       Puissance";

frmPendant::frmPendant(Session& s) : Form(s, "frmPendant", "ETUDES DES ROUES PENDANTES") {
    helpRecord = 19;
    columns = 3;
    frame("Frame1", -1, "Caractéristiques de la roue").at(0, 0);
    for (std::size_t r = 0; r < Fields.size(); ++r) {
        label("Label" + std::to_string(r + 1), -1, Fields[r].caption).in("Frame1").at(static_cast<int>(r), 0);
        textBox(Fields[r].box, -1).in("Frame1").at(static_cast<int>(r), 1);
    }
    label("Label9", -1, "finesse  du        calcul").at(1, 1);
    Control& scroll = slider("VScroll1", -1, ScrollMin, ScrollMax, ScrollMin);
    scroll.vertical = true;
    scroll.at(0, 1);
    canvas("Picture1").at(0, 2, 2, 1).size(9000, 4500);
    ctl("Picture1").drawing.scale(0, 0, 600, 300);

    menu("Fermer", "Fermer");
    menu("Configure", "Configure");
    menu("Calcul", "Calcul");
    menu("Aidelocale", "Aide locale");
    menu("Impressions", "Impressions");
    menu("Feuille", "Feuille", "Impressions");
    menu("Detaillee", "Détaillée", "Impressions");
    menu("Tests", "Tests");

    on("Fermer", EventKind::Click, [this](int) { session().unload(name()); });
    defaultAction = "Calcul";
    on("Configure", EventKind::Click, [this](int) { configure(); });
    on("Calcul", EventKind::Click, [this](int) {
        dialogs().message(" Calcul non disponible en cours de révision");
        session().unload(name());
    });
    on("Aidelocale", EventKind::Click, [this](int) { session().showHelpRecord(number(shared().FormulaId)); });
    on("Feuille", EventKind::Click, [this](int) { askAndPrint(*this); });
    on("Detaillee", EventKind::Click, [this](int) { printDetailed(); });
}

void frmPendant::load() { setDefaults(); }

void frmPendant::setDefaults() {
    for (const auto& f : Fields) set(f.box, -1, f.value);
    Control& scroll = ctl("VScroll1");
    scroll.setValue(static_cast<int>(roundHalfEven((scroll.min + scroll.max) / 2.0)));
}

void frmPendant::configure() {
    Drawing& d = ctl("Picture1").drawing;
    d.clear();
    float y = 20;
    for (const char* line : {"Modifiez selon choix des paramètres la Vitesse de l'eau ,  Le Diamètre de la roue",
                             "sa Largeur , le nombre d' aubes, leur Inclinaison ", "Puis lancez le calcul"}) {
        d.text(0, y, line);
        y += LineHeight;
    }
}

void frmPendant::position(float x, float y, const std::string& text) {
    platform().printText(x * 57.0f, y * 57.0f, text);
}

void frmPendant::printDetailed() {
    platform().printerSetup();
    position(10, 10, DetailHeader);
    platform().endPrintDocument();
}

std::string frmPendant::calib(float value) { return formatMask(value, "###0.000"); }

void frmPendant::bladeCoefficients(float i, double& Cx, double& Cz) {
    const double x = i;
    if (i > 45.0f) {
        Cx = 0.000311 * x * x + 0.01288 * x - 3.402e-6 * x * x * x;
        Cz = 0.00132 * x * x - 0.0136 * x - 1.3e-5 * x * x * x;
    } else {
        Cx = 0.00089 * x * x - 0.005 * x - 7.407e-6 * x * x * x;
        Cz = 0.01756 * x * x - 0.1273024 * x - 0.0006151712 * x * x * x + 6.6103e-6 * x * x * x * x;
    }
}

frmPendant::Flow frmPendant::vRelative(float alpha, float k, float V) {
    Flow f;
    f.gamma = catan(cdiv(std::cos(alpha), checkedValue(cdiv(1.0f, k) - std::sin(alpha))));
    const float theta = alpha + Pi / 2.0f - f.gamma;
    f.incidence = checkedValue((alpha - f.gamma) * 180.0f / Pi);
    bladeCoefficients(f.incidence, f.Cx, f.Cz);
    f.Vr = cdiv(checkedValue(V * std::cos(alpha)), std::sin(theta));
    return f;
}

}  // namespace aub

#include "turbines/frmarcy.h"

#include <cmath>

#include "core/Checked.h"
#include "core/Hydraulics.h"
#include "core/NumberText.h"
#include "core/SharedValues.h"
#include "forms/Dialogs.h"
#include "forms/Platform.h"
#include "forms/Session.h"
#include "forms/StudyBoxes.h"

namespace aub {

namespace {

const char* const DataCaptions[] = {"Largeur canal m", "Profondeur canal m", "Débit en m3/s", "Rugosité mm", "",
                                    "Perte mm*/m"};
const char* const Defaults[] = {"1.2", "0.06", "0.200", "0.02", "", ""};
// The calculation reads Valbox(0..3); the last two boxes are not read.
constexpr int ReadCount = 4;
const char* const ResultCaptions[] = {"Coefficient f",   "Perte mm/m",         "Diamètre hydraulique m",
                                      "Vitesse eau m/s", "Nombre de reynolds", "Rugosité relative"};

}  // namespace

std::vector<StudyBox> frmarcy::studyInputs() {
    std::vector<StudyBox> out;
    out.reserve(ReadCount);
    for (int i = 0; i < ReadCount; ++i) out.push_back(studyBox("Valbox", i, DataCaptions[i]));
    return out;
}

std::vector<StudyBox> frmarcy::studyResults() { return studyBoxes("Resubox", ResultCaptions); }

frmarcy::frmarcy(Session& s) : Form(s, "frmarcy", "Perte de charge d'un canal rectangulaire") {
    columns = 4;
    for (int i = 0; i < 6; ++i) {
        label("Label1", i, DataCaptions[i]).at(i, 0);
        textBox("Valbox", i, Defaults[i]).at(i, 1);
    }
    for (int i = 0; i < 6; ++i) {
        label("Label2", i, ResultCaptions[i]).at(i, 2);
        textBox("Resubox", i).at(i, 3);
    }
    button("Command1", -1, "Calcul").at(6, 0);
    on("Command1", EventKind::Click, [this](int) { calculate(); });
    defaultAction = "Command1";
    resultBoxes = {"Resubox"};
}

// The window only ever raises the flag: a comma as the regional decimal separator.
void frmarcy::load() {
    if (platform().decimalSeparator() == ',') shared().DecimalComma = true;
}

void frmarcy::calculate() {
    const double b = num("Valbox", 0), h = num("Valbox", 1), q = num("Valbox", 2), eps = num("Valbox", 3);
    if (b == 0 || h == 0 || b + 2 * h == 0) {
        stopCalculation("Il manque au moins une donnée");
        return;
    }
    const double v = cdivd(q, b * h);
    const double dh = cdivd(4 * b * h, b + 2 * h);
    const double r = cdivd(eps, 1000 * dh);
    const double re = v * dh / 1.005e-6;
    const double f = colebrookFriction(r, re, dialogs());
    const double j = cdivd(v * v * 1000 * f, dh * 19.62);
    set("Resubox", 0, formatMask(f, "##0.0####"));
    set("Resubox", 1, formatMask(j, "##0.0####"));
    set("Resubox", 2, formatMask(dh, "##0.0####"));
    set("Resubox", 3, formatMask(v, "##0.0####"));
    set("Resubox", 4, formatMask(std::trunc(re), "###########"));
    set("Resubox", 5, formatMask(r, "##0.0####"));
}

}  // namespace aub

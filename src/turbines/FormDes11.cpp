#include "turbines/FormDes11.h"

#include "core/Checked.h"
#include "core/NumberText.h"
#include "core/SharedValues.h"
#include "forms/Dialogs.h"
#include "forms/Session.h"

namespace aub {

FormDes11::FormDes11(Session& s) : Form(s, "FormDes11", "Turbine : indices N11, Q11, P11") {
    resultBoxes = {"Resubox"};
    columns = 2;
    frame("Frame1", -1, "RAPPEL DONNEES").at(0, 0);
    const char* data[] = {"Hauteur de chute",       "Débit",
                          "Vitesse rotation T/min", "Vitesse périphérique",
                          "Inclinaison aube deg.",  "Epaisseur aubes (mm)",
                          "Rapport couronne/R",     "Rendement espéré",
                          "Nombre d'aubes"};
    for (int i = 0; i < 9; ++i) {
        label("Label1", i, data[i]).in("Frame1").at(i, 0);
        textBox("Valbox", i).in("Frame1").at(i, 1);
    }
    frame("Frame2", -1, "RESULTATS").at(0, 1);
    const char* results[] = {
        "Vitesse spécifique",    "N11  T/min", "Q11 l/s", "P11   CV", "", "Puissance utile (CV)", "NS CONTROLE",
        "Hauteu amont idéale m", "Couple m N"};
    for (int i = 0; i < 9; ++i) {
        label("Label2", i, results[i]).in("Frame2").at(i, 0);
        textBox("Resubox", i).in("Frame2").at(i, 1);
    }
    button("Command1", -1, "Effacer").at(1, 0);
    // The inverse calculation is not part of this version: the button stays inert.
    button("Command2", -1, "Calcul inverse").at(1, 1);

    on("Command1", EventKind::Click, [this](int) {
        for (int i = 0; i < 9; ++i) {
            ctl("Valbox", i).locked = false;
            set("Resubox", i, "");
        }
    });
}

void FormDes11::load() {
    dialogs().message("Cette page n'est pas totalement au point !");
    for (int i = 0; i < 9; ++i) ctl("Valbox", i).locked = true;
    const SharedValues& sv = shared();
    set("Valbox", 0, plainNumber(sv.SharedHead));
    set("Valbox", 1, plainNumber(sv.SharedFlow));
    set("Valbox", 2, plainNumber(sv.SharedSpeed));
    calqu();
}

void FormDes11::calqu() {
    SharedValues& sv = shared();
    const float h = sv.SharedHead, q = sv.SharedFlow, n = sv.SharedSpeed, d2 = sv.SharedExitDiameter;
    const float pu = checkedValue(static_cast<double>(q) * 13.333 * h * sv.SharedEfficiency);
    sv.SharedPower.set(pu, PowerUnit::MetricHorsepower);
    set("Resubox", 5, formatMask(pu, "#####.####"));
    const float ns = cdiv(n * csqrt(pu), cpow(h, 1.25f));
    set("Resubox", 0, formatMask(ns, "####.####"));
    const float rootH = csqrt(h);
    const float n11 = cdiv(d2 * n, rootH);
    set("Resubox", 1, formatMask(n11, "####.####"));
    const float q11 = cdiv(q * 1000.0f, d2 * d2 * rootH);
    set("Resubox", 2, formatMask(q11, "####.####"));
    const float p11 = cdiv(pu, cpow(h, 1.5f) * d2 * d2);
    set("Resubox", 3, formatMask(p11, "####.####"));
    set("Resubox", 6, formatMask(n11 * csqrt(p11), "####.####"));
}

}  // namespace aub

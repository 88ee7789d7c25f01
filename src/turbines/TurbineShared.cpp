#include "turbines/TurbineShared.h"

#include "charts/DomaineEmploi.h"

#include "core/CalcError.h"
#include "core/Checked.h"
#include "core/Hydraulics.h"
#include "forms/Dialogs.h"
#include "forms/Form.h"
#include "forms/Platform.h"
#include "forms/Printing.h"
#include "forms/Session.h"

namespace aub {

void setSliderChecked(Control& slider, double value) {
    const int v = toInteger(value);
    if (v < slider.min || v > slider.max) throw CalcError(ErrBadProperty);
    slider.setValue(v);
}

const char* const PipeWalls[9] = {
    "", "Fibro", "Cuivre", "Plastic", "Acier lisse", "Acier soudé", "Fonte neuve", "Bois poncé", "Bois brut"};

float colebrookGradient(double relativeRoughness, float v, float d, Messenger& messenger) {
    double re = 0, f = 0;
    return colebrookGradient(relativeRoughness, v, d, messenger, re, f);
}

float colebrookGradient(double relativeRoughness, float v, float d, Messenger& messenger, double& re, double& f) {
    re = static_cast<double>(v) * d / 0.001005;
    f = colebrookFriction(relativeRoughness, re, messenger);
    return checkedValue(f * v * v * 1000.0 / (d * 19.62 / 1000.0));
}

PipeLosses pipeLosses(float j, float v, float l, float sigma) {
    PipeLosses r;
    r.hv = checkedValue(static_cast<double>(v) * v / 19.62);
    r.singular = checkedValue(static_cast<double>(sigma) * r.hv);
    r.total = checkedValue(static_cast<double>(j) * l + 1000.0 * r.singular);
    return r;
}

FailurePolicy inputFailure(Form& form) {
    return FailurePolicy{.leadIn = " un champ de saisie a une valeur incorrecte ou nulle",
                         .cleanUp = [&form] { form.clearResultBoxes(); }};
}

void openMachineChart(Session& session, const std::string& from, bool modal) {
    auto* chart = dynamic_cast<DomaineEmploi*>(&session.load("DomaineEmploi"));
    if (!chart || !chart->isLoaded()) return;
    chart->placeFromWindow(from);
    session.show("DomaineEmploi", modal);
}

}  // namespace aub

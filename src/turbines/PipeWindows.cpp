#include "turbines/PipeWindows.h"

#include "core/CalcError.h"
#include "core/Checked.h"
#include "core/Hydraulics.h"
#include "forms/Dialogs.h"
#include "forms/Form.h"
#include "forms/Platform.h"
#include "forms/Printing.h"
#include "forms/Session.h"
#include "forms/StudyBoxes.h"

namespace aub {

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

int addPipeData(Form& form, const char* wallLabel, std::span<const PipeBox> data) {
    form.frame("Frame1", -1, "").at(0, 0);
    form.label(wallLabel, -1, "Paroi").in("Frame1").at(0, 0);
    Control& walls = form.comboBox("Combo1").in("Frame1").at(0, 1);
    for (const char* m : PipeWalls) walls.addItem(m);
    int row = 1;
    for (const PipeBox& b : data) {
        form.label("Label1", b.index, b.caption).in("Frame1").at(row, 0);
        form.textBox("Valbox", b.index, b.text).in("Frame1").at(row++, 1);
    }
    return row;
}

void addPipeResults(Form& form, std::span<const PipeBox> results) {
    form.frame("Frame2", -1, "").at(0, 1);
    int row = 0;
    for (const PipeBox& b : results) {
        form.label("Label1", b.index, b.caption).in("Frame2").at(row, 0);
        form.textBox("Valbox", b.index).in("Frame2").at(row++, 1);
    }
}

std::vector<StudyBox> pipeStudyResults(std::span<const PipeBox> results) {
    std::vector<StudyBox> out;
    for (const PipeBox& b : results) out.push_back(studyBox("Valbox", b.index, b.caption));
    return out;
}

}  // namespace aub

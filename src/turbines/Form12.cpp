#include "turbines/Form12.h"

#include "core/CalcError.h"
#include "core/Checked.h"
#include "core/Constants.h"
#include "core/Hydraulics.h"
#include "core/NumberText.h"
#include "core/SharedValues.h"
#include "forms/Dialogs.h"
#include "forms/Session.h"
#include "forms/StudyBoxes.h"
#include "turbines/PipeWindows.h"

namespace aub {

namespace {

using Box = PipeBox;
// Valbox(0) holds the wall's name, chosen in the list above it; the bends' radius
// Valbox(12) is shown for the drawing, the calculation does not read it.
constexpr int WallBox = 0;
constexpr int BendRadiusBox = 12;
const Box DataBoxes[] = {{WallBox, "Nature conduite", ""},
                         {1, "Diamètre mm", "250"},
                         {2, "Débit l/s", "100"},
                         {3, "Charge amont (hauteur)", "15"},
                         {4, "Longueur conduite m", "20"},
                         {5, "pertes singulières", "2"},
                         {BendRadiusBox, "Rayon des coudes mm", "300"}};
const Box ResultBoxes[] = {{6, "Perte de charge mm/m", ""}, {10, "Pertes singulières mm", ""},
                           {7, "Perte totale mm", ""},      {9, " Vitesse de l'eau m/s", ""},
                           {8, "Charge bassin bas m", ""},  {11, "Valeur de V2 / 2g (m)", ""},
                           {13, "Dénivellation m", ""}};

}  // namespace

std::vector<StudyBox> Form12::studyInputs() {
    // The wall, chosen in its list, is an input too (one curve per wall, say).
    std::vector<StudyBox> out = {studyBox("Combo1", -1, "Paroi")};
    for (const Box& b : DataBoxes)
        if (b.index != WallBox && b.index != BendRadiusBox) out.push_back(studyBox("Valbox", b.index, b.caption));
    return out;
}

std::vector<StudyBox> Form12::studyResults() { return pipeStudyResults(ResultBoxes); }

Form12::Form12(Session& s) : Form(s, "Form12", "2 BASSINS") {
    helpRecord = number(FormulaCode::Basins);
    resultBoxes = {"Frame2"};
    columns = 3;
    addPipeData(*this, "Label2", DataBoxes);
    addPipeResults(*this, ResultBoxes);
    canvas("Picture1").at(0, 2).size(4200, 3000);
    button("Command1", -1, "Calcul").at(1, 0);
    defaultAction = "Command1";
    button("Command2", -1, "Aide locale").at(1, 1);

    on("Combo1", EventKind::Click, [this](int) {
        for (int i = 6; i <= 10; ++i) set("Valbox", i, "");
        set("Valbox", 0, ctl("Combo1").text());
    });
    on("Command1", EventKind::Click, [this](int) { calculate(); });
    on("Command2", EventKind::Click, [this](int) { session().showHelpRecord(helpRecord); });
    drawBasins();
}

void Form12::load() { shared().FormulaId = FormulaCode::Basins; }

void Form12::calculate() {
    float eps = 0;
    wallRoughness(ctl("Combo1").text(), eps, dialogs());
    if (eps > 0.9f) {
        stopCalculation(" spécifiez  par un click la nature de paroi");
        return;
    }
    const float h = num("Valbox", 3), q = num("Valbox", 2), d = num("Valbox", 1), l = num("Valbox", 4);
    SharedValues& sv = shared();
    sv.SharedPower.set(0, PowerUnit::NotAPower);  // the missing-data test leaves no power behind
    if (q * h * d * l == 0.0f) {
        stopCalculation("Il manque au moins une donnée");
        return;
    }
    sv.SharedHead.set(h, HeadUnit::Metres);
    sv.SharedFlow.set(q, FlowRateUnit::LitresPerSecond);
    sv.SharedDiameter = d;
    sv.SharedWidth = l;
    trap(
        [&] {
            const double relative = static_cast<double>(eps) / d;
            const float area = checkedValue(1e-4 * Pi * d * d / 4.0);
            const float v = cdiv(0.1f * q, area);
            sv.SharedVelocity = v;
            const float j = colebrookGradient(relative, v, d, dialogs());
            set("Valbox", 6, formatMask(j, "#0.####"));
            const PipeLosses p = pipeLosses(j, v, l, num("Valbox", 5));
            set("Valbox", 7, formatMask(p.total, "##0.###"));
            set("Valbox", 8, formatMask(checkedValue(h - static_cast<double>(p.total) / 1000.0), "##0.###"));
            set("Valbox", 9, formatMask(v, "##0.###"));
            set("Valbox", 10, formatMask(checkedValue(1000.0 * p.singular), "###0.###"));
            set("Valbox", 11, formatMask(p.hv, "##0.###"));
            set("Valbox", 13, formatMask(p.total / 1000.0f, "##0.###"));
        },
        inputFailure(*this));
}

void Form12::drawBasins() {
    // Sketch: an upper basin on the left, a lower one on the right, the pipe between them,
    // the upstream head H and the level difference taken by the losses.
    Drawing& dr = ctl("Picture1").drawing;
    dr.scale(0, 0, 100, 70);
    dr.clear();
    dr.penWidth = 2;
    dr.penColor = 0x000000;
    // Upper basin walls and bottom.
    dr.line(5, 8, 5, 30);
    dr.line(5, 30, 30, 30);
    dr.line(30, 30, 30, 8);
    // Lower basin.
    dr.line(70, 30, 70, 62);
    dr.line(70, 62, 95, 62);
    dr.line(95, 62, 95, 30);
    // Water.
    dr.penColor = 0x3070FF;
    dr.box(6, 12, 29, 29, true);
    dr.box(71, 42, 94, 61, true);
    // Pipe from the foot of the upper basin to the lower basin.
    dr.penColor = 0x404040;
    dr.penWidth = 3;
    dr.line(30, 26, 50, 26);
    dr.line(50, 26, 62, 54);
    dr.line(62, 54, 70, 54);
    dr.line(30, 29, 49, 29);
    dr.line(49, 29, 61, 57);
    dr.line(61, 57, 70, 57);
    // Levels.
    dr.penWidth = 1;
    dr.penColor = 0xC00000;
    dr.line(30, 12, 85, 12);
    dr.line(80, 12, 80, 42);
    dr.text(82, 22, "ΔH");
    dr.line(2, 12, 2, 55);
    dr.line(2, 55, 70, 55);
    dr.text(3, 40, "H");
    dr.penColor = 0x000000;
    dr.text(8, 2, "Bassin haut");
    dr.text(70, 64, "Bassin bas");
    dr.text(40, 33, "Conduite D, L");
}

}  // namespace aub

#include "wheels/Frmvis.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <string>
#include <utility>

#include "core/CalcError.h"
#include "core/FormulaCode.h"
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

constexpr int InputColour = 0xF9FAE6;
constexpr int ResultColour = 0xF6DCFF;
constexpr const char* DesignPrefix = "Vis";
constexpr const char* DesignPattern = "Vis*.txt";

const std::array<const char*, Frmvis::InputCount> InputCaptions = {
    "Hauteur de chute (m)",
    "Débit d'équipement (m3/s)",
    "Inclinaison (degrés)",
    "Nombre de filets",
    "Rapport des diamètres Di/De",
    "Rapport de pas (lambda)",
    "Remplissage au débit d'équipement (%)",
    "Jeu entre vis et auge (mm)",
    "Rendement de la vis hors fuites (%)",
    "Rendement du multiplicateur (%)",
    "Rendement de la génératrice (%)",
};

// Defaults: 22 degrees and 3 blades, full buckets; the gap and the efficiencies are usual
// figures of the program, to be replaced by the maker's.
const std::array<const char*, Frmvis::InputCount> InputDefaults = {
    "", "", "22", "3", "", "", "100", "5", "90", "95", "93",
};

enum Result {
    Screws,
    FlowPerScrew,
    OuterDiameter,
    InnerDiameter,
    Pitch,
    Length,
    Turns,
    Speed,
    BucketVolume,
    BucketFlow,
    Leakage,
    HydraulicPower,
    ShaftPower,
    ElectricPower,
    TotalPower,
    Torque,
    GearRatio,
    Overall,
    ResultCount
};

const std::array<const char*, ResultCount> ResultCaptions = {
    "Nombre de vis",
    "Débit par vis (m3/s)",
    "Diamètre extérieur (m)",
    "Diamètre intérieur (m)",
    "Pas (m)",
    "Longueur (m)",
    "Nombre de tours",
    "Vitesse de rotation (t/min)",
    "Volume d'un godet (m3)",
    "Débit passé par les godets (m3/s)",
    "Fuite par le jeu (m3/s)",
    "Puissance hydraulique (kW)",
    "Puissance sur l'arbre (kW)",
    "Puissance électrique (kW)",
    "Puissance électrique totale (kW)",
    "Couple sur l'arbre (kN.m)",
    "Rapport du multiplicateur",
    "Rendement global (%)",
};

constexpr int CanvasWidth = 5400, CanvasHeight = 4050;  // twips, 360 x 270 pixels

}  // namespace

std::vector<StudyBox> Frmvis::studyInputs() { return studyBoxes("Valbox", InputCaptions); }

std::vector<StudyBox> Frmvis::studyResults() { return studyBoxes("Resubox", ResultCaptions); }

Frmvis::Frmvis(Session& s) : Form(s, "Frmvis", "VIS HYDRODYNAMIQUE") {
    helpRecord = number(FormulaCode::ArchimedesScrew);
    columns = 3;
    frame("Frame1", -1, "DONNEES").at(0, 0, 2, 1);
    for (int i = 0; i < InputCount; ++i) {
        label("Label", i, InputCaptions[i]).in("Frame1").at(i, 0);
        textBox("Valbox", i).in("Frame1").at(i, 1).size(900, 0);
    }
    listBox("List1").in("Frame1").at(InputCount, 0, 1, 2).size(0, 1300);
    frame("Frame2", -1, "RESULTATS").at(0, 1, 2, 1);
    for (int i = 0; i < ResultCount; ++i) {
        label("Labelresu", i, ResultCaptions[i]).in("Frame2").at(i, 0);
        textBox("Resubox", i).in("Frame2").at(i, 1).size(1100, 0).locked = true;
    }
    frame("Frame3", -1, "VUE DE COTE").at(0, 2);
    canvas("Picture1").in("Frame3").at(0, 0).size(CanvasWidth, CanvasHeight);
    frame("Frame4", -1, "OBSERVATIONS").at(1, 2);
    Control& notes = textBox("Observations", -1).in("Frame4").at(0, 0).size(CanvasWidth, 1500).multi();
    notes.locked = true;

    menu("Fichier", "Fichier");
    menu("Nouveau", "Nouveau", "Fichier");
    menu("Ouvre", "Ouvre", "Fichier");
    menu("Enregistre", "Enregistre", "Fichier");
    menu("Calcul", "Calcul");
    menu("Aidelocale", "Aide locale");
    menu("ImprimF", "ImprimF");
    menu("Resetdonnees", "Reset données");

    on("Calcul", EventKind::Click, [this](int) { calcul(); });
    on("Valbox", EventKind::Change, [this](int i) {
        if (i == Blades && !filling_) bladesChanged();
    });
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
        defaults();
        clearUnsavedEdits();
    });
    on("ImprimF", EventKind::Click, [this](int) { askAndPrint(*this); });
    on("Aidelocale", EventKind::Click, [this](int) { session().showHelpRecord(helpRecord); });

    defaultAction = "Calcul";
    resultBoxes = {"Resubox", "Observations"};
    tracksEdits = true;
    for (const char* discarding : {"List1", "Ouvre", "Nouveau", "Resetdonnees"}) discardsEdits(discarding);
}

void Frmvis::load() {
    shared().AppFolder = withSeparator(session().appFolder());
    for (int i = 0; i < InputCount; ++i) ctl("Valbox", i).backColor = InputColour;
    for (int i = 0; i < ResultCount; ++i) ctl("Resubox", i).backColor = ResultColour;
    defaults();
    listDesigns(*this, ctl("List1"), DesignPattern);
    Drawing& d = ctl("Picture1").drawing;
    d.scale(0, 0, 360, 270);
    d.clear();
    d.text(10, 10, "Entrez la hauteur de chute et le débit,");
    d.text(10, 26, "puis Calcul");
}

void Frmvis::defaults() {
    filling_ = true;
    for (int i = 0; i < InputCount; ++i) set("Valbox", i, InputDefaults[i]);
    filling_ = false;
    putOptimum(3);
}

void Frmvis::putOptimum(int blades) {
    const BucketOptimum o = screwOptimum(blades);
    shownRho_ = formatMask(o.rho, "0.0000");
    shownLambda_ = formatMask(o.lambda, "0.0000");
    set("Valbox", RadiusRatio, shownRho_);
    set("Valbox", PitchRatio, shownLambda_);
}

// A new number of blades brings its optimum ratios, unless the person typed others.
void Frmvis::bladesChanged() {
    const std::string& rho = txt("Valbox", RadiusRatio);
    const std::string& lambda = txt("Valbox", PitchRatio);
    const bool programs = (rho.empty() || rho == shownRho_) && (lambda.empty() || lambda == shownLambda_);
    if (!programs) return;
    const double n = leadingNumber(txt("Valbox", Blades));
    if (n >= 1 && n <= 25 && n == std::floor(n)) putOptimum(static_cast<int>(n));
}

void Frmvis::calcul() {
    auto value = [this](int i) {
        std::string t = txt("Valbox", i);
        return parseNumberDouble(t, shared().DecimalComma, dialogs());
    };
    ScrewInputs in;
    in.head = value(Head);
    in.flow = value(Flow);
    in.inclination = value(Inclination);
    const double blades = value(Blades);
    if (!(blades >= 1 && blades <= 25) || blades != std::floor(blades)) {
        stopCalculation("Nombre de filets : un nombre entier de 1 à 25");
        return;
    }
    in.blades = static_cast<int>(blades);
    in.rho = value(RadiusRatio);
    in.lambda = value(PitchRatio);
    in.filling = value(Filling) / 100;
    in.gapMm = value(Gap);
    in.screwEfficiency = value(ScrewEff) / 100;
    in.gearEfficiency = value(GearEff) / 100;
    in.generatorEfficiency = value(GeneratorEff) / 100;
    if (!(in.head > 0) || !(in.flow > 0)) {
        stopCalculation("Données manquantes : hauteur de chute et débit d'équipement");
        return;
    }
    if (!(in.inclination > 0 && in.inclination < 90)) {
        stopCalculation("Inclinaison : entre 0 et 90 degrés");
        return;
    }
    if (!(in.rho > 0 && in.rho < 1) || !(in.lambda > 0 && in.lambda < 1)) {
        stopCalculation("Rapports des diamètres et de pas : entre 0 et 1");
        return;
    }
    if (!(in.filling > 0 && in.filling <= 1)) {
        stopCalculation("Remplissage : plus de 0 et au plus 100 %");
        return;
    }
    if (!(in.gapMm >= 0)) {
        stopCalculation("Jeu entre vis et auge : positif ou nul");
        return;
    }
    for (double e : {in.screwEfficiency, in.gearEfficiency, in.generatorEfficiency})
        if (!(e > 0 && e <= 1)) {
            stopCalculation("Rendements : plus de 0 et au plus 100 %");
            return;
        }

    const ScrewDesign d = designScrew(in);
    design_ = d;
    SharedValues& sv = shared();
    // The site for the selection chart and the annual energy: head in m, the whole flow in
    // m3/s and the electric power of all the screws in kW.
    sv.SharedHead.set(static_cast<float>(in.head), HeadUnit::Metres);
    sv.SharedFlow.set(static_cast<float>(in.flow), FlowRateUnit::CubicMetresPerSecond);
    sv.SharedPower.set(static_cast<float>(d.electricPower * d.screws), PowerUnit::Kilowatts);

    auto show = [this](int box, double v, const char* mask) { set("Resubox", box, formatMask(v, mask)); };
    show(Screws, d.screws, "0");
    show(FlowPerScrew, d.flowPerScrew, "0.000");
    show(OuterDiameter, d.outerDiameter, "0.000");
    show(InnerDiameter, d.innerDiameter, "0.000");
    show(Pitch, d.pitch, "0.000");
    show(Length, d.length, "0.00");
    show(Turns, d.turns, "0.00");
    show(Speed, d.speed, "0.00");
    show(BucketVolume, d.bucketVolume, "0.000");
    show(BucketFlow, d.bucketFlow, "0.000");
    show(Leakage, d.leakage, "0.0000");
    show(HydraulicPower, d.hydraulicPower, "0.0");
    show(ShaftPower, d.shaftPower, "0.0");
    show(ElectricPower, d.electricPower, "0.0");
    show(TotalPower, d.electricPower * d.screws, "0.0");
    show(Torque, d.torque, "0.00");
    show(GearRatio, d.gearRatio, "0.0");
    show(Overall, 100 * d.overallEfficiency, "0.0");
    std::string notes;
    for (const std::string& o : d.observations) notes += (notes.empty() ? "" : "\r\n") + o;
    set("Observations", -1, notes);
    draw(in, d);
}

// Side view: the trough under the screw, the outer and inner cylinders, the blades as
// seen from the side, the upper and lower water levels, in metres to one scale.
void Frmvis::draw(const ScrewInputs& in, const ScrewDesign& d) {
    const double theta = in.inclination * std::numbers::pi / 180;
    const double c = std::cos(theta), s = std::sin(theta);
    const double run = d.length * c, R = d.outerDiameter / 2, r = d.innerDiameter / 2;
    // Axis from the inlet (x 0, y H) down to the outlet (x run, y 0); n is across it, upward.
    auto at = [&](double along, double across) {
        return std::pair<float, float>(static_cast<float>(along * c + across * s),
                                       static_cast<float>(in.head - along * s + across * c));
    };
    const double marginX = 0.25 * run + R, marginY = 0.35 * in.head + 2 * R;
    double left = -marginX, right = run + marginX, bottom = -marginY, top = in.head + marginY;
    // One scale for both directions, to the canvas's 4:3.
    const double w = right - left, h = top - bottom, ratio = double(CanvasWidth) / CanvasHeight;
    if (w / h > ratio) {
        const double grow = (w / ratio - h) / 2;
        top += grow, bottom -= grow;
    } else {
        const double grow = (h * ratio - w) / 2;
        left -= grow, right += grow;
    }
    Drawing& g = ctl("Picture1").drawing;
    g.clear();
    g.scale(static_cast<float>(left), static_cast<float>(top), static_cast<float>(right), static_cast<float>(bottom));
    auto line = [&](std::pair<float, float> a, std::pair<float, float> b) {
        g.line(a.first, a.second, b.first, b.second);
    };

    // Water levels.
    g.penColor = 0x1F77B4;
    g.penWidth = 2;
    const float upper = static_cast<float>(in.head + 0.6 * R);
    g.line(static_cast<float>(left), upper, at(0.3 * R / s, 0).first, upper);
    g.line(static_cast<float>(run - 0.6 * R / s), static_cast<float>(-0.2 * R), static_cast<float>(right),
           static_cast<float>(-0.2 * R));
    g.fontSize = 8;
    g.text(static_cast<float>(left + 0.02 * w), static_cast<float>(upper + 0.06 * h), "Niveau amont");
    g.text(static_cast<float>(run + 0.05 * w), static_cast<float>(-0.2 * R + 0.06 * h), "Niveau aval");

    // Trough: under the screw, from end to end.
    g.penColor = 0x8C564B;
    g.penWidth = 3;
    line(at(0, -R * 1.08), at(d.length, -R * 1.08));
    // Outer and inner cylinders.
    g.penColor = 0x404040;
    g.penWidth = 1;
    line(at(0, R), at(d.length, R));
    line(at(0, -R), at(d.length, -R));
    line(at(0, r), at(d.length, r));
    line(at(0, -r), at(d.length, -r));
    line(at(0, -R), at(0, R));
    line(at(d.length, -R), at(d.length, R));
    // Blades: the visible half-turn of each, one every pitch / N along the axis.
    const double step = d.pitch / in.blades;
    const int count = std::min(2000, static_cast<int>(d.length / step));
    g.penColor = 0x2CA02C;
    for (int k = 0; k <= count; ++k) {
        const double a0 = k * step, a1 = std::min(d.length, a0 + d.pitch / 2);
        if (a0 > d.length) break;
        line(at(a0, -R), at(a1, R));
    }
    // Axis and figures.
    g.penColor = 0x000000;
    line(at(-0.05 * d.length, 0), at(1.05 * d.length, 0));
    auto figure = [](double v, const char* mask) { return formatMask(v, mask); };
    const auto mid = at(d.length / 2, R);
    g.text(mid.first, static_cast<float>(mid.second + 0.12 * h),
           "L = " + figure(d.length, "0.00") + " m   De = " + figure(d.outerDiameter, "0.00") + " m");
    g.text(static_cast<float>(left + 0.02 * w), static_cast<float>(bottom + 0.1 * h),
           "H = " + figure(in.head, "0.00") + " m   i = " + formatGeneral(in.inclination) + " degrés   " +
               figure(d.speed, "0.0") + " t/min" + (d.screws > 1 ? "   " + std::to_string(d.screws) + " vis" : ""));
}

void Frmvis::openSelected() {
    const std::string entry = ctl("List1").text();
    if (entry.empty()) return;
    shared().SharedFilePath = shared().AppFolder + entry;
    filling_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{filling_};
    openDesign(*this, entry, "Valbox", InputCount);
}

void Frmvis::save() {
    DesignSave d;
    d.prompt = "Enregistrez une vis (nom du fichier après « Vis »)";
    d.title = "Acceptez le nom proposé ou Annulez";
    const std::string stem = proposedStem(ctl("List1"), "sansnom");
    d.proposed = stem.size() > 3 && equalsNoCase(stem.substr(0, 3), DesignPrefix) ? stem.substr(3) : stem;
    d.namePrefix = DesignPrefix;
    d.listPattern = DesignPattern;
    saveDesign(*this, d, boxTexts(*this, "Valbox", InputCount), &ctl("List1"));
}

void Frmvis::nouveau() {
    defaults();
    set("Valbox", Head, "");
    set("Valbox", Flow, "");
    for (int i = 0; i < ResultCount; ++i) set("Resubox", i, "");
    set("Observations", -1, "");
    clearUnsavedEdits();
}

}  // namespace aub

#include "turbines/Formbuse.h"

#include <cmath>
#include <vector>

#include "charts/MoodyCurves.h"
#include "core/CalcError.h"
#include "core/Checked.h"
#include "core/Constants.h"
#include "core/Hydraulics.h"
#include "core/NumberText.h"
#include "core/SharedValues.h"
#include "files/TextFile.h"
#include "forms/Dialogs.h"
#include "forms/MainWindow.h"
#include "forms/Printing.h"
#include "forms/Session.h"
#include "forms/StudyBoxes.h"
#include "turbines/PipeWindows.h"

namespace aub {

namespace {

constexpr const char* MissingData = "Il manque au moins une donnée";
// A start velocity so far below 4.8 m/s that the full-flow steps would not end in time.
constexpr float MaxFullFlowSteps = 10000.0f;

using Box = PipeBox;
const Box DataBoxes[] = {{0, "Nature conduite", ""},       {1, "Diamètre mm", "250"},
                         {2, "Débit l/s", "100"},          {3, "Charge amont (hauteur)", "15"},
                         {4, "Longueur conduite m", "20"}, {5, "Σ pertes singulières", "0"}};
const Box ResultBoxes[] = {{6, "Perte de charge mm/m", ""}, {10, "Pertes singulières mm", ""},
                           {7, "Perte totale mm", ""},      {9, " Vitesse de l'eau m/s", ""},
                           {8, "H résiduelle m", ""},       {11, "Valeur de V2 / 2g (m)", ""}};

}  // namespace

std::vector<StudyBox> Formbuse::studyInputs() {
    // The wall, chosen in its list, is an input too (one curve per wall, say); the box
    // that names it goes with it, Scimemi's rule refusing a pipe without its wall's name.
    std::vector<StudyBox> out = {studyBox("Combo1", -1, "Paroi")};
    for (const Box& b : DataBoxes) out.push_back(studyBox("Valbox", b.index, b.caption));
    return out;
}

std::vector<StudyBox> Formbuse::studyResults() { return pipeStudyResults(ResultBoxes); }

Formbuse::Formbuse(Session& s) : Form(s, "Formbuse", "PERTES DE CHARGE D UNE CONDUITE EN CHARGE") {
    helpRecord = number(FormulaCode::PipeWindowPage);
    resultBoxes = {"Frame2"};
    columns = 2;
    const int row = addPipeData(*this, "Label5", DataBoxes);
    label("Label4", -1, "Modifiez ces valeurs selon vos besoins").in("Frame1").at(row, 0, 1, 2);
    addPipeResults(*this, ResultBoxes);
    // Two lines kept for each warning ("AVERTISSEMENT" and its reason), so that none is cut.
    label("Label2", -1, "Initiez votre choix sur la barre des menus").at(1, 0).size(0, 600);
    label("Label3", -1, "").at(1, 1).size(0, 600).hidden();
    ctl("Label2").foreColor = 0xFF0000;
    ctl("Label3").foreColor = 0xFF0000;

    menu("Fichier", "Fichier");
    menu("Fermer", "Fermer", "Fichier");
    menu("Enregistrer", "Enregistrer", "Fichier");
    menu("Imprime", "Imprime feuille");
    menu("Colebrook", "Colebrook");
    defaultAction = "Colebrook";
    menu("Scimemi", "Scimemi");
    menu("Plein", "PLein débit");
    menu("Moody", "Diagramme de Moody");
    menu("Aide", "Aide locale");

    on("Fermer", EventKind::Click, [this](int) { session().unload(name()); });
    on("Enregistrer", EventKind::Click, [this](int) { saveTempobuse(); });
    on("Imprime", EventKind::Click, [this](int) { printAfterQuestion(*this); });
    on("Colebrook", EventKind::Click, [this](int) { colebrook(); });
    // The other two calculations: a failure leaves no figure of an earlier run either.
    on("Scimemi", EventKind::Click, [this](int) {
        if (!trap([this] { scimemi(); })) clearResultBoxes();
    });
    on("Plein", EventKind::Click, [this](int) {
        if (!trap([this] { fullFlow(); })) clearResultBoxes();
    });
    on("Moody", EventKind::Click, [this](int) { session().open("Moody"); });
    on("Aide", EventKind::Click, [this](int) {
        shared().FormulaId = FormulaCode::PipeWindowPage;
        session().showHelpRecord(helpRecord);
    });
    on("Combo1", EventKind::Click, [this](int) { chooseMaterial(); });
    on("Valbox", EventKind::Change, [this](int) { ctl("Label2").visible = false; });
    // Typed data are asked for before the window closes; "Enregistrer" keeps them.
    tracksEdits = true;
}

void Formbuse::load() {
    if (fileExists(session().appFolder(), "Tempobuse")) readTempobuse();
}

void Formbuse::unloaded() {
    if (MainWindow* main = mainWindow(session())) main->hideHelpBox();
    shared().PipeWindowOpen = false;
}

void Formbuse::chooseMaterial() {
    set("Valbox", 0, ctl("Combo1").text());
    for (int i = 6; i <= 10; ++i) set("Valbox", i, "");
}

void Formbuse::readTempobuse() {
    const auto path = findFile(session().appFolder(), "Tempobuse");
    if (!path) throw CalcError(ErrFileNotFound);
    // One value per line, so that a value typed with a decimal comma comes back whole.
    const std::vector<std::string> values = readDesignValues(*path);
    for (int i = 0; i < 6; ++i) {
        if (static_cast<std::size_t>(i) >= values.size()) throw CalcError(ErrPastEnd);
        set("Valbox", i, values[static_cast<std::size_t>(i)]);
    }
    Control& walls = ctl("Combo1");
    for (std::size_t i = 0; i < walls.items.size(); ++i)
        if (walls.items[i] == values[0]) {
            if (walls.listIndex() == static_cast<int>(i))
                chooseMaterial();
            else
                walls.setListIndex(static_cast<int>(i));
            return;
        }
    walls.setText(values[0]);
}

void Formbuse::saveTempobuse() {
    std::vector<std::string> lines;
    for (int i = 0; i <= 5; ++i) lines.push_back(txt("Valbox", i));
    saveLines(session().file("Tempobuse"), lines);
    clearUnsavedEdits();
}

void Formbuse::rugoScim(std::string& material, float& k0, float& k1, float& k2) {
    struct Row {
        const char* name;
        float k0, k1, k2;
    };
    static const Row table[] = {{"Fibro", 50.6f, 2.69f, 0.561f},       {"Plastic", 58.9f, 2.68f, 0.56f},
                                {"Cuivre", 58.9f, 2.68f, 0.56f},       {"Acier lisse", 55.0f, 2.59f, 0.55f},
                                {"Acier soudé", 29.7f, 2.575f, 0.53f}, {"Fonte neuve", 35.0f, 2.625f, 0.535f}};
    if (material.empty()) {
        stopCalculation("Pas de nature de paroi !");
        return;
    }
    for (const Row& r : table)
        if (material == r.name) {
            k0 = r.k0;
            k1 = r.k1;
            k2 = r.k2;
            return;
        }
    dialogs().message("Matériau non reconnu");
    material.clear();
}

void Formbuse::readInputs() {
    ctl("Label2").visible = false;
    ctl("Label3").visible = false;
    h_ = num("Valbox", 3);
    q_ = num("Valbox", 2);
    d_ = num("Valbox", 1);
    l_ = num("Valbox", 4);
    area_ = checkedValue(1e-4 * Pi * d_ * d_ / 4.0);
    // Without a diameter there is no velocity: the missing-data check speaks first.
    v_ = area_ == 0.0f ? 0.0f : cdiv(0.1f * q_, area_);
    SharedValues& sv = shared();
    sv.SharedHead.set(h_, HeadUnit::Metres);
    sv.SharedFlow.set(q_, FlowRateUnit::LitresPerSecond);
    sv.SharedDiameter = d_;
    sv.SharedWidth = l_;
}

void Formbuse::showLosses(const char* mask) {
    shared().SharedVelocity = v_;
    set("Valbox", 7, formatMask(losses_.total, "###0.###"));
    set("Valbox", 8, formatMask(checkedValue(h_ - static_cast<double>(losses_.total) / 1000.0), mask));
    set("Valbox", 9, formatMask(v_, mask));
    set("Valbox", 10, formatMask(checkedValue(1000.0 * losses_.singular), "###0.###"));
    set("Valbox", 11, formatMask(losses_.hv, mask));
}

void Formbuse::colebrook() {
    readInputs();
    float eps = 0;
    wallRoughness(ctl("Combo1").text(), eps, dialogs());
    shared().SharedPower.set(0, PowerUnit::NotAPower);  // the missing-data test leaves no power behind
    if (q_ * h_ * d_ * l_ == 0.0f) {
        stopCalculation(MissingData);
        return;
    }
    trap(
        [&] {
            const double relative = static_cast<double>(eps) / d_;
            double re = 0, f = 0;
            j_ = colebrookGradient(relative, v_, d_, dialogs(), re, f);
            set("Valbox", 6, formatMask(j_, "#0.####"));
            recordOperatingPoint(re, f, relative);
            law_ = Law::Colebrook;
            roughness_ = eps;
            losses_ = pipeLosses(j_, v_, l_, num("Valbox", 5));
            showLosses("##0.###");
            avertir();
        },
        inputFailure(*this));
}

// The Moody diagram shows this point: only a friction factor the solver found (a
// turbulent or laminar value, not its failure marks -1 and 0) is kept; otherwise the
// previous point goes, so that no stale point is shown against new data.
void Formbuse::recordOperatingPoint(double re, double f, double relative) {
    SharedValues& sv = shared();
    const bool found = std::isfinite(re) && std::isfinite(f) && std::isfinite(relative) && re > 0 && f > 0;
    sv.SharedPipeReynolds = found ? re : 0;
    sv.SharedPipeFriction = found ? f : 0;
    sv.SharedPipeRelativeRoughness = found ? relative : 0;
    if (Form* moody = session().loaded("Moody")) moody->activate();
}

void Formbuse::scimemi() {
    readInputs();
    if (trim(txt("Valbox", 0)).empty()) {
        stopCalculation("Pas de nature de paroi !");
        return;
    }
    std::string material = ctl("Combo1").text();
    float k0 = 0, k1 = 0, k2 = 0;
    rugoScim(material, k0, k1, k2);
    if (material.empty()) return;
    if (q_ * h_ * d_ * l_ == 0.0f) {
        stopCalculation(MissingData);
        return;
    }
    trap(
        [&] {
            const float base = cdiv(q_ * cpow(d_, -k1), k0);
            j_ = checkedValue(1e12 * cpow(base, 1.0f / k2));
            set("Valbox", 6, formatMask(j_, "#0.####"));
            law_ = Law::Scimemi;
            k0_ = k0;
            k1_ = k1;
            k2_ = k2;
            losses_ = pipeLosses(j_, v_, l_, num("Valbox", 5));
            showLosses("#0.###");
            avertir();
        },
        inputFailure(*this));
}

void Formbuse::fullFlow() {
    readInputs();
    float eps = 0;
    wallRoughness(ctl("Combo1").text(), eps, dialogs());
    if (q_ * h_ * l_ == 0.0f) {
        stopCalculation("Il manque au moins une donnée H , Q ou L");
        return;
    }
    if (d_ == 0.0f) {
        stopCalculation(MissingData);
        return;
    }
    if ((4.8f - v_) / 0.2f > MaxFullFlowSteps) throw CalcError(ErrOverflow);
    const float sigma = num("Valbox", 5);
    const double relative = static_cast<double>(eps) / d_;
    do {
        v_ += 0.2f;
        j_ = colebrookGradient(relative, v_, d_, dialogs());
        set("Valbox", 6, formatMask(j_, "#0.####"));
        losses_ = pipeLosses(j_, v_, l_, sigma);
    } while (!(v_ > 4.8f));
    set("Valbox", 1, formatMask(d_, "#####"));
    showLosses("##0.###");
    law_ = Law::FullFlow;
    roughness_ = eps;
    avertir();
}

std::string Formbuse::reportMethod() {
    const std::string wall = "« " + trim(ctl("Combo1").text()) + " »";
    const std::string common =
        "\nPertes singulières : Σξ × V²/2g. Perte totale = J × L + pertes singulières ; charge résiduelle = H − "
        "perte totale. Avertissements : charge résiduelle négative (la conduite ne passe pas ce débit), vitesse de "
        "plus de 5 m/s (usure, coups de bélier), hauteur de vitesse plus grande que la charge (écoulement "
        "impossible).";
    const std::string colebrookText =
        "coefficient de frottement f de la formule de Colebrook-White, 1/√f = −2 log10(ε/(3,7 D) + 2,51/(Re √f)), "
        "résolue par itération, avec le nombre de Reynolds Re = V × D / ν (ν = 1,005 × 10⁻⁶ m²/s, eau vers 20 °C) "
        "et la rugosité de la paroi " +
        wall + " ε = " + formatGeneral(roughness_) +
        " mm (f = 64/Re en régime laminaire) ; perte par mètre de "
        "Darcy-Weisbach J = f × V² / (2 g D).";
    switch (law_) {
        case Law::Colebrook:
            return "Perte par mètre : " + colebrookText + common;
        case Law::FullFlow:
            return "Plein débit : la vitesse est augmentée par pas de 0,2 m/s, à partir de celle du débit tapé, "
                   "jusqu'à dépasser 4,8 m/s ; les pertes affichées sont celles de cette vitesse. Perte par mètre : " +
                   colebrookText + common;
        case Law::Scimemi:
            return "Perte par mètre : formule monôme de Scimemi, J = 10¹² × (Q × D^−k1 / k0)^(1/k2) mm/m (Q en l/s, "
                   "D en mm), avec les coefficients de la paroi " +
                   wall + " : k0 = " + formatGeneral(k0_) + ", k1 = " + formatGeneral(k1_) +
                   ", k2 = " + formatGeneral(k2_) + "." + common;
        case Law::None:
            break;
    }
    return Form::reportMethod();
}

std::vector<Chart> Formbuse::reportCharts() {
    const SharedValues& sv = shared();
    if (law_ != Law::Colebrook || !(sv.SharedPipeReynolds > 0) || !(sv.SharedPipeFriction > 0)) return {};
    // The diagram's own window, open beside the pipe, goes in the dossier with it.
    if (session().loaded("Moody") && session().openerOf("Moody") == name()) return {};
    std::vector<Chart> out(1);
    buildMoodyChart(out[0], MoodyPoint{sv.SharedPipeReynolds, sv.SharedPipeFriction, sv.SharedPipeRelativeRoughness});
    return out;
}

void Formbuse::avertir() {
    Control& first = ctl("Label2");
    if (h_ - losses_.total / 1000.0f < 0.0f) {
        first.visible = true;
        first.caption = "AVERTISSEMENT \n Pression négative en sortie , données non concordantes";
    } else if (v_ > 5.0f) {
        first.visible = true;
        first.caption = "AVERTISSEMENT \n Vitesse de l'eau supérieure à 5 m/s";
    }
    if (losses_.hv > h_) {
        Control& second = ctl("Label3");
        second.visible = true;
        second.caption = "AVERTISSEMENT \n Pression trop faible , écoulement impossible";
    }
}

}  // namespace aub

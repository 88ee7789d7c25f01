#include "wheels/overshot/frmGraph.h"

#include "core/Checked.h"
#include "core/SharedValues.h"
#include "forms/Dialogs.h"
#include "forms/Drawing.h"
#include "forms/Platform.h"
#include "forms/Session.h"

namespace aub {

namespace {
// Side of the drawing area in twips: 10 dm of jet.
constexpr int AreaTwips = 6000;
constexpr float LabelFontSize = 12;
}  // namespace

frmGraph::frmGraph(Session& s) : Form(s, "frmGraph", "GRAPHIQUE DU JET D EAU") {
    columns = 1;
    canvas("Picture1").at(0, 0).size(AreaTwips, AreaTwips);
    menu("ququ", "fermer");
    menu("grp", "Graphe");
    menu("impr", "Imprimer");
    on("ququ", EventKind::Click, [this](int) { session().unload(name()); });
    on("grp", EventKind::Click, [this](int) { graphe(); });
    on("impr", EventKind::Click, [this](int) { platform().printForm(*this); });
}

void frmGraph::graphe() {
    Control& area = ctl("Picture1");
    area.visible = true;
    if (shared().SharedVelocity == 0) {
        dialogs().message("Aucun calcul effectué");
        return;
    }
    area.drawing.clear();
    initiGraph();
    courbe1();
    courbe2();
    courbe3();

    Drawing& d = area.drawing;
    d.penColor = 0x000000;
    d.fontSize = LabelFontSize;
    d.text(5, 0.3f, "5");
    // The "9" stays at its tick; the unit after it is moved inside the area when the
    // label would run past the edge.
    d.text(9, 0.3f, "9");
    d.text(9.6f, 0.3f, "dm");
    d.text(0.3f, 4.8f, "5 ");
    d.text(0.3f, 9, "9");
    // Next text line under the "9": one line of a 12-point font (20 twips a point).
    const float lineHeight = LabelFontSize * 20 * 1.2f * 10 / AreaTwips;
    d.text(0, 9 + lineHeight, "dm");
}

void frmGraph::initiGraph() {
    Drawing& d = ctl("Picture1").drawing;
    d.backColor = 0xFFFFFF;
    d.penColor = 0x000000;
    d.penWidth = 1;
    d.scale(0, 0, 10, 10);
    axes();
    d.penWidth = 2;
}

void frmGraph::axes() {
    Drawing& d = ctl("Picture1").drawing;
    d.line(0, 0, 10, 0);
    for (int i = 1; i <= 10; ++i) d.line(static_cast<float>(i), 0.2f, static_cast<float>(i), 0);
    d.line(0, 0, 0, 10);
    for (int i = 1; i <= 10; ++i) d.line(0.2f, static_cast<float>(i), 0, static_cast<float>(i));
}

void frmGraph::courbe(float dx, float dy) {
    Drawing& d = ctl("Picture1").drawing;
    const SharedValues& sv = shared();
    float px = 0, py = 0;
    for (tau_ = 0; tau_ <= 0.5f; tau_ += 0.01f) {
        const float x = checkedValue(10 * sv.SharedJetVx * tau_ - dx);
        const float y = checkedValue(10 * (4.905f * tau_ * tau_ + sv.SharedJetVy * tau_) + dy);
        d.line(px, py, x, y);
        px = x;
        py = y;
    }
}

void frmGraph::courbe1() {
    shared().SharedJetDrop = 0;
    courbe(0, 0);
}

void frmGraph::courbe2() {
    const float t0 = shared().SharedJetThickness;
    courbe(3 * t0, 5 * t0);
}

void frmGraph::courbe3() {
    const float t0 = shared().SharedJetThickness;
    courbe(6 * t0, 10 * t0);
}

}  // namespace aub

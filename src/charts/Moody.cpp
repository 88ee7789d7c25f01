#include "charts/Moody.h"

#include <cmath>

#include "charts/MoodyCurves.h"
#include "core/SharedValues.h"
#include "forms/Printing.h"
#include "forms/Session.h"

namespace aub {

Moody::Moody(Session& s) : Form(s, "Moody", "DIAGRAMME DE MOODY") {
    columns = 1;
    add(ControlKind::Chart, "Graphe").at(0, 0).size(11250, 7800);
    label("Point", -1, "").at(1, 0);
    menu("Fichier", "Fichier");
    addChartExportEntries(*this, "Graphe", "Fichier");
    menu("Fermer", "Fermer", "Fichier");
    on("Fermer", EventKind::Click, [this](int) { session().unload(name()); });
    // A chart to read beside the pipe window, closed by Escape like the other windows.
    staysAboveOpener = false;
    cancelAction = "Fermer";
}

void Moody::load() { refresh(); }

void Moody::activate() { refresh(); }

void Moody::refresh() {
    const SharedValues& sv = shared();
    const double re = sv.SharedPipeReynolds, f = sv.SharedPipeFriction, eps = sv.SharedPipeRelativeRoughness;
    if (re == shownRe_ && f == shownF_ && eps == shownEps_) return;  // the curves take a while: built once
    shownRe_ = re;
    shownF_ = f;
    shownEps_ = eps;
    std::optional<MoodyPoint> point;
    const bool known = std::isfinite(re) && std::isfinite(f) && std::isfinite(eps) && re > 0 && f > 0 && eps >= 0;
    if (known) point = MoodyPoint{re, f, eps};
    Control& graph = ctl("Graphe");
    buildMoodyChart(graph.chart, point);
    Control& text = ctl("Point");
    text.caption =
        known ? "Conduite : Re = " + chartNumber(re) + ", f = " + chartNumber(f) + ", ε/D = " + chartNumber(eps)
              : "Aucun calcul de Colebrook : choisissez « Colebrook » dans la fenêtre des conduites en charge.";
}

}  // namespace aub

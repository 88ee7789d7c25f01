#include "wheels/overshot/RegisterOvershot.h"

#include <memory>

#include "core/SharedValues.h"
#include "forms/Session.h"
#include "forms/WindowCatalog.h"
#include "wheels/overshot/Formgraph.h"
#include "wheels/overshot/Formrouehaut.h"
#include "wheels/overshot/Formsurfa.h"
#include "wheels/overshot/Frmpertecou.h"
#include "wheels/overshot/frmGraph.h"

namespace aub {

void registerOvershotWindows(WindowCatalog& catalog) {
    // "Evaluations / Roue au  Dessus": modal; the entry leaves FormulaId as it is
    // (the window's local help is its own record 18).
    catalog.add(
        "Formrouehaut", [](Session& s) { return std::make_unique<Formrouehaut>(s); },
        [](Session& s) { s.show("Formrouehaut", true); });
    catalog.declareStudy({.caption = "Roue au dessus — Calcul",
                          .window = "Formrouehaut",
                          .setup = {},
                          .action = "Calcul",
                          .inputs = Formrouehaut::studyInputs(),
                          .results = Formrouehaut::studyResults(),
                          .filesList = "List1",
                          .stateInControls = true});
    // Opened by the overshot window (not shown by the calculation that fills them).
    catalog.add(
        "Formsurfa", [](Session& s) { return std::make_unique<Formsurfa>(s); },
        [](Session& s) { s.show("Formsurfa", true); });
    catalog.add(
        "Formgraph", [](Session& s) { return std::make_unique<Formgraph>(s); },
        [](Session& s) { s.show("Formgraph", true); });
    // The jet graph; the wind study shows it not modal.
    catalog.add(
        "frmGraph", [](Session& s) { return std::make_unique<frmGraph>(s); },
        [](Session& s) { s.show("frmGraph", false); });
    // The overshot wheel's complementary results, sketch and jet graph: nothing to sweep.
    for (const char* shown : {"Formsurfa", "Formgraph", "frmGraph"}) catalog.declareNoStudy(shown);
    // "Perte de charge / Spécial coursier": modal, local-help topic 32.
    catalog.add(
        "Frmpertecou", [](Session& s) { return std::make_unique<Frmpertecou>(s); },
        [](Session& s) {
            s.shared().FormulaId = FormulaCode::OvershotFlume;
            s.show("Frmpertecou", true);
        });
    catalog.declareStudy({.caption = "Spécial coursier",
                          .window = "Frmpertecou",
                          .action = "Command1",
                          .inputs = Frmpertecou::studyInputs(),
                          .results = Frmpertecou::studyResults()});
}

}  // namespace aub

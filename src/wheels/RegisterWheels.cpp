#include "wheels/RegisterWheels.h"

#include <memory>
#include <string>
#include <utility>

#include "core/SharedValues.h"
#include "forms/Session.h"
#include "forms/WindowCatalog.h"
#include "wheels/FrmPoncel.h"
#include "wheels/FrmSagebi.h"
#include "wheels/Frmdessous.h"
#include "wheels/Frmrouedecote.h"
#include "wheels/Frmvis.h"
#include "wheels/Sageplus.h"
#include "wheels/frmPendant.h"

namespace aub {

void registerWheelsWindows(WindowCatalog& catalog) {
    // Each opener does what the main window's "&Evaluations" entry does.
    catalog.add(
        "Frmdessous", [](Session& s) { return std::make_unique<Frmdessous>(s); },
        [](Session& s) {
            s.shared().FormulaId = FormulaCode::UndershotWheel;
            s.show("Frmdessous", true);
        });
    // The wheel is calculated by choosing the gate: one calculation per gate.
    for (const auto& [gate, caption] : {std::pair{"DROITE", "Roue en dessous — Vanne droite"},
                                        std::pair{"INCLINEE", "Roue en dessous — Vanne inclinée"}})
        catalog.declareStudy({.caption = caption,
                              .window = "Frmdessous",
                              .action = std::string("Combo2=") + gate,
                              .inputs = Frmdessous::studyInputs(),
                              .results = Frmdessous::studyResults(),
                              .filesList = "List1"});
    catalog.add(
        "Frmrouedecoté", [](Session& s) { return std::make_unique<Frmrouedecote>(s); },
        [](Session& s) {
            s.shared().FormulaId = FormulaCode::BreastshotWheel;
            s.show("Frmrouedecoté", true);
        });
    catalog.declareStudy({.caption = "Roue de côté",
                          .window = "Frmrouedecoté",
                          .action = "cacus",
                          .inputs = Frmrouedecote::studyInputs(),
                          .results = Frmrouedecote::studyResults(),
                          .filesList = "List1"});
    catalog.add(
        "frmPendant", [](Session& s) { return std::make_unique<frmPendant>(s); },
        [](Session& s) {
            s.shared().FormulaId = FormulaCode::HangingWheel;
            s.show("frmPendant", true);
        });
    // Its calculation is withdrawn in this version ("Calcul non disponible").
    catalog.declareNoStudy("frmPendant");
    catalog.add(
        "FrmPoncel", [](Session& s) { return std::make_unique<FrmPoncel>(s); },
        [](Session& s) {
            s.shared().FormulaId = FormulaCode::PonceletWheel;
            s.show("FrmPoncel", true);
        });
    catalog.declareStudy({.caption = "Roue Poncelet",
                          .window = "FrmPoncel",
                          .action = "Command1",
                          .inputs = FrmPoncel::studyInputs(),
                          .results = FrmPoncel::studyResults(),
                          .filesList = "List1"});
    catalog.add(
        "FrmSagebi", [](Session& s) { return std::make_unique<FrmSagebi>(s); },
        [](Session& s) {
            s.shared().FormulaId = FormulaCode::SagebienWheel;
            s.show("FrmSagebi", true);
        });
    catalog.declareStudy({.caption = "Roue Sagebien",
                          .window = "FrmSagebi",
                          .action = "Calcul",
                          .inputs = FrmSagebi::studyInputs(),
                          .results = FrmSagebi::studyResults(),
                          .filesList = "List1"});
    catalog.add(
        "Frmvis", [](Session& s) { return std::make_unique<Frmvis>(s); },
        [](Session& s) {
            s.shared().FormulaId = FormulaCode::ArchimedesScrew;
            s.show("Frmvis", true);
        });
    catalog.declareStudy({.caption = "Vis hydrodynamique",
                          .window = "Frmvis",
                          .action = "Calcul",
                          .inputs = Frmvis::studyInputs(),
                          .results = Frmvis::studyResults(),
                          .filesList = "List1"});
    // Opened by the Sagebien window's "plusinfos" only.
    catalog.add("Sageplus", [](Session& s) { return std::make_unique<Sageplus>(s); });
    catalog.declareNoStudy("Sageplus");  // shows the Sagebien wheel's last results
}

}  // namespace aub

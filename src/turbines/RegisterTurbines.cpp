#include "turbines/RegisterTurbines.h"

#include <memory>
#include <utility>

#include "core/SharedValues.h"
#include "forms/Form.h"
#include "forms/MainWindow.h"
#include "forms/Session.h"
#include "forms/WindowCatalog.h"
#include "turbines/Banki.h"
#include "turbines/Form12.h"
#include "turbines/FormDes11.h"
#include "turbines/Formbuse.h"
#include "turbines/Formroue.h"
#include "turbines/frmarcy.h"

namespace aub {

void registerTurbinesWindows(WindowCatalog& catalog) {
    // "&Turbines": not modal.
    catalog.add(
        "Formroue", [](Session& s) { return std::make_unique<Formroue>(s); },
        [](Session& s) { s.show("Formroue", false); });
    catalog.declareStudy({.caption = "Turbine — Calcul 1 (vitesse vraie)",
                          .window = "Formroue",
                          .action = "Command1",
                          .inputs = Formroue::studyInputs(true),
                          .results = Formroue::studyResults(true)});
    // "CALCUL 2" works from the specific speed the window holds and refuses a window
    // without a speed (which it then replaces): a speed and a first "CALCUL 1" give both
    // to a window opened without them.
    catalog.declareStudy({.caption = "Turbine — Calcul 2 (vitesse spécifique)",
                          .window = "Formroue",
                          .setup = {"boitebase(2)=100", "Command1"},
                          .action = "Command2",
                          .inputs = Formroue::studyInputs(false),
                          .results = Formroue::studyResults(false)});
    // Opened by the turbine window's "indices11", not modal.
    catalog.add(
        "FormDes11", [](Session& s) { return std::make_unique<FormDes11>(s); },
        [](Session& s) { s.show("FormDes11", false); });
    catalog.declareNoStudy("FormDes11");  // shows indices of the turbine's last calculation
    // "&Roue Banki": modal.
    catalog.add(
        "Banki", [](Session& s) { return std::make_unique<Banki>(s); }, [](Session& s) { s.show("Banki", true); });
    catalog.declareStudy({.caption = "Turbine Banki",
                          .window = "Banki",
                          .action = "Calcul",
                          .inputs = Banki::studyInputs(),
                          .results = Banki::studyResults(),
                          .filesList = "List1"});
    // "Conduite circulaire" (code 9): the main window's page title goes, the pipe window
    // comes at Top 1500, not modal. The main window blanks its own page.
    catalog.add(
        "Formbuse", [](Session& s) { return std::make_unique<Formbuse>(s); },
        [](Session& s) {
            s.shared().FormulaId = FormulaCode::PressurePipe;
            if (MainWindow* main = mainWindow(s)) main->hidePageTitle();
            Form& pipe = s.load("Formbuse");
            if (!pipe.isLoaded()) return;
            pipe.topTw = 1500;
            s.show("Formbuse", false);
        });
    // Three menu entries calculate the pipe: one calculation each.
    for (const auto& [entry, caption] :
         {std::pair{"Colebrook", "Conduite en charge — Colebrook"},
          std::pair{"Scimemi", "Conduite en charge — Scimemi"}, std::pair{"Plein", "Conduite en charge — Plein débit"}})
        catalog.declareStudy({.caption = caption,
                              .window = "Formbuse",
                              .action = entry,
                              .inputs = Formbuse::studyInputs(),
                              .results = Formbuse::studyResults()});
    // "Perte de charge / Bassins": modal (the window sets its own code 33).
    catalog.add(
        "Form12", [](Session& s) { return std::make_unique<Form12>(s); }, [](Session& s) { s.show("Form12", true); });
    catalog.declareStudy({.caption = "Deux bassins",
                          .window = "Form12",
                          .action = "Command1",
                          .inputs = Form12::studyInputs(),
                          .results = Form12::studyResults()});
    // "Perte de charge / Canal (Darcy)": modal.
    catalog.add(
        "frmarcy", [](Session& s) { return std::make_unique<frmarcy>(s); },
        [](Session& s) { s.show("frmarcy", true); });
    catalog.declareStudy({.caption = "Canal (Darcy)",
                          .window = "frmarcy",
                          .action = "Command1",
                          .inputs = frmarcy::studyInputs(),
                          .results = frmarcy::studyResults()});
}

}  // namespace aub

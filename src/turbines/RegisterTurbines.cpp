#include "turbines/RegisterTurbines.h"

#include <memory>

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
    catalog.add("Formroue", [](Session& s) { return std::make_unique<Formroue>(s); },
                [](Session& s) { s.show("Formroue", false); });
    // Opened by the turbine window's "indices11", not modal.
    catalog.add("FormDes11", [](Session& s) { return std::make_unique<FormDes11>(s); },
                [](Session& s) { s.show("FormDes11", false); });
    // "&Roue Banki": modal.
    catalog.add("Banki", [](Session& s) { return std::make_unique<Banki>(s); },
                [](Session& s) { s.show("Banki", true); });
    // "Conduite circulaire" (code 9): the main window's page title goes, the pipe window
    // comes at Top 1500, not modal. The main window blanks its own page.
    catalog.add("Formbuse", [](Session& s) { return std::make_unique<Formbuse>(s); },
                [](Session& s) {
                    s.shared().FormulaId = FormulaCode::PressurePipe;
                    if (MainWindow* main = mainWindow(s)) main->hidePageTitle();
                    Form& pipe = s.load("Formbuse");
                    if (!pipe.isLoaded()) return;
                    pipe.topTw = 1500;
                    s.show("Formbuse", false);
                });
    // "Perte de charge / Bassins": modal (the window sets its own code 33).
    catalog.add("Form12", [](Session& s) { return std::make_unique<Form12>(s); },
                [](Session& s) { s.show("Form12", true); });
    // "Perte de charge / Canal (Darcy)": modal.
    catalog.add("frmarcy", [](Session& s) { return std::make_unique<frmarcy>(s); },
                [](Session& s) { s.show("frmarcy", true); });
}

}  // namespace aub

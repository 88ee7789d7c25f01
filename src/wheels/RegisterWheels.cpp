#include "wheels/RegisterWheels.h"

#include <memory>

#include "core/SharedValues.h"
#include "forms/Session.h"
#include "forms/WindowCatalog.h"
#include "wheels/FrmPoncel.h"
#include "wheels/FrmSagebi.h"
#include "wheels/Frmdessous.h"
#include "wheels/Frmrouedecote.h"
#include "wheels/Sageplus.h"
#include "wheels/frmPendant.h"

namespace aub {

void registerWheelsWindows(WindowCatalog& catalog) {
    // Each opener does what the main window's "&Evaluations" entry does.
    catalog.add("Frmdessous", [](Session& s) { return std::make_unique<Frmdessous>(s); },
                [](Session& s) {
                    s.shared().FormulaId = FormulaCode::UndershotWheel;
                    s.show("Frmdessous", true);
                });
    catalog.add("Frmrouedecoté", [](Session& s) { return std::make_unique<Frmrouedecote>(s); },
                [](Session& s) {
                    s.shared().FormulaId = FormulaCode::BreastshotWheel;
                    s.show("Frmrouedecoté", true);
                });
    catalog.add("frmPendant", [](Session& s) { return std::make_unique<frmPendant>(s); },
                [](Session& s) {
                    s.shared().FormulaId = FormulaCode::HangingWheel;
                    s.show("frmPendant", true);
                });
    catalog.add("FrmPoncel", [](Session& s) { return std::make_unique<FrmPoncel>(s); },
                [](Session& s) {
                    s.shared().FormulaId = FormulaCode::PonceletWheel;
                    s.show("FrmPoncel", true);
                });
    catalog.add("FrmSagebi", [](Session& s) { return std::make_unique<FrmSagebi>(s); },
                [](Session& s) {
                    s.shared().FormulaId = FormulaCode::SagebienWheel;
                    s.show("FrmSagebi", true);
                });
    // Opened by the Sagebien window's "plusinfos" only.
    catalog.add("Sageplus", [](Session& s) { return std::make_unique<Sageplus>(s); });
}

}  // namespace aub

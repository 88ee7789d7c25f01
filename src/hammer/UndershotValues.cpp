#include "hammer/UndershotValues.h"

#include "forms/Form.h"
#include "forms/Session.h"
#include "wheels/Frmdessous.h"

namespace aub {

UndershotValues readUndershotValues(Session& session) {
    Form* open = session.loaded("Frmdessous");
    const FormulaCode code = session.shared().FormulaId;
    Form& undershot = open ? *open : session.load("Frmdessous");
    auto box = [&](int index) { return undershot.txt("Valbox", index); };
    UndershotValues v;
    v.speed = box(Frmdessous::SpeedBox);
    v.omega = box(Frmdessous::OmegaBox);
    v.inertia = box(Frmdessous::InertiaBox);
    v.torque = box(Frmdessous::TorqueBox);
    if (!open) {
        // Read only: the window goes again, and the code it set with it, so that a
        // later click on the main window's help box does not bring it up.
        session.unload("Frmdessous");
        session.shared().FormulaId = code;
    }
    return v;
}

}  // namespace aub

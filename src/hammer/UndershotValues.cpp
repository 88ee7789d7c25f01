#include "hammer/UndershotValues.h"

#include "forms/Form.h"
#include "forms/Session.h"
#include "wheels/Frmdessous.h"

namespace aub {

UndershotValues readUndershotValues(Session& session) {
    Form& undershot = session.load("Frmdessous");
    auto box = [&](int index) { return undershot.txt("Valbox", index); };
    UndershotValues v;
    v.speed = box(Frmdessous::SpeedBox);
    v.omega = box(Frmdessous::OmegaBox);
    v.inertia = box(Frmdessous::InertiaBox);
    v.torque = box(Frmdessous::TorqueBox);
    return v;
}

}  // namespace aub

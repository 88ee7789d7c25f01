#include "hammer/UndershotValues.h"

#include "forms/Form.h"
#include "forms/Session.h"
#include "forms/WindowCatalog.h"

namespace aub {

namespace {

constexpr const char* UndershotWindow = "Frmdessous";
constexpr const char* ResultBoxes = "Valbox";
constexpr int SpeedBox = 4;
constexpr int OmegaBox = 13;
constexpr int InertiaBox = 20;
constexpr int TorqueBox = 7;

std::string boxText(Form& form, int index) {
    const Control* box = form.find(ResultBoxes, index);
    return box ? box->text() : std::string();
}

}  // namespace

UndershotValues readUndershotValues(Session& session) {
    UndershotValues v;
    if (!session.catalog().has(UndershotWindow)) return v;
    Form& undershot = session.load(UndershotWindow);
    v.available = true;
    v.speed = boxText(undershot, SpeedBox);
    v.omega = boxText(undershot, OmegaBox);
    v.inertia = boxText(undershot, InertiaBox);
    v.torque = boxText(undershot, TorqueBox);
    return v;
}

}  // namespace aub

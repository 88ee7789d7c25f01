#pragma once
// The values the trip hammer takes from the undershot wheel window "Frmdessous":
// the texts of its result boxes, as that window shows them. When that window is not
// loaded it is loaded for the reading, unseen, and unloaded again, FormulaId left as
// it was; its boxes are then empty.
#include <string>

namespace aub {

class Session;

struct UndershotValues {
    std::string speed;    // wheel speed N, t/min        (result box "Vitesse T/min")
    std::string omega;    // angular speed ω, rad/s       (result box "Omega rad/sec")
    std::string inertia;  // moment of inertia I, kg·m²   (result box "Moment inertie  kg m2")
    std::string torque;   // torque C, m·N                (result box "Couple mN")
};

UndershotValues readUndershotValues(Session& session);

}  // namespace aub

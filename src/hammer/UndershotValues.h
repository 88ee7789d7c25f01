#pragma once
// The values the trip hammer takes from the undershot wheel window "Frmdessous":
// the texts of its result boxes, as that window shows them. Reading them loads the
// undershot window without showing it when it is not loaded yet (its own opening
// steps run). When the program has no undershot window every text is empty.
//
// This is the one place that knows the undershot window's box names.
#include <string>

namespace aub {

class Session;

struct UndershotValues {
    bool available = false;  // the undershot window exists in this program
    std::string speed;       // wheel speed N, t/min        (result box "Vitesse T/min")
    std::string omega;       // angular speed ω, rad/s       (result box "Omega rad/sec")
    std::string inertia;     // moment of inertia I, kg·m²   (result box "Moment inertie  kg m2")
    std::string torque;      // torque C, m·N                (result box "Couple mN")
};

UndershotValues readUndershotValues(Session& session);

}  // namespace aub

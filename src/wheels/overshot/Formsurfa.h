#pragma once
// Complementary results of the overshot calculation: the bucket triangle, the
// shaft, the kinetic loss, the torque and the design observations.
#include "forms/Form.h"

namespace aub {

class Formsurfa : public Form {
public:
    explicit Formsurfa(Session& s);
};

}  // namespace aub

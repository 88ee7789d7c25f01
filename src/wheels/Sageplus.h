#pragma once
// The extra results of the Sagebien window: the three ratios of the law of sines of
// the entry triangle (Ve / sin gamma, Vr / sin alpha, V / sin beta), which must be
// equal, and the volume of wood of the blades (m3). "retour", a click on the window or
// on its frame brings the Sagebien window back.
#include "forms/Form.h"

namespace aub {

class Sageplus : public Form {
public:
    explicit Sageplus(Session& s);
    // Closed in any way, it gives the place back to the Sagebien window.
    void unloaded() override;

private:
    void back();
};

}  // namespace aub

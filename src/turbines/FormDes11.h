#pragma once
// Unit quantities of the turbine last sized by specific speed (reads SharedHead H m,
// SharedFlow Q m3/s, SharedSpeed N t/min, SharedEfficiency η, SharedExitDiameter D2 m):
//   Pu  = 13.333·Q·H·η (CV)          Ns  = N·√Pu / H^1.25
//   N11 = D2·N / √H (t/min)          Q11 = 1000·Q / (D2²·√H) (l/s)
//   P11 = Pu / (H^1.5·D2²) (CV)      check = N11·√P11, equal to Ns for consistent data.
#include "forms/Form.h"

namespace aub {

class FormDes11 : public Form {
public:
    explicit FormDes11(Session& s);
    void load() override;
    // The calculation; each value is shown as soon as it is computed.
    void calqu();
};

}  // namespace aub

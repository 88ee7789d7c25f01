#pragma once
#include "forms/Form.h"

namespace aub {

// The main window "PAGE GENERALE": the menu bar and the general calculator page.
class Formmain : public Form {
public:
    explicit Formmain(Session& session);
    void load() override;
    void activate() override;
    bool queryUnload(CloseMode mode) override;
};

}  // namespace aub

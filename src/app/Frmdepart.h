#pragma once
#include "forms/Form.h"

namespace aub {

// The start-up window: a title picture; a click anywhere closes it and shows the main window.
class Frmdepart : public Form {
public:
    explicit Frmdepart(Session& session);
    void load() override;

private:
    void start();
};

}  // namespace aub

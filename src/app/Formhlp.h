#pragma once
#include "forms/Form.h"

namespace aub {

// The text window: shows one stored text (record 34 of the help-text file).
class Formhlp : public Form {
public:
    explicit Formhlp(Session& session);
    void load() override;
};

}  // namespace aub

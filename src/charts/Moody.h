#pragma once
// The Moody diagram: friction factor f against the Reynolds number (log–log), the
// laminar line, the transition band and the Colebrook curves (see MoodyCurves.h), with
// the operating point of the pressure pipe's last Colebrook calculation (program-wide
// Re, f and ε/D) and its roughness curve emphasised.
#include "forms/Form.h"

namespace aub {

class Moody : public Form {
public:
    explicit Moody(Session& s);
    void load() override;
    // Brings the operating point up to date (the pipe may have been calculated since).
    void activate() override;

private:
    void refresh();
    double shownRe_ = -1, shownF_ = -1, shownEps_ = -1;
};

}  // namespace aub

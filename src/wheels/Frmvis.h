#pragma once
// The Archimedes screw window ("VIS HYDRODYNAMIQUE"): head, design flow, inclination,
// number of blades, the two bucket ratios (the optimum for that number of blades unless the
// person types others), filling, gap and the efficiencies in; the screw's diameters, pitch,
// length, turns, speed, bucket volume, flows, powers, torque and gearbox ratio out, with the
// number of parallel screws, the observations of the range checks and a side view.
// The calculation is ArchimedesScrew (double precision). Designs are "Vis" + name + ".txt"
// files of the program folder, one input per line.
#include <string>
#include <vector>

#include "forms/Form.h"
#include "forms/StudyDeclaration.h"
#include "wheels/ArchimedesScrew.h"

namespace aub {

class Frmvis : public Form {
public:
    explicit Frmvis(Session& s);
    static std::vector<StudyBox> studyInputs();
    static std::vector<StudyBox> studyResults();
    void load() override;

    // Input boxes, Valbox(i).
    enum Input {
        Head,
        Flow,
        Inclination,
        Blades,
        RadiusRatio,
        PitchRatio,
        Filling,
        Gap,
        ScrewEff,
        GearEff,
        GeneratorEff,
        InputCount
    };

    void calcul();
    const ScrewDesign& design() const { return design_; }

private:
    void bladesChanged();
    void putOptimum(int blades);
    void draw(const ScrewInputs& in, const ScrewDesign& d);
    void openSelected();
    void save();
    void nouveau();
    void defaults();

    ScrewDesign design_;
    // The ratios last put in by the program: replaced by the optimum of a new number of
    // blades as long as the person did not type others.
    std::string shownRho_, shownLambda_;
    bool filling_ = false;
};

}  // namespace aub

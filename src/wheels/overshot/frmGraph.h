#pragma once
// Path of the free jet leaving a flume: its upper edge, middle and lower edge,
// drawn in a 10 × 10 dm square whose top-left corner is the flume end. Drawn from
// the jet values the overshot calculation leaves (SharedJetVx, SharedJetVy,
// SharedJetThickness); SharedVelocity = 0 means no calculation was made.
#include "forms/Form.h"

namespace aub {

class frmGraph : public Form {
public:
    explicit frmGraph(Session& s);

    // "Graphe": the axes and the three curves, or "Aucun calcul effectué".
    void graphe();

private:
    void initiGraph();
    void axes();
    // One edge of the jet: x = 10·Vx·τ − dx, y = 10·(4.905·τ² + Vy·τ) + dy (dm), for
    // τ = 0, 0.01 ... while τ <= 0.5 s (τ accumulated in single precision), from (0, 0).
    void courbe(float dx, float dy);
    void courbe1();
    void courbe2();
    void courbe3();

    float tau_ = 0;  // curve parameter, s
};

}  // namespace aub

#pragma once
// Sketch of the overshot installation with the points the results name, and
// fourteen dimensions of the last design beside it.
#include "forms/Form.h"

namespace aub {

class Drawing;

class Formgraph : public Form {
public:
    explicit Formgraph(Session& s);
};

// Draws the installation in `d`: head race held by the gate V, jet leaving at E,
// flume down to F', free jet F'F onto the wheel top S with the clearance "jeu",
// vertical axis Y, circles Dext and Dint, bucket plates A-C-D with the angle delta
// at A and the chord AD. User coordinates 16 × 12, y downwards.
void drawOvershotSketch(Drawing& d);

}  // namespace aub

#pragma once
// The hanging wheel window "frmPendant": a wheel hung in a free stream, its blades
// partly immersed. It collects the wheel's characteristics (defaults at every opening),
// shows instructions, prints the header of the detailed results and offers the blade
// flow routine Vrelative. The calculation itself is not available.
#include <string>

#include "forms/Form.h"

namespace aub {

class frmPendant : public Form {
public:
    explicit frmPendant(Session& s);
    void load() override;

    // Blade at angle alpha to the horizontal (radians), speed ratio k = blade speed /
    // stream speed (k != 0), stream velocity V (m/s):
    //   gamma = atan(cos alpha / (1/k - sin alpha))           (radians)
    //   theta = alpha + pi/2 - gamma;  incidence i = (alpha - gamma) 180 / pi   (degrees)
    //   Vr = V cos alpha / sin theta                         (m/s)
    // Cx, Cz from bladeCoefficients(i). Throws CalcError on a division by zero.
    struct Flow {
        float gamma = 0;
        double Cx = 0, Cz = 0;
        float Vr = 0;
        float incidence = 0;
    };
    static Flow vRelative(float alpha, float k, float V);

    // Drag and lift coefficients of a flat blade at incidence i (degrees):
    //   i > 45:  Cx = 0.000311 i² + 0.01288 i - 3.402e-6 i³,  Cz = 0.00132 i² - 0.0136 i - 1.3e-5 i³
    //   i <= 45: Cx = 0.00089 i² - 0.005 i - 7.407e-6 i³,
    //            Cz = 0.01756 i² - 0.1273024 i - 0.0006151712 i³ + 6.6103e-6 i⁴
    // (the two laws do not meet at 45°: the coefficients jump there).
    static void bladeCoefficients(float i, double& Cx, double& Cz);

    // A value with three decimals ("###0.000").
    static std::string calib(float value);

    // The header of the detailed results, printed at (10, 10).
    static const std::string DetailHeader;

private:
    void setDefaults();
    void configure();
    void printDetailed();
    // Prints `text` at (x, y) in units of 57 twips (about one millimetre).
    void position(float x, float y, const std::string& text);
};

}  // namespace aub

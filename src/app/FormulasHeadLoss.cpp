// The head-loss pages of the general page: friction loss of an open channel of
// rectangular, trapezoidal or circular section (Manning), water depth of a
// rectangular channel carrying a given flow, and the loss in a pipe bend.
#include <cmath>
#include <string>

#include "app/Formmain.h"
#include "core/Checked.h"
#include "core/NumberText.h"
#include "core/SharedValues.h"
#include "forms/Dialogs.h"
#include "forms/Platform.h"

namespace aub {

namespace {

constexpr const char* CrLf = "\r\n";
constexpr int PageHeightTw = 8500;
constexpr int PageWidthTw = 11600;

// The depth search steps 0.01 m at a time; it stops at 1000 m whatever the maximum
// typed (a single-precision depth stops growing by 0.01 long before a typed maximum
// of, say, 1e9 m would be reached, and the search would never end).
constexpr float DepthStep = 0.01f;
constexpr long DeepestStep = 100000;

// The hourglass for the time of a calculation, taken away however it ends.
class Hourglass {
public:
    explicit Hourglass(Platform& platform) : platform_(platform) { platform_.setBusy(true); }
    ~Hourglass() { platform_.setBusy(false); }
    Hourglass(const Hourglass&) = delete;
    Hourglass& operator=(const Hourglass&) = delete;

private:
    Platform& platform_;
};

// Captions shared by the three channel pages.
void channelCaptions(Formmain& page) {
    page.caption(0, "Débit m3/s");
    page.caption(1, "Vitesse m/s");
    page.caption(3, "Profondeur utile m");
    page.caption(4, "Rayon hydraulique (automatique)");
    page.caption(5, "Coefficient de Manning");
}

}  // namespace

// ================================================================ channels

void Formmain::pageCanalRectangulaire() {
    placeWindow(topTw, PageHeightTw, PageWidthTw);
    beginPage(10, "1011110110111101");
    channelCaptions(*this);
    caption(2, "Largeur m");
    caption(7, "Nombre de Froude");
    title("Perte de charge dans un canal rectangulaire");
    ctl("Combo2").visible = false;
    ctl("Combo1").visible = true;
    ctl("KManning").visible = true;
    ctl("Labelresu").visible = true;
    set("zonetxt", 4, "");
    ctl("zonetxt", 1).locked = true;  // the velocity is a result
}

void Formmain::pageCanalTrapeze() {
    placeWindow(topTw, PageHeightTw, PageWidthTw);
    beginPage(15, "1011111010111110");
    channelCaptions(*this);
    caption(2, "Largeur en surface  m");
    caption(6, "Pente des berges en degrés");
    title("Perte de charge dans un canal trapézoidal");
    ctl("Combo1").visible = true;
    ctl("KManning").visible = true;
    set("zonetxt", 4, "");
    ctl("zonetxt", 1).locked = true;
}

void Formmain::pageCanalCirculaire() {
    placeWindow(topTw, PageHeightTw, PageWidthTw);
    beginPage(16, "1011110010111100");
    channelCaptions(*this);
    caption(2, "Diamètre m");
    title("Perte de charge dans un canal circulaire");
    ctl("Combo1").visible = true;
    ctl("KManning").visible = true;
    ctl("Labelresu").visible = true;
    set("zonetxt", 4, "");
    ctl("zonetxt", 1).locked = true;
}

// Uniform flow by Manning's formula: J = 1000·V²·n²·R^(−4/3) mm per m, with V = Q/A,
// R = A/P. Sections: rectangle of width b and depth h; trapezoid whose width b is
// taken at the water surface, banks at θ degrees (θ ≤ 89); circle of diameter b
// filled to a depth h (0 < h ≤ b). Froude number V/√(g·h); critical depth of the
// rectangle (Q²/(g·b²))^0.333.
void Formmain::perteChCanal() {
    SharedValues& sv = shared();
    const std::uint8_t code = sv.FormulaId;
    ctl("Labelresu").visible = true;
    const float n = num("zonetxt", 5);
    sv.SharedRoughness = n;
    if (n == 0) {
        dialogs().message(std::string("Rugosité des parois non définie") +
                          " Cliquez Sur la boite Parois ou recherchez le coefficient ");
        return;
    }
    const float q = num("zonetxt", 0);
    sv.SharedFlow = q;
    const float b = num("zonetxt", 2);
    const float h = num("zonetxt", 3);
    sv.SharedPower = h;

    float area = 0, perimeter = 0;
    if (code == 10) {
        vusNonVus("1111111111111111", true);
        area = checkedValue(h * b);
        perimeter = checkedValue(2 * h + b);
    } else if (code == 15) {
        vusNonVus("111111111111111", true);
        const float degrees = num("zonetxt", 6);
        if (degrees > 89) {
            dialogs().message(std::string("Valeur trop élevée") + CrLf + "Prenez le mode rectangulaire");
            return;
        }
        const float theta = degrees * 3.141593f / 180;
        const float tangent = ctan(theta);
        const float bottom = checkedValue(b - cdiv(2 * h, tangent));
        if (bottom < 0) {
            dialogs().message("Valeur incorrecte");
            return;
        }
        area = checkedValue(h * (cdiv(h, tangent) + bottom));
        perimeter = checkedValue(cdiv(2 * h, std::sin(theta)) + bottom);
    } else {
        vusNonVus("1111110011111100", true);
        // d: height of the water surface above the centre (negative below it);
        // s: half the width of the water surface; phi: wetted central angle.
        const float r = b / 2;
        const float d = h - r;
        const float s = csqrt(checkedValue(r * r - d * d));
        float phi = 3.141593f;
        if (d > 0) phi = 6.283186f - 2 * std::atan(cdiv(s, d));
        else if (d < 0) phi = 2 * std::atan(cdiv(s, std::fabs(d)));
        perimeter = checkedValue(phi * r);
        area = checkedValue(phi * (r * r) / 2 + d * s);
    }
    set("Text2", -1, "Périmouillé " + formatMask(perimeter, "##0.###"));
    ctl("Label1").caption = "Surface mouillée (m2) " + formatMask(area, "##0.###");
    wettedArea = area;
    wettedPerimeter = perimeter;

    const float radius = cdiv(area, perimeter);
    sv.SharedHydraulicRadius = radius;
    const float v = cdiv(q, area);
    sv.SharedVelocity = v;
    const float slope = checkedValue(1000 * (v * v) * (n * n) * cpow(radius, -4.0f / 3.0f));
    channelSlope = slope;
    set("zonetxt", 1, formatMask(v, "##0.#####"));
    set("zoneresu", -1, formatMask(slope, "##0.#####"));
    set("zonetxt", 4, formatMask(radius, "##0.#####"));
    ctl("Labelresu").caption = "Perte de charge mm/m";

    froude = cdiv(v, csqrt(9.81f * h));
    set("zonetxt", 7, formatMask(froude, "##0.#####"));
    if (code == 10) {
        const float critical = cpow(cdiv(checkedValue(q * q), checkedValue(9.81f * (b * b))), 0.333f);
        Control& line = ctl("Label1");
        line.caption = "hauteur critique : " + formatGeneral(critical, regionalSeparator());
        line.visible = true;
    }
    ctl("Label", 7).caption = froude > 1 ? "Ecoulement Torrentiel Froude =" : "Ecoulement Fluvial  Froude = ";
    ctl("Command3").visible = true;

    if (num("zoneresu") == 0) {
        ctl("Labelresu").caption.clear();
        ctl("Label3").caption.clear();
        dialogs().message("Erreur de données");
    }
}

// ================================================================ depth of a channel

void Formmain::pageDebitCanal() {
    placeWindow(topTw, PageHeightTw, PageWidthTw);
    beginPage(22, "1111100011111000");
    caption(0, "Largeur du canal (m)");
    caption(1, "Débit en m3/s");
    caption(2, "Pente du fond(mm/m)");
    caption(3, "Nombre de Manning");
    caption(4, "Hauteur max de lame déversante (m)");
    title("Hauteur d'eau dans un canal rectangukire en fonction du débit");
    ctl("KManning").visible = true;
    ctl("Combo1").visible = true;
}

// Depth h of a rectangular channel of width b, slope J and Manning n carrying Q:
// the first depth of the steps 0, 0.01, 0.02 ... m (up to the typed maximum, 5 m
// when none) whose Manning flow V·b·h, V = R^0.666·√J/n, R = b·h/(b + 2h), exceeds Q.
void Formmain::hDeQCanal() {
    SharedValues& sv = shared();
    Hourglass busy(platform());
    const float b = num("zonetxt", 0);
    sv.SharedWidth = b;
    const float q = num("zonetxt", 1);
    sv.SharedFlow = q;
    const float j = num("zonetxt", 2) / 1000;
    channelSlope = j;
    const float n = num("zonetxt", 3);
    sv.SharedSpeed = n;
    float deepest = num("zonetxt", 4);
    if (deepest == 0) deepest = 5;
    if (n == 0) {
        dialogs().message("Rugosité des parois non définie ");
        return;
    }

    bool found = false;
    float h = 0;
    for (long step = 0; h <= deepest && step <= DeepestStep; ++step, h += DepthStep) {
        sv.SharedHead = h;
        const float r = cdiv(checkedValue(h * b), checkedValue(b + 2 * h));
        sv.SharedHydraulicRadius = r;
        const float v = cdiv(checkedValue(cpow(r, 0.666f) * csqrt(j)), n);
        sv.SharedVelocity = v;
        const float carried = checkedValue(v * b * h);
        if (std::fabs(carried) > q) {
            found = true;
            break;
        }
    }
    if (found) {
        showResult("Hauteur (profondeur)", formatGeneral(h, regionalSeparator()));
    } else {
        // No depth to show: an earlier depth must not stay under this caption.
        showResult("Pas de résultat", "");
    }
}

// ================================================================ bend

void Formmain::pageCoude() {
    placeWindow(topTw, PageHeightTw, PageWidthTw);
    beginPage(25, "1110000011100000");
    caption(0, "Diamètre conduite (mm))");
    caption(1, "Rayon moyen du coude (mm)");
    caption(2, "Vitesse de l'eau (m/s) ");
    caption(3, "Coefficient de perte");
    caption(4, "Débit   litres/s");
    title("Pertes de charge dans un coude");
}

// Loss in a bend of a pipe of diameter D and mean radius Rc (both typed in mm), for
// a velocity V: ζ = (0.131 + 0.845·D/√(2·Rc))·(D/(2·Rc) + 0.5), Δh = ζ·V²/2g (shown
// in mm). Valid for Rc > 1.2·D.
void Formmain::coudes() {
    SharedValues& sv = shared();
    const float d = num("zonetxt", 0) / 1000;
    sv.SharedDiameter = d;
    const float rc = num("zonetxt", 1) / 1000;
    if (1.2f * d >= rc) {
        dialogs().message("Coude trop brusque");
        return;
    }
    const float v = num("zonetxt", 2);
    sv.SharedVelocity = v;
    const float zeta = (0.131f + cdiv(0.845f * d, csqrt(2 * rc))) * (cdiv(d, 2 * rc) + 0.5f);
    const float loss = checkedValue(zeta * 1000 * (v * v) / 19.62f);
    sv.SharedHead = loss;
    showResult("Perte de charge mm", formatMask(loss, "##0.###"));
    for (int i : {3, 4}) {
        ctl("Label", i).visible = true;
        ctl("zonetxt", i).visible = true;
    }
    set("zonetxt", 3, formatMask(zeta, "##0.###"));
    const float litres = checkedValue(1000 * v * 3.141593f * (d * d) / 4);
    sv.SharedFlow = litres;
    set("zonetxt", 4, formatMask(litres, "##0.###"));
    Control& line = ctl("Label1");
    line.caption = "Pour des tuyaux très lisses";
    line.visible = true;
}

}  // namespace aub

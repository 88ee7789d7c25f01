// The head-loss pages of the general page: friction loss of an open channel of
// rectangular, trapezoidal or circular section (Manning), water depth of a
// rectangular channel carrying a given flow, and the loss in a pipe bend.
#include <cmath>
#include <string>

#include "app/FormulaPage.h"
#include "core/Checked.h"
#include "core/Constants.h"
#include "core/NumberText.h"
#include "core/SharedValues.h"
#include "forms/Control.h"

namespace aub {

namespace {

// The depth search steps 0.01 m at a time; it stops at 1000 m whatever the maximum
// typed (a single-precision depth stops growing by 0.01 long before a typed maximum
// of, say, 1e9 m would be reached, and the search would never end).
constexpr float DepthStep = 0.01f;
constexpr long DeepestStep = 100000;

// The hourglass for the time of a calculation, taken away however it ends.
class Hourglass {
public:
    explicit Hourglass(PageContext& page) : page_(page) { page_.setBusy(true); }
    ~Hourglass() { page_.setBusy(false); }
    Hourglass(const Hourglass&) = delete;
    Hourglass& operator=(const Hourglass&) = delete;

private:
    PageContext& page_;
};

// ================================================================ channels

// The velocity and the hydraulic radius are results: the velocity box is locked.
void canalRectangulaireSetup(PageContext& page) {
    page.control("Combo2").visible = false;
    page.control("Combo1").visible = true;
    page.control("KManning").visible = true;
    page.control("Labelresu").visible = true;
    page.set(4, "");
    page.control("zonetxt", 1).locked = true;
}

void canalTrapezeSetup(PageContext& page) {
    page.control("Combo1").visible = true;
    page.control("KManning").visible = true;
    page.set(4, "");
    page.control("zonetxt", 1).locked = true;
}

void canalCirculaireSetup(PageContext& page) {
    page.control("Combo1").visible = true;
    page.control("KManning").visible = true;
    page.control("Labelresu").visible = true;
    page.set(4, "");
    page.control("zonetxt", 1).locked = true;
}

// Uniform flow by Manning's formula: J = 1000·V²·n²·R^(−4/3) mm per m, with V = Q/A,
// R = A/P. Sections: rectangle of width b and depth h; trapezoid whose width b is
// taken at the water surface, banks at θ degrees (θ ≤ 89); circle of diameter b
// filled to a depth h (0 < h ≤ b). Froude number V/√(g·h); critical depth of the
// rectangle (Q²/(g·b²))^0.333.
void perteChCanal(PageContext& page) {
    SharedValues& sv = page.shared();
    const FormulaCode code = sv.FormulaId;
    page.control("Labelresu").visible = true;
    const float n = page.num(5);
    sv.SharedRoughness = n;
    if (n == 0) {
        page.message(std::string("Rugosité des parois non définie") +
                     " Cliquez Sur la boite Parois ou recherchez le coefficient ");
        return;
    }
    const float q = page.num(0);
    sv.SharedFlow.set(q, FlowRateUnit::CubicMetresPerSecond);
    const float b = page.num(2);
    const float h = page.num(3);
    sv.SharedPower.set(h, PowerUnit::NotAPower);  // the water depth, kept there

    float area = 0, perimeter = 0;
    if (code == FormulaCode::RectangularChannel) {
        page.mask("1111111111111111", true);
        area = checkedValue(h * b);
        perimeter = checkedValue(2 * h + b);
    } else if (code == FormulaCode::TrapezoidChannel) {
        page.mask("111111111111111", true);
        const float degrees = page.num(6);
        if (degrees > 89) {
            page.message("Valeur trop élevée\nPrenez le mode rectangulaire");
            return;
        }
        const float theta = degrees * Pi / 180;
        const float tangent = ctan(theta);
        const float bottom = checkedValue(b - cdiv(2 * h, tangent));
        if (bottom < 0) {
            page.message("Valeur incorrecte");
            return;
        }
        area = checkedValue(h * (cdiv(h, tangent) + bottom));
        perimeter = checkedValue(cdiv(2 * h, std::sin(theta)) + bottom);
    } else {
        page.mask("1111110011111100", true);
        // d: height of the water surface above the centre (negative below it);
        // s: half the width of the water surface; phi: wetted central angle.
        const float r = b / 2;
        const float d = h - r;
        const float s = csqrt(checkedValue(r * r - d * d));
        float phi = Pi;
        if (d > 0)
            phi = 6.283186f - 2 * std::atan(cdiv(s, d));
        else if (d < 0)
            phi = 2 * std::atan(cdiv(s, std::fabs(d)));
        perimeter = checkedValue(phi * r);
        area = checkedValue(phi * (r * r) / 2 + d * s);
    }
    page.zoom("Périmouillé " + formatMask(perimeter, "##0.###"));
    page.control("Label1").caption = "Surface mouillée (m2) " + formatMask(area, "##0.###");
    page.wettedArea() = area;
    page.wettedPerimeter() = perimeter;

    const float radius = cdiv(area, perimeter);
    sv.SharedHydraulicRadius = radius;
    const float v = cdiv(q, area);
    sv.SharedVelocity = v;
    const float slope = checkedValue(1000 * (v * v) * (n * n) * cpow(radius, -4.0f / 3.0f));
    page.channelSlope() = slope;
    page.set(1, formatMask(v, "##0.#####"));
    page.control("zoneresu").setText(formatMask(slope, "##0.#####"));
    page.set(4, formatMask(radius, "##0.#####"));
    page.control("Labelresu").caption = "Perte de charge mm/m";

    page.froude() = cdiv(v, csqrt(9.81f * h));
    page.set(7, formatMask(page.froude(), "##0.#####"));
    if (code == FormulaCode::RectangularChannel) {
        const float critical = cpow(cdiv(checkedValue(q * q), checkedValue(9.81f * (b * b))), 0.333f);
        Control& line = page.control("Label1");
        line.caption = "hauteur critique : " + formatGeneral(critical, page.regionalSeparator());
        line.visible = true;
    }
    page.control("Label", 7).caption =
        page.froude() > 1 ? "Ecoulement Torrentiel Froude =" : "Ecoulement Fluvial  Froude = ";
    page.control("Command3").visible = true;

    if (page.resultNumber() == 0) {
        page.control("Labelresu").caption.clear();
        page.control("Label3").caption.clear();
        page.message("Erreur de données");
    }
}

// ================================================================ depth of a channel

void debitCanalSetup(PageContext& page) {
    page.control("KManning").visible = true;
    page.control("Combo1").visible = true;
}

// Depth h of a rectangular channel of width b, slope J and Manning n carrying Q:
// the first depth of the steps 0, 0.01, 0.02 ... m (up to the typed maximum, 5 m
// when none) whose Manning flow V·b·h, V = R^0.666·√J/n, R = b·h/(b + 2h), exceeds Q.
void hDeQCanal(PageContext& page) {
    SharedValues& sv = page.shared();
    Hourglass busy(page);
    const float b = page.num(0);
    sv.SharedWidth = b;
    const float q = page.num(1);
    sv.SharedFlow.set(q, FlowRateUnit::CubicMetresPerSecond);
    const float j = page.num(2) / 1000;
    page.channelSlope() = j;
    const float n = page.num(3);
    sv.SharedSpeed = n;
    float deepest = page.num(4);
    if (deepest == 0) deepest = 5;
    if (n == 0) {
        page.message("Rugosité des parois non définie ");
        return;
    }

    bool found = false;
    float h = 0;
    for (long step = 0; h <= deepest && step <= DeepestStep; ++step, h += DepthStep) {
        sv.SharedHead.set(h, HeadUnit::Metres);
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
        page.showResult("Hauteur (profondeur)", formatGeneral(h, page.regionalSeparator()));
    } else {
        // No depth to show: an earlier depth must not stay under this caption.
        page.showResult("Pas de résultat", "");
    }
}

// ================================================================ bend

// Loss in a bend of a pipe of diameter D and mean radius Rc (both typed in mm), for
// a velocity V: ζ = (0.131 + 0.845·D/√(2·Rc))·(D/(2·Rc) + 0.5), Δh = ζ·V²/2g (shown
// in mm). Valid for Rc > 1.2·D.
void coudes(PageContext& page) {
    SharedValues& sv = page.shared();
    const float d = page.num(0) / 1000;
    sv.SharedDiameter = d;
    const float rc = page.num(1) / 1000;
    if (1.2f * d >= rc) {
        page.message("Coude trop brusque");
        return;
    }
    const float v = page.num(2);
    sv.SharedVelocity = v;
    const float zeta = (0.131f + cdiv(0.845f * d, csqrt(2 * rc))) * (cdiv(d, 2 * rc) + 0.5f);
    const float loss = checkedValue(zeta * 1000 * (v * v) / TwoG);
    sv.SharedHead.set(loss, HeadUnit::Millimetres);
    page.showResult("Perte de charge mm", formatMask(loss, "##0.###"));
    for (int i : {3, 4}) {
        page.control("Label", i).visible = true;
        page.control("zonetxt", i).visible = true;
    }
    page.set(3, formatMask(zeta, "##0.###"));
    const float litres = checkedValue(1000 * v * Pi * (d * d) / 4);
    sv.SharedFlow.set(litres, FlowRateUnit::LitresPerSecond);
    page.set(4, formatMask(litres, "##0.###"));
    Control& line = page.control("Label1");
    line.caption = "Pour des tuyaux très lisses";
    line.visible = true;
}

}  // namespace

const std::vector<FormulaPage>& headLossPages() {
    // Captions shared by the three channel pages.
    using Captions = std::vector<std::pair<int, const char*>>;
    auto channel = [](Captions more) {
        Captions c = {{0, "Débit m3/s"},
                      {1, "Vitesse m/s"},
                      {3, "Profondeur utile m"},
                      {4, "Rayon hydraulique (automatique)"},
                      {5, "Coefficient de Manning"}};
        c.insert(c.end(), more.begin(), more.end());
        return c;
    };
    static const std::vector<FormulaPage> pages = {
        {.code = FormulaCode::PipeBend,
         .menu = "Pertecharge",
         .entry = "Coude",
         .entryCaption = "Coude simple",
         .routineName = "Coudes",
         .mask = "1110000011100000",
         .captions = {{0, "Diamètre conduite (mm))"},
                      {1, "Rayon moyen du coude (mm)"},
                      {2, "Vitesse de l'eau (m/s) "},
                      {3, "Coefficient de perte"},
                      {4, "Débit   litres/s"}},
         .title = "Pertes de charge dans un coude",
         .sizesWindow = true,
         .routine = coudes,
         .results = {{"zoneresu", "Perte de charge mm"}, {"zonetxt(3)", nullptr}, {"zonetxt(4)", nullptr}},
         // 100 mm pipe, bend of 3 diameters' radius, 2 m/s: ζ = 0.160, 32.632 mm.
         .example = {{0, "100"}, {1, "300"}, {2, "2"}}},
        {.code = FormulaCode::RectangularChannel,
         .menu = "Pertecharge",
         .entry = "Canalrect",
         .entryCaption = "Canal rectangulaire",
         .routineName = "Pertechcanal",
         .mask = "1011110110111101",
         .captions = channel({{2, "Largeur m"}, {7, "Nombre de Froude"}}),
         .title = "Perte de charge dans un canal rectangulaire",
         .sizesWindow = true,
         .setup = canalRectangulaireSetup,
         .routine = perteChCanal,
         .results = {{"zoneresu", "Perte de charge mm/m"},
                     {"zonetxt(1)", nullptr},
                     {"zonetxt(4)", nullptr},
                     {"zonetxt(7)", nullptr}}},
        {.code = FormulaCode::TrapezoidChannel,
         .menu = "Pertecharge",
         .entry = "Canaltrap",
         .entryCaption = "Canal en trapèze",
         .routineName = "Pertechcanal",
         .mask = "1011111010111110",
         .captions = channel({{2, "Largeur en surface  m"}, {6, "Pente des berges en degrés"}}),
         .title = "Perte de charge dans un canal trapézoidal",
         .sizesWindow = true,
         .setup = canalTrapezeSetup,
         .routine = perteChCanal,
         .results = {{"zoneresu", "Perte de charge mm/m"},
                     {"zonetxt(1)", nullptr},
                     {"zonetxt(4)", nullptr},
                     {"zonetxt(7)", "Froude"}},
         // 3 m wide at the surface, 1 m deep, banks at 45°: a 1 m bottom, A = 2 m².
         .example = {{0, "2"}, {2, "3"}, {3, "1"}, {5, "0.0124"}, {6, "45"}}},
        {.code = FormulaCode::CircularChannel,
         .menu = "Pertecharge",
         .entry = "Canalcirc",
         .entryCaption = "Canal circulaire",
         .routineName = "Pertechcanal",
         .mask = "1011110010111100",
         .captions = channel({{2, "Diamètre m"}}),
         .title = "Perte de charge dans un canal circulaire",
         .sizesWindow = true,
         .setup = canalCirculaireSetup,
         .routine = perteChCanal,
         .results = {{"zoneresu", "Perte de charge mm/m"}, {"zonetxt(1)", nullptr}, {"zonetxt(4)", nullptr}}},
        {.code = FormulaCode::ChannelDepth,
         .menu = "Pertecharge",
         .entry = "Debitcanal",
         .entryCaption = "Débit dun canal",
         .routineName = "HdeQcanal",
         .mask = "1111100011111000",
         .captions = {{0, "Largeur du canal (m)"},
                      {1, "Débit en m3/s"},
                      {2, "Pente du fond(mm/m)"},
                      {3, "Nombre de Manning"},
                      {4, "Hauteur max de lame déversante (m)"}},
         .title = "Hauteur d'eau dans un canal rectangukire en fonction du débit",
         .sizesWindow = true,
         .setup = debitCanalSetup,
         .routine = hDeQCanal,
         .results = {{"zoneresu", "Hauteur (profondeur)"}},
         // 1 m3/s in a 2 m wide channel of slope 1 mm/m, n = 0.0124: 0.44 m deep.
         .example = {{0, "2"}, {1, "1"}, {2, "1"}, {3, "0.0124"}}},
    };
    return pages;
}

}  // namespace aub

// The overshot wheel calculation, step by step, on the boxes of the window.
//
// Units: heads, lengths and diameters in m, speeds in m/s, flow in l/s, volumes in
// litres, powers in W, torque in N·m, speeds of rotation in t/min, angles in rad
// (degrees where the name says Deg). Single precision throughout; constants as the
// program has always written them: 19.62 for 2g, 9.81, 4.905 for g/2, 3.141593 for π,
// 6.283186 for 2π, 736 W per CV, contraction coefficient 0.6.
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "core/CalcError.h"
#include "core/Checked.h"
#include "core/Constants.h"
#include "core/Hydraulics.h"
#include "core/NumberText.h"
#include "core/SharedValues.h"
#include "forms/Dialogs.h"
#include "forms/Session.h"
#include "wheels/overshot/Formrouehaut.h"

namespace aub {

namespace {

// A value kept or shown must be a finite single: an overflow ends the calculation.

// Writes boxes of a window only once every text is ready, so that an overflow met
// while formatting leaves the boxes as they were.
void writeBoxes(Form& form, const std::string& name, const std::vector<std::pair<int, float>>& values) {
    std::vector<std::string> texts;
    texts.reserve(values.size());
    for (const auto& [index, value] : values) texts.push_back(formatNumber(value));
    for (std::size_t i = 0; i < values.size(); ++i) form.set(name, values[i].first, texts[i]);
}

}  // namespace

float surfaceTriangle(float a, float b, float c) {
    const float p = (a + b + c) / 2;
    return csqrt(checkedValue(p * (p - a) * (p - b) * (p - c)));
}

void Formrouehaut::calculHaut() {
    SharedValues& sv = shared();

    // 1. The seventeen boxes, in index order.
    const float H = num("Valbox", 0);
    sv.SharedHead.set(H, HeadUnit::Metres);
    hc_ = num("Valbox", 1);
    e_ = num("Valbox", 2) / 100;
    const float B = num("Valbox", 3);
    sv.SharedWidth = B;
    const float D = num("Valbox", 4);
    sv.SharedDiameter = D;
    b_ = num("Valbox", 5);
    jv_ = num("Valbox", 6);
    L_ = num("Valbox", 7);
    jh_ = num("Valbox", 8);
    slope_ = num("Valbox", 9);
    const float n = num("Valbox", 10);
    sv.SharedRoughness = n;
    lowFlume_ = toUpperAscii(txt("Valbox", 11));  // read as typed, blanks included
    k_ = num("Valbox", 12);
    t_ = num("Valbox", 13) / 1000;
    Z_ = num("Valbox", 14);
    kc_ = num("Valbox", 15);
    f_ = num("Valbox", 16) / 100;
    kc_ = kc_ / 100;

    // 2-3. Gate opening at most half the water height; the flume answer.
    if (hc_ / 2 < e_) {
        dialogs().message("levée trop grande");
        return;
    }
    if (lowFlume_ != "OUI" && lowFlume_ != "NON") {
        dialogs().message("coursier  mal défini  dites oui   ou non");
        return;
    }

    // 4. Jet under the gate: contracted thickness t0, speed Vg, flow Q (l/s).
    const float t0 = 0.6f * e_;
    const float Vg = csqrt(checkedValue(TwoG * (hc_ - t0 / 2)));
    const float Q = checkedValue(t0 * b_ * Vg * 1000);
    sv.SharedJetThickness = t0;
    sv.SharedVelocity = Vg;
    sv.SharedFlow.set(Q, FlowRateUnit::LitresPerSecond);

    // 5. Bucket pitch.
    const float phi = cdiv(TwoPi, Z_);
    sv.SharedPitchAngle = phi;
    arcPitch_ = checkedValue(phi * D / 2);
    chordPitch_ = checkedValue(D * std::sin(phi / 2));

    // 6. Along the flume, without friction: the slope's head is added to the jet's.
    theta_ = catan(slope_ / 100);
    V1_ = csqrt(checkedValue(TwoG * (cdiv(Vg * Vg, TwoG) + L_ * ctan(theta_))));
    const float Vx = V1_ * std::cos(theta_);
    float Vy = V1_ * std::sin(theta_);

    // 7. Free jet across the gap jh: fall during the crossing time, final vertical speed.
    tau_ = cdiv(jh_, Vx);
    sv.SharedJetDrop = checkedValue(4.905f * tau_ * tau_ + Vy * tau_);
    Vy = checkedValue(9.81f * tau_ + Vy);
    sv.SharedJetVx = Vx;
    sv.SharedJetVy = Vy;
    V_ = csqrt(checkedValue(Vy * Vy + Vx * Vx));
    jetSlope_ = cdiv(Vy, Vx);

    // 8. Velocity triangle at the bucket entry.
    const float alpha = catan(cdiv(Vy, Vx));
    const float beta = catan(cdiv(k_ * std::sin(alpha), 1 - k_ * std::cos(alpha)));
    const float W = cdiv(V_ * std::sin(alpha), std::sin(alpha + beta));
    alphaDeg_ = alpha * 180 / Pi;
    betaDeg_ = beta * 180 / Pi;
    alphaBetaDeg_ = (alpha + beta) * 180 / Pi;
    sv.SharedAlpha = alpha;
    sv.SharedBeta = beta;
    sv.SharedAlphaBeta = alpha + beta;
    sv.SharedRelativeSpeed = W;

    // 9. Flume drop and crown height.
    dz_ = checkedValue(L_ * slope_ / 100);
    const float hcr = checkedValue(D * kc_);
    sv.SharedCrownHeight = hcr;

    // 10. Bucket count.
    if (!(Z_ >= 6.0f && Z_ <= 80.0f)) {
        dialogs().message("Nombre d'aubes incorrect");
        return;
    }

    // 11. Inner diameter.
    Di_ = checkedValue(D - 2 * hcr);
    r_ = Di_ / 2;

    // 12. Speed ratio: too slow is only a warning, too fast stops.
    if (k_ < 0.4f) {
        dialogs().message("Vitesse de roue trop lente");
    } else if (k_ > 0.8f) {
        dialogs().message("Vitesse de roue éxagérée\ndébit trop élevé\nou dimensions à augmenter");
        return;
    }

    // 13.
    placeAube();

    // 14. Bucket plates: A on the outer circle, bend C, D on the inner circle.
    R_ = D / 2;
    const float gamma = Pi / 2 - phi;
    sv.SharedGamma = gamma;
    L1_ = cdiv(checkedValue(R_ * std::sin(gamma) * std::tan(phi)), std::sin(gamma + alpha + beta));
    L2_ =
        checkedValue(cdiv(R_, std::cos(phi)) - r_ - cdiv(checkedValue(L1_ * std::sin(alpha + beta)), std::sin(gamma)));

    // 15. Crown section free of plates (m² per metre of width) and crown volume (l).
    Ac_ = checkedValue((D * D - Di_ * Di_) * Pi / 4 - Z_ * t_ * (L1_ + L2_) - 2 * Pi * Di_ * t_);
    Vc_ = checkedValue(Ac_ * B * 1000);

    // 16. Speeds and powers.
    const float u = checkedValue(k_ * Vg);
    const float P0 = checkedValue(H * 9.81f * Q);
    const float N = cdiv(checkedValue(u * 60), checkedValue(D * Pi));
    const float omega = checkedValue(N * TwoPi / 60);
    sv.SharedPeripheralSpeed = u;
    sv.SharedPower.set(P0, PowerUnit::Watts);
    sv.SharedSpeed = N;
    sv.SharedOmega = omega;

    // 17. Bucket volumes (l) and the water one bucket receives per passage.
    Vb_ = cdiv(Vc_, Z_);
    Va_ = checkedValue(Vb_ * f_);
    Vu_ = cdiv(checkedValue(Q * 60), checkedValue(N * Z_));

    // 18. Kinetic loss (W).
    Pk_ = checkedValue((W * W + u * u) * Q * 10 / TwoG);

    // 19. Chord AD across one pitch.
    c_ = csqrt(checkedValue(R_ * R_ + r_ * r_ - 2 * R_ * r_ * std::cos(phi)));

    // 20. Clearance under the wheel.
    j_ = checkedValue(H - D - hc_ - dz_ - jv_);

    // 21. Spill angle: the angle at A of the bucket triangle (δ), turned by the plate angle.
    const float delta = triangleAngle(L2_, c_, L1_);
    thetaS_ = delta + alphaBetaDeg_ + 90;

    // 22-23. Torque, expected power, efficiency.
    sv.SharedTorque = 0;
    calculCouple();
    const float T = sv.SharedTorque;
    P_ = checkedValue(T * omega - Pk_);
    const float eta = cdiv(P_, P0);
    sv.SharedEfficiency = eta;

    // 24. Result boxes.
    writeBoxes(*this, "Resubox",
               {{0, Vc_},
                {1, P0},
                {2, P0 / 736},
                {3, P_},
                {5, V_},
                {6, P_ / 736},
                {7, W},
                {8, checkedValue(100 * eta)},
                {9, omega},
                {10, N},
                {11, Pk_},
                {12, Vb_},
                {13, Va_},
                {14, betaDeg_},
                {15, Q},
                {16, cdiv(checkedValue(D * Pi), Z_)},
                {17, delta},
                {18, hcr},
                {19, Vu_},
                {20, Di_},
                {21, alphaDeg_},
                {22, L1_},
                {25, alphaBetaDeg_},
                {24, 100 * t0},
                {26, u},
                {27, j_},
                {28, L2_}});

    // 25. Width of the jet where it meets the rim; wider than one pitch it spills.
    float ej = cdiv(checkedValue(Q * 0.001f), checkedValue(Vg * b_));
    ej = checkedValue((1 - 0.5f * cdiv(B - b_, B)) * ej);
    const float er = cdiv(ej, std::sin(alpha));
    const bool jetTooWide = cdiv(checkedValue(D * Pi), Z_) < er;

    // 26. Specific speed.
    const float ns = cdiv(checkedValue(N * csqrt(cdiv(checkedValue(eta * P0), 736))), cpow(H, 1.25f));
    sv.SharedSpecificSpeed = ns;

    // 27. Bucket triangle ACD.
    const float S = surfaceTriangle(c_, L1_, L2_);

    // 28. Complementary results; the shaft diameter (mm) uses the exponent 0.333.
    const float shaft = checkedValue(120 * cpow(cdiv(cdiv(checkedValue(eta * P0), 736), N), 0.333f));
    Form& surfa = session().load("Formsurfa");
    writeBoxes(surfa, "Resubox",
               {{17, checkedValue(100 * S)}, {16, checkedValue(B * 100 * S * 10)}, {19, shaft}, {22, Pk_}, {14, T}});

    // 29. Observations.
    std::vector<std::string> notes{"OBSERVATIONS"};
    if (Va_ < Vu_) notes.emplace_back("débit supérieur à la valeur autorisée dans les augets");
    if (kc_ < 0.02f)
        notes.emplace_back("hauteur couronne:Valeur TROP FAIBLE");
    else if (kc_ > 0.25f)
        notes.emplace_back("hauteur couronne:Valeur EXAGEREE");
    if (j_ < 0) notes.emplace_back(" Jeu sous roue insuffisant");
    if (jetTooWide) {
        notes.emplace_back("Jet trop large :augmentez l'angle alpha");
        notes.emplace_back(" ou la largeur de la roue ou modifier");
        notes.emplace_back(" raisonnablement le nombre d'augets");
    }
    if (notes.size() < 2) notes.emplace_back(" néant");
    Control& list = surfa.ctl("List1");
    list.clearItems();
    for (auto& line : notes) list.addItem(std::move(line));

    // 30. Dimensions of the sketch window.
    Form& graph = session().load("Formgraph");
    writeBoxes(graph, "Valbox",
               {{0, D},
                {1, Di_},
                {2, L1_},
                {3, L2_},
                {4, c_},
                {5, alphaBetaDeg_},
                {6, L_},
                {7, jh_},
                {8, jv_},
                {9, chordPitch_},
                {10, arcPitch_},
                {11, er},
                {12, slope_},
                {13, thetaS_}});
}

void Formrouehaut::calculCouple() {
    SharedValues& sv = shared();
    const float phi = sv.SharedPitchAngle;
    const float arm = (r_ + R_) * 0.92f / 2;  // lever arm of the water in a bucket, m

    // Buckets past the spill angle hold less and less: limits A(1)..A(5), A(5) = 180°.
    const bool full = lowFlume_ == "OUI";
    float limit[6] = {thetaS_, 0, 0, 0, 0, 0};
    if (!full)
        for (int i = 1; i <= 5; ++i) limit[i] = thetaS_ + static_cast<float>(i) * (180 - thetaS_) / 5;
    static constexpr int weights[6] = {10, 7, 5, 3, 2, 1};

    // The loaded half: Z/2 buckets, halves to the even neighbour.
    const int m = toInteger(Z_ / 2);
    float torque = sv.SharedTorque;
    for (int i = 1; i <= m; ++i) {
        const float x = static_cast<float>(i) * phi;
        const float xDeg = x * 180 / Pi;
        const float q = arm * Vu_ * std::sin(x);  // litres × m; 10 N per litre
        if (full) {
            torque += 10 * q;
            continue;
        }
        for (int w = 0; w < 6; ++w) {
            const float low = w == 0 ? 0.0f : limit[w - 1];
            if (low <= xDeg && xDeg <= limit[w]) {
                torque += static_cast<float>(weights[w]) * q;
                break;
            }
        }
    }
    sv.SharedTorque = checkedValue(torque);
}

}  // namespace aub

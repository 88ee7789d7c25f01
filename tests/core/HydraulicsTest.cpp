#include "core/CalcError.h"
#include "core/Hydraulics.h"
#include "core/NumberText.h"
#include "core/RecordingMessenger.h"
#include "support/TimeFactor.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>

namespace aub {
namespace {

using test::RecordingMessenger;

TEST(WallRoughness, TableExactNamesAndEmptyName) {
    RecordingMessenger m;
    float r = -5.0f;
    const std::pair<const char*, float> table[] = {
        {"Cuivre", 0.0015f},    {"Plastic", 0.002f},    {"Acier lisse", 0.002f}, {"Fibro", 0.03f},
        {"Acier soudé", 0.01f}, {"Fonte neuve", 0.25f}, {"Bois poncé", 0.3f},    {"Bois brut", 0.9f},
        {"cuivre", 1.0f},       {"Bois ponce", 1.0f},   {"Béton", 1.0f},
    };
    for (const auto& [name, value] : table) {
        wallRoughness(name, r, m);
        EXPECT_EQ(r, value) << name;
    }
    EXPECT_TRUE(m.messages.empty());
    r = 0.25f;
    wallRoughness("", r, m);
    EXPECT_EQ(r, 0.25f);
    ASSERT_EQ(m.messages.size(), 1u);
    EXPECT_EQ(m.messages[0], "Pas de nature de paroi !");
}

double residual(double eps, double re, double f) {
    return 1.0 / std::sqrt(f) + 2.0 * std::log10(eps / 3.7 + 2.51 / (re * std::sqrt(f)));
}

TEST(ColebrookFriction, WorkedExamplesAndRanges) {
    RecordingMessenger m;
    EXPECT_NEAR(colebrookFriction(0.0001, 100000, m), 0.0185, 0.0001);
    EXPECT_DOUBLE_EQ(colebrookFriction(0.0001, 2000, m), 0.032);
    EXPECT_EQ(colebrookFriction(4, 100000, m), -1.0);
    EXPECT_EQ(colebrookFriction(-0.1, 100000, m), -1.0);
    EXPECT_EQ(colebrookFriction(0.01, -1, m), -1.0);
    EXPECT_EQ(colebrookFriction(0.01, 0, m), 0.0);
    EXPECT_TRUE(m.messages.empty());
}

TEST(ColebrookFriction, SolvesTheEquationOverTheWholeRange) {
    // Includes smooth pipes at very high Reynolds numbers, where the first tangent
    // from f = 0.01 lands below zero.
    for (double eps : {0.0, 1e-9, 1e-6, 1e-4, 0.01, 0.1, 1.0, 3.0}) {
        for (double re : {2500.0, 4000.0, 1e5, 1e7, 1e12, 1e20, 1e300}) {
            RecordingMessenger m;
            const double f = colebrookFriction(eps, re, m);
            ASSERT_GT(f, 0.0) << eps << " " << re;
            EXPECT_LT(std::fabs(residual(eps, re, f)), 1e-9) << eps << " " << re;
            EXPECT_TRUE(m.messages.empty()) << eps << " " << re;
        }
    }
}

// Newton's method on g(f) from f = 0.01 in its plain writing (pow, log10), stopped at
// |g| < 1e-9: the values the windows have always shown.
double plainColebrook(double eps, double re) {
    const double ln10 = std::log(10.0);
    double f = 0.01, a = 0, g = 0;
    auto evaluate = [&](double x) {
        const double root = std::sqrt(x);
        a = eps / 3.7 + 2.51 / (re * root);
        g = 1.0 / root + 2.0 * std::log10(a);
    };
    evaluate(f);
    for (int step = 0; step < ColebrookMaxSteps && std::fabs(g) >= 1e-9; ++step) {
        const double fm15 = std::pow(f, -1.5);
        const double next = f - g / (-0.5 * fm15 - (2.51 / (ln10 * a * re)) * fm15);
        f = (std::isfinite(next) && next <= 0.0) ? f / 10.0 : next;
        evaluate(f);
    }
    return f;
}

// Every digit the windows show of f and of what is drawn from it is the plain writing's,
// over Re from 2500 to 1e8 and ε/D from 0 to 0.05: f on the Moody chart (seven digits of
// the single) and in the duct window (mask "##0.0####"), the penstock gradient J in mm/m
// (a single, "#0.####") and the losses over a length ("###0.###").
TEST(ColebrookFriction, ShowsTheDigitsOfThePlainNewtonIteration) {
    RecordingMessenger m;
    int compared = 0;
    for (int i = 0; i < 240; ++i) {
        const double re = 2500.0 * std::pow(10.0, (8.0 - std::log10(2500.0)) * i / 239.0);
        for (int k = 0; k <= 50; ++k) {
            const double eps = k == 0 ? 0.0 : (k % 2 ? std::pow(10.0, -7.0 + 5.7 * k / 50.0) : 0.05 * k / 50.0);
            const double plain = plainColebrook(eps, re), f = colebrookFriction(eps, re, m);
            ASSERT_NEAR(f, plain, 1e-14 * plain) << eps << " " << re;
            ASSERT_EQ(formatGeneral(static_cast<float>(f)), formatGeneral(static_cast<float>(plain)))
                << eps << " " << re;
            ASSERT_EQ(formatMask(f, "##0.0####"), formatMask(plain, "##0.0####")) << eps << " " << re;
            for (double v : {0.5, 1.7, 3.0}) {
                const double d = re * 0.001005 / v;  // mm, so that Re = V d / 0.001005
                const float j = static_cast<float>(f * v * v * 1000.0 / (d * 19.62 / 1000.0));
                const float jPlain = static_cast<float>(plain * v * v * 1000.0 / (d * 19.62 / 1000.0));
                ASSERT_EQ(formatMask(j, "#0.####"), formatMask(jPlain, "#0.####")) << eps << " " << re << " " << v;
                for (float length : {137.0f, 4321.0f})
                    ASSERT_EQ(formatMask(j * length, "###0.###"), formatMask(jPlain * length, "###0.###"))
                        << eps << " " << re << " " << v;
            }
            ++compared;
        }
    }
    EXPECT_EQ(compared, 240 * 51);
    EXPECT_TRUE(m.messages.empty());
}

TEST(ColebrookFriction, NotANumberShowsAMessageAndNeverHangs) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (auto [eps, re] :
         {std::pair{nan, 1e5}, std::pair{0.001, nan}, std::pair{0.001, std::numeric_limits<double>::infinity()}}) {
        RecordingMessenger m;
        EXPECT_EQ(colebrookFriction(eps, re, m), -1.0);
        ASSERT_EQ(m.messages.size(), 1u);
        EXPECT_EQ(m.messages[0], "Dépassement de capacité");
    }
}

TEST(Polars, WorkedExampleAndBranchQuirks) {
    float cl = 0, cd = 0;
    clarkYPolar(5, cl, cd);
    EXPECT_FLOAT_EQ(cl, 0.85f);
    EXPECT_FLOAT_EQ(cd, 0.0123f);
    clarkYPolar(20, cl, cd);
    EXPECT_FLOAT_EQ(cl, 0.01f);

    cd = 0.777f;
    flatPlatePolar(20, cl, cd);  // 15 < a <= 40: drag kept as it was
    EXPECT_FLOAT_EQ(cl, 1.2f);
    EXPECT_FLOAT_EQ(cd, 0.777f);
    flatPlatePolar(45, cl, cd);
    EXPECT_FLOAT_EQ(cd, 0.825f);

    naca4415Polar(15, cl, cd);
    EXPECT_FLOAT_EQ(cl, 1.45f);
    EXPECT_FLOAT_EQ(cd, 0.14f);

    naca63415Polar(5, cl, cd);  // drag from the lift just computed
    EXPECT_FLOAT_EQ(cl, 0.85f);
    EXPECT_FLOAT_EQ(cd, 0.0281250f);

    EXPECT_THROW(clarkYPolar(std::numeric_limits<float>::quiet_NaN(), cl, cd), CalcError);
    EXPECT_THROW(naca4415Polar(-std::numeric_limits<float>::infinity(), cl, cd), CalcError);
}

TEST(ManningToBazin, PolynomialAndLowLimit) {
    RecordingMessenger m;
    EXPECT_NEAR(manningToBazin(0.02f, m), 0.6237, 1e-3);
    EXPECT_TRUE(m.messages.empty());
    EXPECT_EQ(manningToBazin(0.009f, m), 0.0f);
    ASSERT_EQ(m.messages.size(), 1u);
    EXPECT_EQ(m.messages[0], "Controle imposssible");
}

TEST(InverseTrigonometry, ArcSinAndArcCosDeg) {
    float x = 0.5f;
    EXPECT_NEAR(arcSin(x), 0.5235988f, 1e-6);
    x = -0.5f;
    EXPECT_NEAR(arcSin(x), 0.5235988f, 1e-6);  // angle of |x|
    x = 1.0f;
    EXPECT_NEAR(arcSin(x), 1.5707965f, 1e-6);
    EXPECT_EQ(x, 0.999999999f);
    x = 1.5f;
    EXPECT_EQ(arcSin(x), 0.0f);
    x = 0.0f;
    EXPECT_EQ(arcSin(x), 0.0f);

    x = 0.5f;
    EXPECT_NEAR(arcCosDeg(x), 60.0f, 1e-4);
    x = -0.5f;
    EXPECT_NEAR(arcCosDeg(x), 120.0f, 1e-4);
    x = 1.0f;
    EXPECT_EQ(arcCosDeg(x), 0.0f);
    x = -1.0f;
    EXPECT_EQ(arcCosDeg(x), 180.0f);
    x = -1.01f;
    EXPECT_EQ(arcCosDeg(x), 0.0f);
}

TEST(Triangle, AngleOppositeSideAndZeroSide) {
    EXPECT_NEAR(triangleAngle(3, 4, 5), 36.8699f, 1e-3);
    EXPECT_NEAR(triangleAngle(5, 3, 4), 90.0f, 1e-3);
    EXPECT_NEAR(triangleAngle(2, 1, 1), 180.0f, 1e-3);  // flat triangle, cosine exactly -1
    try {
        triangleAngle(1, 0, 1);
        ADD_FAILURE() << "no throw";
    } catch (const CalcError& e) {
        EXPECT_EQ(e.code(), ErrDivByZero);
    }
}

TEST(ElasticImpact, ExchangeOfVelocitiesAndZeroMass) {
    float u2 = 0;
    EXPECT_FLOAT_EQ(elasticImpact(2, 2, 3, -1, u2), -1.0f);
    EXPECT_FLOAT_EQ(u2, 3.0f);
    EXPECT_FLOAT_EQ(elasticImpact(1, 3, 4, 0, u2), -2.0f);
    EXPECT_FLOAT_EQ(u2, 2.0f);
    EXPECT_THROW(elasticImpact(1, -1, 4, 0, u2), CalcError);
}

TEST(WaitSeconds, WaitsOnTheClockAndKeepsPumping) {
    int pumps = 0;
    const auto start = std::chrono::steady_clock::now();
    waitSeconds(0.1f, [&] { ++pumps; });
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_GE(elapsed, std::chrono::milliseconds(100));
    EXPECT_LT(elapsed, test::allowed(std::chrono::seconds(2)));
    EXPECT_GE(pumps, 3);

    pumps = 0;
    const auto again = std::chrono::steady_clock::now();
    waitSeconds(-1.0f, [&] { ++pumps; });
    waitSeconds(std::numeric_limits<float>::quiet_NaN(), [&] { ++pumps; });
    waitSeconds(std::numeric_limits<float>::infinity(), [&] { ++pumps; });
    waitSeconds(0.02f, {});
    EXPECT_EQ(pumps, 0);
    EXPECT_LT(std::chrono::steady_clock::now() - again, test::allowed(std::chrono::seconds(1)));
}

}  // namespace
}  // namespace aub

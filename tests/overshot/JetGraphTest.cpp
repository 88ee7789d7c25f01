// The jet graph: axes, the three edges of the jet, and the refusal before any calculation.
#include <gtest/gtest.h>

#include "core/SharedValues.h"
#include "support/WindowTest.h"

namespace aub {
namespace {

class JetGraphTest : public test::WindowTest {
protected:
    void setJet(float vx, float vy, float t0) {
        SharedValues& sv = session().shared();
        sv.SharedVelocity = 3;
        sv.SharedJetVx = vx;
        sv.SharedJetVy = vy;
        sv.SharedJetThickness = t0;
        sv.SharedJetDrop = 0.05f;
    }
    const std::vector<DrawOp>& ops() { return load("frmGraph").ctl("Picture1").drawing.ops(); }
    // The curve points of one edge: the segments after the 22 lines of the axes.
    std::vector<DrawOp> curve(int which, int points) {
        auto begin = ops().begin() + 22 + which * points;
        return {begin, begin + points};
    }
};

TEST_F(JetGraphTest, NothingDrawnBeforeAnyCalculation) {
    open("frmGraph");
    EXPECT_FALSE(load("frmGraph").modal());
    expectMessage("Aucun calcul effectué");
    step("frmGraph", "Graphe");
    EXPECT_TRUE(ops().empty());
}

TEST_F(JetGraphTest, ThreeEdgesOfTheJetOffsetByItsThickness) {
    setJet(2, 0, 0.05f);
    open("frmGraph");
    step("frmGraph", "Graphe");
    int points = 0;
    for (float tau = 0; tau <= 0.5f; tau += 0.01f) ++points;
    ASSERT_EQ(ops().size(), 22u + 3u * static_cast<unsigned>(points) + 6u);
    EXPECT_EQ(session().shared().SharedJetDrop, 0);
    // Upper edge with Vy = 0: x = 10·Vx·τ, y = 49.05·τ².
    auto upper = curve(0, points);
    EXPECT_FLOAT_EQ(upper[0].x2, 0);
    EXPECT_NEAR(upper[10].x2, 2.0f, 1e-4f);  // τ = 0.1
    EXPECT_NEAR(upper[10].y2, 0.4905f, 1e-4f);
    EXPECT_NEAR(upper[50].y2, 12.2625f, 1e-2f);  // τ = 0.5, outside the square (clipped)
    EXPECT_EQ(upper[0].width, 2);
    // The middle and the lower edge start from the flume end and are offset by 3t0, 5t0 and 6t0, 10t0.
    auto middle = curve(1, points);
    auto lower = curve(2, points);
    EXPECT_FLOAT_EQ(middle[0].x1, 0);
    EXPECT_FLOAT_EQ(middle[0].y1, 0);
    EXPECT_NEAR(middle[0].x2, -0.15f, 1e-6f);
    EXPECT_NEAR(middle[0].y2, 0.25f, 1e-6f);
    EXPECT_NEAR(lower[10].x2, 2.0f - 0.3f, 1e-4f);
    EXPECT_NEAR(lower[10].y2, 0.4905f + 0.5f, 1e-4f);
    EXPECT_EQ(ops().back().text, "dm");
}

TEST_F(JetGraphTest, NoHorizontalSpeedGivesVerticalLinesAndRedrawingIsIdentical) {
    setJet(0, 1, 0.04f);
    open("frmGraph");
    step("frmGraph", "Graphe");
    int points = 0;
    for (float tau = 0; tau <= 0.5f; tau += 0.01f) ++points;
    for (int c = 0; c < 3; ++c)
        for (const auto& seg : curve(c, points)) EXPECT_NEAR(seg.x2, c == 0 ? 0 : c == 1 ? -0.12f : -0.24f, 1e-6f);
    const std::vector<DrawOp> first = ops();
    step("frmGraph", "Graphe");
    ASSERT_EQ(ops().size(), first.size());
    EXPECT_EQ(ops().back().y1, first.back().y1);
}

}  // namespace
}  // namespace aub

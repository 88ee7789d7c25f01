// The Poncelet wheel window: the check of the data, the exit velocity, the efficiency
// law and its bounds, powers in l/s, the byte blade count, open and print.
#include <gtest/gtest.h>

#include "core/NumberText.h"
#include "core/SharedValues.h"
#include "support/WindowTest.h"

namespace aub {
namespace {

constexpr const char* W = "FrmPoncel";

class FrmPoncelTest : public test::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        open(W);
        step(W, "List1=Pmoulin01.txt");  // H 1.5, Q 500 l/s, D 4, B 1, 15°, 25 %, 30°, 32, 5 %, K 0.9
    }
    void calc() { step(W, "Command1"); }
    std::string box(int i) { return text(W, "Valbox", i); }
    SharedValues& sv() { return session().shared(); }
};

TEST_F(FrmPoncelTest, AnyZeroOrEmptyDataIsIncomplete) {
    step(W, "Valbox(8)=0");
    expectMessage("Données incomplètes");
    calc();
    step(W, "Valbox(8)=5");
    step(W, "Valbox(3)=");
    expectMessage("Données incomplètes");
    calc();
    EXPECT_EQ(box(10), "");
}

TEST_F(FrmPoncelTest, ExitVelocityAtAFlatBladeAngle) {
    step(W, "Valbox(4)=1e-30");  // the blade along the rim
    step(W, "Valbox(9)=1");
    calc();
    EXPECT_EQ(box(16), "0.");
    step(W, "Valbox(9)=0.5");
    calc();
    const float u = sv().SharedVelocity / 2.0f;
    EXPECT_EQ(box(16), formatMask(u - 0.5f * u, "#0.####"));
}

TEST_F(FrmPoncelTest, EfficiencyIs85WhenTheRiseReachesTheRadiusAnd60ForASmallRise) {
    calc();
    const float hr = sv().SharedVelocity * sv().SharedVelocity / 78.48f;
    step(W, "Valbox(2)=" + formatGeneral(2.0f * hr));  // D = 2 hr, x = 1
    calc();
    EXPECT_EQ(box(17), "85.");
    step(W, "Valbox(2)=100000");
    calc();
    EXPECT_NEAR(sv().SharedEfficiency, 60.0f, 1e-3f);
}

TEST_F(FrmPoncelTest, FlowInLitresPerSecondGives981WattsForOneMetre) {
    step(W, "Valbox(0)=1");
    step(W, "Valbox(1)=100");
    calc();
    // 9.81 x 1 x 100 in single precision is 981.00006, shown with four decimals.
    EXPECT_NEAR(sv().SharedPower, 981.0f, 1e-4f);
    EXPECT_EQ(box(13), "981.0001");
    EXPECT_FLOAT_EQ(sv().SharedFlow, 100.0f);
    EXPECT_FLOAT_EQ(sv().SharedPowerCV, sv().SharedEfficiency * 981.0f / 100.0f / 736.0f);
}

TEST_F(FrmPoncelTest, MoreThan255BladesOverflow) {
    step(W, "Valbox(7)=255");
    calc();
    EXPECT_NE(box(21), "");
    step(W, "Valbox(7)=256");
    step(W, "Valbox(10)=");
    expectMessage("Dépassement de capacité");
    calc();
    EXPECT_EQ(box(10), "");
}

}  // namespace
}  // namespace aub

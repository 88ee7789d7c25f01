// The long flume: the Manning stepping, its list and scratch file, its data file,
// the refusal of a step that would never end, and its speed at 100 000 steps.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <iostream>

#include "core/NumberText.h"
#include "core/SharedValues.h"
#include "files/TextFile.h"
#include "support/TimeFactor.h"
#include "support/WindowTest.h"
#include "wheels/overshot/Frmpertecou.h"

namespace aub {
namespace {

namespace fs = std::filesystem;

class FrmpertecouTest : public test::WindowTest {
protected:
    // V0 m/s, Q l/s, dz m, L m, b m, n, step m.
    void type(const std::vector<std::string>& v) {
        open("Frmpertecou");
        for (std::size_t i = 0; i < v.size(); ++i) step("Frmpertecou", "Valbox(" + std::to_string(i) + ")=" + v[i]);
    }
    void calculate(const std::vector<std::string>& v) {
        type(v);
        step("Frmpertecou", "Command1");
    }
    float result(int i) { return static_cast<float>(leadingNumber(text("Frmpertecou", "Resubox", i))); }
    const std::vector<std::string>& list() { return load("Frmpertecou").ctl("List1").items; }
    std::string scratch() { return readFileBytes(folder() / "coursierforge.txt", Frmpertecou::ScratchLimit); }
};

TEST_F(FrmpertecouTest, FirstStepOfAHorizontalFlume) {
    // h = 0.1, Rh = 0.05/0.7, J ≈ 0.02645, W2 ≈ 3.481: V ≈ 1.866 after one step.
    calculate({"2", "100", "0", "0.5", "0.5", "0.014", "1"});
    EXPECT_EQ(number(session().shared().FormulaId), 32);
    ASSERT_EQ(list().size(), 1u);
    EXPECT_EQ(list()[0], ".   V= 1.866     perte mm= 26.454");
    EXPECT_EQ(text("Frmpertecou", "Resubox", 0), "1.866");
    EXPECT_EQ(text("Frmpertecou", "Resubox", 1), "2.000");  // no drop: the ideal speed is V0
    EXPECT_NEAR(result(3), 0.02645f, 0.00001f);
    EXPECT_EQ(text("Frmpertecou", "Resubox", 4), ".1");
    EXPECT_EQ(text("Frmpertecou", "Resubox", 5), "0.");
    EXPECT_NEAR(result(2), 100 * (1.866f / 2) * (1.866f / 2), 0.05f);
    EXPECT_NEAR(session().shared().SharedVelocity, 1.866f, 0.0005f);
    EXPECT_NEAR(session().shared().SharedFlow, 0.1f, 1e-7f);
    const std::string rec = scratch().substr(0, 30);
    EXPECT_EQ(rec, "1.866     26.45     100.      ");
}

TEST_F(FrmpertecouTest, RoughnessAndAPositiveReasonableStepAreRequired) {
    expectMessage("Rugosité des parois non définie Cliquez Sur la boite Parois ou recherchez le coefficient ");
    calculate({"2", "100", "1", "10", "0.5", "0", "1"});
    step("Frmpertecou", "Valbox(5)=0.014");
    for (const char* s : {"0", "-1"}) {
        expectMessage("Pas de calcul incorrect : donnez un pas supérieur à 0 m");
        step("Frmpertecou", std::string("Valbox(6)=") + s);
        step("Frmpertecou", "Command1");
    }
    expectMessage("Pas de calcul trop petit pour cette longueur : 200000 pas au plus, augmentez le pas");
    step("Frmpertecou", "Valbox(6)=0.00001");
    step("Frmpertecou", "Command1");
    EXPECT_TRUE(list().empty());
    EXPECT_EQ(text("Frmpertecou", "Resubox", 0), "");
    EXPECT_FALSE(fs::exists(folder() / "coursierforge.txt"));
}

TEST_F(FrmpertecouTest, NegativeSquaredSpeedEndsTheStepping) {
    // Climbing flume: the second step has no speed left.
    calculate({"2", "100", "-0.2", "2", "0.5", "0.014", "1"});
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].substr(0, 3), "-0.");
    dialogs_.clearShown();
    EXPECT_EQ(list().size(), 1u);
    EXPECT_EQ(text("Frmpertecou", "Resubox", 0), list()[0].substr(7, 5));
}

TEST_F(FrmpertecouTest, ScratchRecordsOfALongerRunStayAndCommand2ListsThem) {
    calculate({"2", "100", "0.5", "5", "0.5", "0.014", "1"});
    ASSERT_EQ(list().size(), 5u);
    step("Frmpertecou", "Valbox(3)=2");
    step("Frmpertecou", "Command1");
    ASSERT_EQ(list().size(), 2u);
    EXPECT_EQ(scratch().size(), 5 * 100u);
    step("Frmpertecou", "Command2");
    ASSERT_EQ(list().size(), 7u);
    EXPECT_EQ(list()[2].size(), 10u);
    EXPECT_EQ(list()[2].substr(0, 2), scratch().substr(10, 2));
    step("Frmpertecou", "Form");  // a click on the window empties the list
    EXPECT_TRUE(list().empty());
}

TEST_F(FrmpertecouTest, SavedTextsComeBackExactly) {
    type({"2,5", "100", "0,5", "20", "0,5", "0,014", "0,5"});
    step("Frmpertecou", "Fichier/Enregistre");
    EXPECT_EQ(readLines(folder() / "Pertescou.txt")[0], "\"2,5\"");
    type({"", "", "", "", "", "", ""});
    answer("oui");  // the emptied boxes may go
    step("Frmpertecou", "Fichier/Ouvre");
    EXPECT_EQ(text("Frmpertecou", "Valbox", 0), "2,5");
    EXPECT_EQ(text("Frmpertecou", "Valbox", 5), "0,014");
    EXPECT_EQ(text("Frmpertecou", "Valbox", 6), "0,5");
}

TEST_F(FrmpertecouTest, HundredThousandStepsStayQuick) {
    type({"2", "100", "10", "1000", "0.5", "0.014", "0.01"});
    const double start = test::threadCpuSeconds();
    step("Frmpertecou", "Command1");
    const double seconds = test::threadCpuSeconds() - start;
    std::cout << "[ mesure  ] " << list().size() << " pas en " << seconds << " s\n";
    RecordProperty("seconds", std::to_string(seconds));
    EXPECT_GT(list().size(), 99000u);
    EXPECT_EQ(scratch().size(), list().size() * 100);
    EXPECT_LT(seconds, 1.0 * test::timeFactor());
}

}  // namespace
}  // namespace aub

// The sample designs delivered with the program open in their windows on a fresh
// program folder and compute without any message.
#include <gtest/gtest.h>

#include <algorithm>

#include "files/TextFile.h"
#include "support/WindowTest.h"

namespace aub {
namespace {

class SamplesTest : public test::WindowTest {
protected:
    std::vector<std::string> listed(const std::string& window) { return load(window).ctl("List1").items; }
};

TEST_F(SamplesTest, UndershotDesignsComputeForBothGates) {
    open("Frmdessous");
    ASSERT_FALSE(listed("Frmdessous").empty());
    // The "S" designs of the undershot folder have the same nine lines.
    std::vector<std::string> designs = listed("Frmdessous");
    for (const char* s : {"Smaroue00.txt", "Sfontenay.txt", "Sdalmor.txt"}) {
        ASSERT_TRUE(fileExists(folder(), s)) << s;
        load("Frmdessous").ctl("List1").addItem(s);
        designs.push_back(s);
    }
    for (const auto& d : designs) {
        SCOPED_TRACE(d);
        step("Frmdessous", "List1=" + d);
        step("Frmdessous", "Reset matériau");
        step("Frmdessous", "Combo1=" + text("Frmdessous", "valubox", 8));
        step("Frmdessous", "Combo2=DROITE");
        EXPECT_NE(text("Frmdessous", "Valbox", 25), "");
        step("Frmdessous", "Combo2=INCLINEE");
        EXPECT_NE(text("Frmdessous", "Valbox", 25), "");
    }
}

TEST_F(SamplesTest, BreastshotPonceletAndSagebienDesignsCompute) {
    const std::vector<std::pair<std::string, std::string>> windows = {
        {"Frmrouedecoté", "cacus"}, {"FrmPoncel", "Command1"}, {"FrmSagebi", "Calcul"}};
    for (const auto& [window, calc] : windows) {
        open(window);
        ASSERT_FALSE(listed(window).empty()) << window;
        for (const auto& d : listed(window)) {
            SCOPED_TRACE(window + " " + d);
            step(window, "List1=" + d);
            step(window, calc);
            EXPECT_NE(text(window, window == "FrmPoncel" ? "Valbox" : "Resubox", window == "FrmPoncel" ? 26 : 13), "");
        }
    }
    EXPECT_EQ(listed("FrmSagebi"), (std::vector<std::string>{"Sageb01.txt", "Sageb03.txt"}));
    // The long flume's own file shares the Poncelet letter but is no wheel design.
    const auto poncelet = listed("FrmPoncel");
    EXPECT_EQ(std::count(poncelet.begin(), poncelet.end(), "Pertescou.txt"), 0);
}

}  // namespace
}  // namespace aub

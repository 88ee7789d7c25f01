// The Archimedes screw window: its defaults and the optimum ratios that follow the number
// of blades, a calculation of the delivered design, the parallel screws and observations,
// the notices for missing or impossible inputs, the design files, printing and help.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "core/NumberText.h"
#include "core/SharedValues.h"
#include "files/TextFile.h"
#include "forms/RecordingPlatform.h"
#include "forms/ScriptedDialogs.h"
#include "support/WindowTest.h"
#include "wheels/ArchimedesScrew.h"
#include "wheels/Frmvis.h"

namespace aub {
namespace {

constexpr const char* W = "Frmvis";

class FrmvisTest : public test::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        open(W);
    }
    std::string input(int i) { return text(W, "Valbox", i); }
    std::string result(int i) { return text(W, "Resubox", i); }
    const Drawing& drawing() { return session().load(W).ctl("Picture1").drawing; }
    bool drawn(const std::string& s) {
        const auto& ops = drawing().ops();
        return std::any_of(ops.begin(), ops.end(),
                           [&](const DrawOp& op) { return op.kind == DrawOp::Kind::Text && op.text == s; });
    }
};

TEST_F(FrmvisTest, OpensWithTheOptimumOfThreeBlades) {
    Form& f = session().load(W);
    EXPECT_EQ(f.caption, "VIS HYDRODYNAMIQUE");
    EXPECT_EQ(input(Frmvis::Inclination), "22");
    EXPECT_EQ(input(Frmvis::Blades), "3");
    const BucketOptimum o = screwOptimum(3);
    EXPECT_EQ(input(Frmvis::RadiusRatio), formatMask(o.rho, "0.0000"));
    EXPECT_EQ(input(Frmvis::PitchRatio), "0.2217");
    EXPECT_EQ(input(Frmvis::Head), "");
    EXPECT_EQ(f.ctl("List1").items, std::vector<std::string>{"Vismoulin01.txt"});
    EXPECT_EQ(session().shared().FormulaId, FormulaCode::ArchimedesScrew);
}

// A new number of blades brings its optimum while the ratios are the program's; ratios the
// person typed stay.
TEST_F(FrmvisTest, TheRatiosFollowTheBladesUntilThePersonTypesOthers) {
    step(W, "Valbox(3)=4");
    EXPECT_EQ(input(Frmvis::PitchRatio), formatMask(screwOptimum(4).lambda, "0.0000"));
    step(W, "Valbox(3)=2");
    EXPECT_EQ(input(Frmvis::PitchRatio), "0.1863");
    step(W, "Valbox(5)=0.15");
    step(W, "Valbox(3)=3");
    EXPECT_EQ(input(Frmvis::PitchRatio), "0.15");
    EXPECT_EQ(input(Frmvis::RadiusRatio), formatMask(screwOptimum(2).rho, "0.0000"));
}

// The delivered design: H 3 m, Q 2 m3/s, 22°, 3 blades at the optimum, full, 5 mm, 90 / 95 /
// 93 % (the hand-checked case of the calculation).
TEST_F(FrmvisTest, CalculatesTheDeliveredDesignAndDrawsIt) {
    step(W, "List1=Vismoulin01.txt");
    step(W, "Calcul");
    EXPECT_EQ(result(0), "1");
    EXPECT_EQ(result(2), "2.221");
    EXPECT_EQ(result(5), "8.01");
    EXPECT_EQ(result(7), "29.37");
    EXPECT_EQ(result(10), "0.0414");
    EXPECT_EQ(result(11), "58.9");
    EXPECT_EQ(result(13), "45.8");
    EXPECT_EQ(result(14), "45.8");
    EXPECT_EQ(result(15), "16.87");
    EXPECT_EQ(result(16), "51.1");
    EXPECT_EQ(text(W, "Observations"), "");
    EXPECT_FLOAT_EQ(session().shared().SharedHead, 3.0f);
    EXPECT_FLOAT_EQ(session().shared().SharedFlow, 2.0f);
    EXPECT_TRUE(drawn("Niveau amont"));
    EXPECT_TRUE(drawn("Niveau aval"));
    EXPECT_TRUE(drawn("L = 8.01 m   De = 2.22 m"));
    // The drawing stays inside its own scale (the canvas keeps 4:3).
    const Drawing& d = drawing();
    const float w = d.right() - d.left(), h = d.top() - d.bottom();
    EXPECT_NEAR(w / h, 4.0f / 3.0f, 1e-3f);
    for (const DrawOp& op : d.ops()) {
        if (op.kind != DrawOp::Kind::Line) continue;
        for (float x : {op.x1, op.x2}) EXPECT_TRUE(x >= d.left() - 1e-3f && x <= d.right() + 1e-3f);
        for (float y : {op.y1, op.y2}) EXPECT_TRUE(y <= d.top() + 1e-3f && y >= d.bottom() - 1e-3f);
    }
}

TEST_F(FrmvisTest, TwelveMetresAndFifteenCubicMetresGetTheirObservations) {
    step(W, "Valbox(0)=12");
    step(W, "Valbox(1)=15");
    step(W, "Calcul");
    EXPECT_EQ(result(0), "2");
    EXPECT_EQ(result(1), "7.500");
    EXPECT_EQ(text(W, "Observations"),
              "Hauteur de chute hors du domaine des vis hydrodynamiques (1 à 10 m)\r\n"
              "Débit hors du domaine d'une vis hydrodynamique (0,01 à 14,5 m3/s)\r\n"
              "Débit trop grand pour une vis de 5 m de diamètre : 2 vis en parallèle de 7,5 m3/s chacune");
    std::string total = result(14), one = result(13);
    EXPECT_NEAR(leadingNumber(total), 2 * leadingNumber(one), 0.15);  // each rounded to 0.1
    const double speed = session().window<Frmvis>(W).design().speed;
    EXPECT_TRUE(drawn("H = 12.00 m   i = 22 degrés   " + formatMask(speed, "0.0") + " t/min   2 vis"));
}

TEST_F(FrmvisTest, MissingOrImpossibleInputsStopWithANotice) {
    step(W, "List1=Vismoulin01.txt");
    step(W, "Calcul");
    ASSERT_NE(result(2), "");
    step(W, "Valbox(0)=");
    expectMessage("Données manquantes : hauteur de chute et débit d'équipement");
    step(W, "Calcul");
    EXPECT_EQ(result(2), "");
    step(W, "Valbox(0)=3");
    step(W, "Valbox(3)=2.5");
    expectMessage("Nombre de filets : un nombre entier de 1 à 25");
    step(W, "Calcul");
    step(W, "Valbox(3)=3");
    step(W, "Valbox(6)=150");
    expectMessage("Remplissage : plus de 0 et au plus 100 %");
    step(W, "Calcul");
    step(W, "Valbox(6)=100");
    step(W, "Valbox(5)=1");
    expectMessage("Rapports des diamètres et de pas : entre 0 et 1");
    step(W, "Calcul");
    EXPECT_EQ(result(2), "");
}

TEST_F(FrmvisTest, SavedDesignIsListedAndReopens) {
    step(W, "Valbox(0)=2.5");
    step(W, "Valbox(1)=0.8");
    step(W, "Valbox(7)=4");
    answer("essai");
    step(W, "Enregistre");
    EXPECT_TRUE(std::filesystem::exists(folder() / "Visessai.txt"));
    const auto& items = session().load(W).ctl("List1").items;
    EXPECT_NE(std::find(items.begin(), items.end(), "Visessai.txt"), items.end());
    step(W, "Nouveau");
    EXPECT_EQ(input(Frmvis::Head), "");
    step(W, "List1=Visessai.txt");
    EXPECT_EQ(input(Frmvis::Head), "2.5");
    EXPECT_EQ(input(Frmvis::Flow), "0.8");
    EXPECT_EQ(input(Frmvis::Gap), "4");
    EXPECT_EQ(input(Frmvis::GeneratorEff), "93");
}

TEST_F(FrmvisTest, LocalHelpShowsTheScrewRecord) {
    step(W, "Aidelocale");
    EXPECT_EQ(text("Formhlp", "Text1").substr(0, 18), "VIS HYDRODYNAMIQUE");
}

TEST_F(FrmvisTest, PrintsTheWindowAsShownAfterTheQuestion) {
    answer("non");
    step(W, "ImprimF");
    EXPECT_EQ(std::count(platform_.calls.begin(), platform_.calls.end(), "printForm Frmvis"), 0);
    answer("oui");
    step(W, "ImprimF");
    EXPECT_EQ(std::count(platform_.calls.begin(), platform_.calls.end(), "printForm Frmvis"), 1);
}

}  // namespace
}  // namespace aub

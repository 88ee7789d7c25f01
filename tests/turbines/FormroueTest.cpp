// Turbine by specific speed and unit quantities: the worked examples, every Ns bound,
// the speed sliders in base 2, the stale notice, "MaRoue", hiding and closing.
#include <gtest/gtest.h>

#include <fstream>

#include "core/SharedValues.h"
#include "forms/Session.h"
#include "support/WindowTest.h"
#include "turbines/Formroue.h"

namespace aub::test {
namespace {

const std::string MessageA =
    " valeur inacceptée  \n ces données ne sont pas compatibles\n modifiez la vitesse par exemple";
std::string messageB(const std::string& ns) {
    return "Valeur du Ns " + ns +
           " non correcte\nReprenez votre calcul en retouchant la vitesse vraie\nVous pouvez aussi modifier le débit ";
}

class FormroueTest : public WindowTest {
protected:
    Formroue& roue() { return session().window<Formroue>("Formroue"); }
    std::string box(int i) { return text("Formroue", "boite", i); }
    std::string caption(int i) { return roue().ctl("label1", i).caption; }
    // Base 2 from a typed Ns, "CALCUL 2".
    void calculateNs(const std::string& ns) {
        step("Formroue", "boite(11)=" + ns);
        step("Formroue", "Command2");
    }
};

TEST_F(FormroueTest, BaseOneExampleGivesSlowFrancisAndSwitchesToBaseTwo) {
    open("Formroue");
    EXPECT_TRUE(roue().visible());
    EXPECT_FALSE(roue().modal());
    step("Formroue", "Command1");
    EXPECT_EQ(box(12), "399.990000");
    EXPECT_EQ(box(8), "294.392640");
    EXPECT_EQ(box(10), "339.9915200");
    EXPECT_EQ(box(4), "10.4719760");
    EXPECT_EQ(box(7), "Francis lente");
    EXPECT_EQ(roue().ctl("Picture1").picture, "franlent.jpg");
    EXPECT_TRUE(roue().ctl("Picture1").visible);
    EXPECT_EQ(box(1), "1.887");    // D1
    EXPECT_EQ(box(5), "1.443");    // D2
    EXPECT_EQ(box(13), "0.2314");  // b0
    EXPECT_EQ(box(0), "1.834");    // V2
    EXPECT_EQ(caption(6), "Diamètre roue entrée m.");
    EXPECT_EQ(caption(15), "Perte provisoire sortie %");
    // Ns = 100·√339.99 / 10^1.25 ≈ 103.7: the slider and the box end on the whole number.
    EXPECT_EQ(roue().ctl("NsScrol").value(), 104);
    EXPECT_EQ(box(11), "104");
    EXPECT_EQ(roue().calcBase(), 2);
    EXPECT_FALSE(roue().ctl("Text1").visible);
    EXPECT_FLOAT_EQ(session().shared().SharedSpecificSpeed, 104.0f);
    EXPECT_NEAR(session().shared().SharedExitDiameter, 1.443f, 0.001f);
}

TEST_F(FormroueTest, UnitQuantitiesFollowTheExample) {
    open("Formroue");
    step("Formroue", "Command1");
    expectMessage("Cette page n'est pas totalement au point !");
    step("Formroue", "indices11");
    Form& unit = session().load("FormDes11");
    EXPECT_TRUE(unit.visible());
    EXPECT_FALSE(unit.modal());
    EXPECT_EQ(text("FormDes11", "Valbox", 0), " 10");
    EXPECT_TRUE(unit.ctl("Valbox", 0).locked);
    EXPECT_EQ(text("FormDes11", "Resubox", 5), "339.9915");
    EXPECT_EQ(text("FormDes11", "Resubox", 0), "103.6893");
    // The check value N11·√P11 equals Ns.
    EXPECT_EQ(text("FormDes11", "Resubox", 6), text("FormDes11", "Resubox", 0));
    step("FormDes11", "Command1");
    EXPECT_EQ(text("FormDes11", "Resubox", 0), "");
    EXPECT_FALSE(unit.ctl("Valbox", 0).locked);
}

TEST_F(FormroueTest, UnitQuantitiesStopAtTheFirstDivisionWithoutRunner) {
    SharedValues& sv = session().shared();
    sv.SharedHead.set(10, HeadUnit::Metres);
    sv.SharedFlow.set(3, FlowRateUnit::CubicMetresPerSecond);
    sv.SharedSpeed = 100;
    sv.SharedEfficiency = 0.85f;
    expectMessage("Cette page n'est pas totalement au point !");
    expectMessage("Division par zéro");
    open("FormDes11");
    EXPECT_EQ(text("FormDes11", "Resubox", 1), ".");  // N11 = 0
    EXPECT_EQ(text("FormDes11", "Resubox", 2), "");
    EXPECT_EQ(text("FormDes11", "Resubox", 3), "");
    EXPECT_EQ(text("FormDes11", "Resubox", 6), "");
}

TEST_F(FormroueTest, UnitQuantitiesWithoutAnyHeadStopAtNs) {
    // Nothing sized yet: Pu = 0 is shown, then Ns = 0·√0 / 0^1.25 fails as 0/0 does.
    expectMessage("Cette page n'est pas totalement au point !");
    expectMessage("Dépassement de capacité");
    open("FormDes11");
    EXPECT_EQ(text("FormDes11", "Resubox", 5), ".");
    for (int i : {0, 1, 2, 3, 6}) EXPECT_EQ(text("FormDes11", "Resubox", i), "") << i;
}

TEST_F(FormroueTest, EveryNsBoundChoosesItsRow) {
    open("Formroue");
    calculateNs("2.6");
    EXPECT_EQ(box(7), "Roue Pelton");
    EXPECT_EQ(roue().ctl("Picture1").picture, "Pelton03.jpg");
    calculateNs("36");
    EXPECT_EQ(box(7), "Roue Pelton");
    calculateNs("60");  // the linear 36–60 coefficients
    EXPECT_EQ(box(7), "Francis lente");
    EXPECT_EQ(text("Formroue", "ksibox", 0), "0.7000");
    EXPECT_EQ(text("Formroue", "ksibox", 1), "0.4000");
    EXPECT_EQ(text("Formroue", "ksibox", 2), "0.1262");
    calculateNs("200");
    EXPECT_EQ(box(7), "Francis lente");
    EXPECT_EQ(text("Formroue", "ksibox", 0), "0.7500");
    EXPECT_EQ(text("Formroue", "ksibox", 1), "0.7500");
    calculateNs("350");
    EXPECT_EQ(box(7), "Francis moyenne");
    calculateNs("500");
    EXPECT_EQ(box(7), "Francis rapide");
    calculateNs("1100");
    EXPECT_EQ(box(7), "Hélice ou Kaplan");
    EXPECT_EQ(roue().ctl("Picture1").picture, "kaplturb.jpg");
    EXPECT_EQ(text("Formroue", "ksibox", 0), text("Formroue", "ksibox", 1));
    EXPECT_EQ(box(1), box(5));  // D1 = D2 for a propeller
}

TEST_F(FormroueTest, UnusableNsShowsMessagesAAndB) {
    open("Formroue");
    expectMessage(MessageA);
    calculateNs("2.5");
    EXPECT_EQ(box(7), "");
    // 1101 is refused, then the Ns slider (1 to 1100) cannot take it: the failure path,
    // and the button meets the same slider again.
    expectMessage(messageB(" 1101"));
    expectMessage("Valeur de propriété incorrecte");
    expectMessage("Vérifiez la compatibilté de la vitesse affichée");
    expectMessage("Valeur de propriété incorrecte");
    calculateNs("1101");
    EXPECT_EQ(box(7), "");
    EXPECT_EQ(roue().calcBase(), 0);
    expectMessage(messageB(" .9"));
    calculateNs("0.9");
    EXPECT_EQ(box(7), "");
    // N < 1 shows as ".000" in the speed box: the next calculation asks for a speed.
    EXPECT_EQ(text("Formroue", "boitebase", 2), ".000");
}

TEST_F(FormroueTest, PeltonKeepsItsOwnSetAndMultipliesTheoreticalPowerByJets) {
    open("Formroue");
    step("Formroue", "boitebase(3)=2");
    calculateNs("20");
    EXPECT_EQ(box(12), "799.980000");   // two jets
    EXPECT_EQ(box(10), "339.9915200");  // useful power unchanged
    EXPECT_EQ(caption(13), "Diamétre injecteur mm");
    EXPECT_EQ(caption(11), "Vitesse rotation T/min");
    EXPECT_EQ(box(5), "14.007");  // jet velocity √(19.62·10)
    EXPECT_EQ(box(2), "6.723");   // 0.48·c1
    EXPECT_EQ(text("Formroue", "ksibox", 0), "0.5000");
    EXPECT_EQ(text("Formroue", "ksibox", 1), "non considéré");
    EXPECT_EQ(text("Formroue", "ksibox", 2), "non considéré");
}

// Between Ns 34 and 36 the runner is still a Pelton, but the general result set replaces
// the Pelton one: D1 from ksi0 = 0.5; a Pelton has no ksi1 nor ksihdi, so D2, b0, the
// outlet velocity and the outlet loss stay blank.
TEST_F(FormroueTest, PeltonAboveNs34ShowsTheGeneralResultSet) {
    open("Formroue");
    calculateNs("34");
    EXPECT_EQ(box(7), "Roue Pelton");
    EXPECT_EQ(caption(13), "Diamétre injecteur mm");
    EXPECT_EQ(caption(11), "Vitesse rotation T/min");
    EXPECT_EQ(box(5), "14.007");  // jet velocity
    EXPECT_EQ(box(2), "6.723");   // peripheral speed

    // N = 10^1.25·35 / √339.99 = 33.75 t/min; D1 = 60·0.5·√(19.62·10) / (π·33.75) = 3.963 m.
    calculateNs("35");
    EXPECT_EQ(box(7), "Roue Pelton");
    EXPECT_EQ(roue().ctl("Picture1").picture, "Pelton03.jpg");
    EXPECT_EQ(caption(6), "Diamètre roue entrée m.");
    EXPECT_EQ(caption(13), "Distributeur (hauteur m)");
    EXPECT_EQ(caption(11), "Vitesse eau sortie turbine");
    EXPECT_EQ(caption(12), "Diamètre roue sortie m.");
    EXPECT_EQ(caption(15), "Perte provisoire sortie %");
    EXPECT_EQ(box(1), "3.963");
    for (int i : {0, 2, 5, 13}) EXPECT_EQ(box(i), "") << i;
    EXPECT_TRUE(roue().ctl("boite", 13).visible);
    EXPECT_EQ(text("Formroue", "ksibox", 0), "0.5000");
    EXPECT_EQ(text("Formroue", "ksibox", 1), "non considéré");

    // Ns 36 is the last Pelton row: the same general set.
    calculateNs("36");
    EXPECT_EQ(box(7), "Roue Pelton");
    EXPECT_EQ(caption(13), "Distributeur (hauteur m)");
    EXPECT_NE(box(1), "");
    EXPECT_EQ(box(5), "");
}

TEST_F(FormroueTest, BaseTwoMovesTheSpeedSliders) {
    open("Formroue");
    step("Formroue", "boitebase(0)=16");
    step("Formroue", "boitebase(1)=0.1");
    step("Formroue", "boite(6)=0.75");
    // N = 16^1.25·875 / √16 ≈ 7000: above the sliders.
    expectMessage("La vitesse ne peut être mise à jour sur le curseur");
    calculateNs("875");
    EXPECT_EQ(text("Formroue", "boitebase", 2), "7000.000");
    EXPECT_EQ(roue().ctl("Vscrol1").value(), 100);
    EXPECT_EQ(roue().ctl("vscroll2").value(), 501);
    // N ≈ 800: the upper slider takes over.
    calculateNs("100");
    EXPECT_EQ(roue().ctl("vscroll2").value(), 800);
    EXPECT_TRUE(roue().ctl("vscroll2").enabled);
    EXPECT_FALSE(roue().ctl("Vscrol1").enabled);
    EXPECT_EQ(text("Formroue", "boitebase", 2), "800.000");
}

TEST_F(FormroueTest, ZeroSpeedIsRefused) {
    open("Formroue");
    step("Formroue", "boitebase(2)=0");
    expectMessage("Réglez la vitesse à une valeur non nulle");
    // No Ns yet: the button cannot set the Ns slider either.
    expectMessage("Valeur de propriété incorrecte");
    step("Formroue", "Command1");
    EXPECT_EQ(roue().calcBase(), 0);
    EXPECT_EQ(box(12), "");
}

TEST_F(FormroueTest, SecondButtonRightAfterOpeningFailsOnTheNsSlider) {
    open("Formroue");
    expectMessage("Valeur de propriété incorrecte");
    step("Formroue", "Command2");
    EXPECT_EQ(box(12), "");
}

TEST_F(FormroueTest, MovingAnInputShowsTheStaleNotice) {
    open("Formroue");
    step("Formroue", "Command1");
    step("Formroue", "Rendm=90");
    EXPECT_EQ(box(6), " .9");
    EXPECT_EQ(box(12), "");
    EXPECT_EQ(box(7), "");
    const Control& notice = roue().ctl("Text1");
    EXPECT_TRUE(notice.visible);
    EXPECT_EQ(notice.text(), "CALCUL à  FAIRE  ou à REFAIRE\nLANCEZ UN CALCUL");
    EXPECT_EQ(notice.backColor, 0xFF0000);
    step("Formroue", "Vscrol1=250");
    EXPECT_EQ(text("Formroue", "boitebase", 2), "250");
    EXPECT_EQ(roue().ctl("Picture1").picture, "");
    step("Formroue", "NsScrol=300");
    EXPECT_EQ(box(11), "300");
    EXPECT_EQ(roue().calcBase(), 2);
}

TEST_F(FormroueTest, LabelClickTogglesPictureAndActivatesItsSlider) {
    open("Formroue");
    step("Formroue", "Command1");
    step("Formroue", "label1(14)");
    EXPECT_FALSE(roue().ctl("Picture1").visible);
    EXPECT_TRUE(roue().ctl("ksibox", 0).visible);
    EXPECT_TRUE(roue().ctl("vscroll2").enabled);
    EXPECT_FALSE(roue().ctl("Vscrol1").enabled);
    EXPECT_EQ(text("Formroue", "boitebase", 2), "501");
    step("Formroue", "label1(1)");
    EXPECT_TRUE(roue().ctl("Picture1").visible);
    EXPECT_TRUE(roue().ctl("Vscrol1").enabled);
}

TEST_F(FormroueTest, MaRoueRecallsHeadFlowAndSpeedOnly) {
    open("Formroue");
    step("Formroue", "boitebase(1)=2,5");
    step("Formroue", "MaRoue/Enregistrer");
    std::ifstream in(folder() / "Myroue.txt", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(bytes, "10\r\n2,5\r\n100\r\n");
    step("Formroue", "boitebase(0)=7");
    step("Formroue", "boitebase(1)=1");
    step("Formroue", "boitebase(3)=3");
    answer("oui");  // the typed values may go
    step("Formroue", "MaRoue/Rappel");
    EXPECT_EQ(text("Formroue", "boitebase", 0), "10");
    EXPECT_EQ(text("Formroue", "boitebase", 1), "2,5");  // whole again
    EXPECT_EQ(text("Formroue", "boitebase", 3), "3");    // jets not stored
}

TEST_F(FormroueTest, RecallWithoutFileSaysSo) {
    open("Formroue");
    expectMessage("Fichier introuvable");
    step("Formroue", "MaRoue/Rappel");
}

TEST_F(FormroueTest, RetourHidesAndClosingStartsTheSecondOpeningState) {
    open("Formroue");
    step("Formroue", "boitebase(0)=12");
    step("Formroue", "Retour");
    EXPECT_FALSE(roue().visible());
    open("Formroue");
    EXPECT_EQ(text("Formroue", "boitebase", 0), "12");  // kept while hidden
    answer("oui");                                      // the typed head may go
    EXPECT_TRUE(session().requestClose(roue()));
    session().collect();
    EXPECT_EQ(session().loaded("Formroue"), nullptr);
    open("Formroue");
    EXPECT_EQ(text("Formroue", "boitebase", 0), "10");
    EXPECT_EQ(text("Formroue", "boitebase", 2), "");
    EXPECT_EQ(roue().ctl("Vscrol1").value(), 1);
    EXPECT_TRUE(roue().ctl("vscroll2").enabled);
    EXPECT_EQ(roue().calcBase(), 0);
}

// The window's memory belongs to the session: a new session on the same catalogue (the
// program started again) opens the window as a first creation.
TEST_F(FormroueTest, ANewSessionStartsWithTheFirstCreation) {
    open("Formroue");
    calculateNs("100");
    answer("oui");
    EXPECT_TRUE(session().requestClose(roue()));
    session().collect();
    Session next(catalog_, dialogs_, platform_, folder());
    next.open("Formroue");
    Formroue& fresh = next.window<Formroue>("Formroue");
    EXPECT_EQ(fresh.txt("boitebase", 2), "100");
    EXPECT_EQ(fresh.ctl("Vscrol1").value(), 100);
    EXPECT_FALSE(fresh.ctl("vscroll2").enabled);
    EXPECT_EQ(fresh.backColor, 0xAACA0F);
}

TEST_F(FormroueTest, HelpOpensAtContextOne) {
    open("Formroue");
    session().shared().HelpFilePath = "/x/Rudazuz04.chm";
    step("Formroue", "&Aide");
    ASSERT_FALSE(platform_.calls.empty());
    EXPECT_EQ(platform_.calls.back(), "showHelp /x/Rudazuz04.chm 1");
}

TEST_F(FormroueTest, ClosingOrRecallingAsksForTypedDataUntilTheyAreSaved) {
    open("Formroue");
    step("Formroue", "boitebase(0)=12");
    answer("non");
    EXPECT_FALSE(session().requestClose(load("Formroue")));
    EXPECT_EQ(text("Formroue", "boitebase", 0), "12");
    answer("non");
    step("Formroue", "MaRoue/Rappel");  // would replace the typed head
    EXPECT_EQ(text("Formroue", "boitebase", 0), "12");
    step("Formroue", "MaRoue/Enregistrer");
    step("Formroue", "boitebase(0)=5");
    step("Formroue", "MaRoue/Enregistrer");
    EXPECT_TRUE(session().requestClose(load("Formroue")));  // nothing asked
    std::size_t asked = 0;
    for (const auto& d : dialogs_.shown()) asked += d.text == DiscardEditsQuestion;
    EXPECT_EQ(asked, 2u);
}

}  // namespace
}  // namespace aub::test

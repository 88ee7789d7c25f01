// The economic balance window: reading the annual energy, the pre-filled investment, the
// calculation and its refusals, the design-flow sweep, the files and the menus.
#include <cmath>

#include "economy/BilanEconomique.h"
#include "energy/Productible.h"
#include "support/WindowTest.h"

namespace aub::test {
namespace {

class BilanEconomiqueTest : public WindowTest {
protected:
    BilanEconomique& win() { return session().window<BilanEconomique>("BilanEconomique"); }
    // The sample study of the annual-energy window, calculated, then its balance opened.
    void sample() {
        open("Productible");
        answer("Site exemple");
        step("Productible", "Fichier/Ouvrir");
        step("Productible", "Calcul");
        step("Productible", "Bilan économique…");
    }
    std::string box(int i) { return text("BilanEconomique", "Donnee", i); }
    std::string result(int i) { return text("BilanEconomique", "Resultat", i); }
};

TEST_F(BilanEconomiqueTest, WithoutAnAnnualEnergyItAsksForOneFirst) {
    open("BilanEconomique");
    expectMessage("Calculez d'abord le productible");
    step("BilanEconomique", "Calcul");
    EXPECT_EQ(result(4), "");
    expectMessage("Calculez d'abord le productible");
    step("BilanEconomique", "Reprendre");
}

TEST_F(BilanEconomiqueTest, OpensFromTheAnnualEnergyWithItsFiguresAndAPrefilledInvestment) {
    sample();
    Form* w = session().loaded("BilanEconomique");
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->visible());
    EXPECT_EQ(w->caption, "BILAN ECONOMIQUE");
    EXPECT_EQ(box(0), "106245");
    const double power = std::stod(box(1));
    EXPECT_GT(power, 0);
    // A Kaplan turbine at 1.2 m3/s: the machine from the published turbine cost law,
    // 3 500·P^0.68 £ of 2008 at 0.79628 £/€; the five other items 75 % of P × 3850 €/kW.
    EXPECT_NEAR(std::stod(box(6)), 3500 * std::pow(power, 0.68) / 0.79628, 1);
    double others = 0;
    for (int i = 4; i <= 9; ++i) others += i == 6 ? 0 : std::stod(box(i));
    EXPECT_NEAR(others, power * 3850 * 0.75, 5);
    EXPECT_NEAR(std::stod(box(23)), (others + std::stod(box(6))) * 0.025, 1);
    EXPECT_NE(w->ctl("SourceMachine").caption.find("Lancaster University, 2008"), std::string::npos);
    EXPECT_NE(w->ctl("Machinelue").caption.find("Turbine Kaplan"), std::string::npos);
}

TEST_F(BilanEconomiqueTest, TheSampleSiteGivesTheBalanceOfItsHelpText) {
    sample();
    step("BilanEconomique", "Calcul");
    EXPECT_EQ(box(6), "37830");
    EXPECT_EQ(result(0), "106264");
    EXPECT_EQ(result(1), "13.20");
    EXPECT_EQ(result(2), "14024");  // 106 245 kWh × 0.132 €/kWh
    EXPECT_EQ(result(3), "2657");   // 2.5 % of 106 264 €
    EXPECT_EQ(result(4), "29544");
    EXPECT_EQ(result(5), "8.16");
    // Cumulative flow −5 963 € after 9 years, +4 886 € after 10: 9 + 5963/10849 = 9.5496.
    EXPECT_EQ(result(6), "9.5");
    EXPECT_EQ(result(7), "10.97");
    EXPECT_EQ(win().ctl("Meilleurqd").caption,
              "Meilleur débit d'équipement économique : 0.685 m3/s (VAN 44435 €) ; le plus productif : 2.891 m3/s.");
}

TEST_F(BilanEconomiqueTest, FixedPriceBalanceMatchesTheCashFlowRules) {
    sample();
    // A round case typed over the read figures: 100 000 kWh at 10 c€/kWh, 60 000 € of
    // investment, 1 000 €/yr of costs, no indexation, 5 % over 20 years.
    step("BilanEconomique", "Vente=Prix de vente fixé");
    step("BilanEconomique", "Donnee(0)=100000");
    step("BilanEconomique", "Donnee(12)=10");
    for (int i = 4; i <= 9; ++i)
        step("BilanEconomique", "Donnee(" + std::to_string(i) + ")=" + (i == 5 ? "60000" : "0"));
    step("BilanEconomique", "Donnee(23)=1000");
    step("BilanEconomique", "Donnee(28)=0");
    step("BilanEconomique", "Calcul");
    const double a = (1 - std::pow(1.05, -20)) / 0.05;
    EXPECT_EQ(result(0), "60000");
    EXPECT_EQ(result(2), "10000");
    EXPECT_NEAR(std::stod(result(4)), -60000 + 9000 * a, 0.5);  // 52 160 €
    EXPECT_EQ(result(6), "6.7");                                // 60000 / 9000
    EXPECT_NEAR(std::stod(result(7)), (60000 + 1000 * a) / (100000 * a) * 100, 0.005);
    ASSERT_TRUE(win().result());
    Form& w = load("BilanEconomique");
    EXPECT_EQ(w.ctl("Tableau").rows.size(), 21u);
    EXPECT_EQ(w.ctl("Tableau").rows[20][4], "120000");  // −60000 + 20 × 9000
    EXPECT_FALSE(w.ctl("Graphe").chart.series().empty());
}

TEST_F(BilanEconomiqueTest, APlantAboveTheCeilingGetsAMessageNotATariff) {
    sample();
    step("BilanEconomique", "Donnee(1)=250");
    expectMessage(
        "La puissance installée (250.0 kW) atteint ou dépasse le plafond de l'obligation d'achat (200 kW) : pas "
        "de tarif d'achat. Choisissez « Prix de vente fixé » (marché ou complément de rémunération) ou "
        "« Autoconsommation ».");
    step("BilanEconomique", "Calcul");
    EXPECT_EQ(result(1), "");
    EXPECT_FALSE(win().result());
}

TEST_F(BilanEconomiqueTest, BadRatesAndDurationsAreRefusedAndNoRateIsSaid) {
    sample();
    step("BilanEconomique", "Donnee(29)=-100");
    expectMessage("Le taux d'actualisation doit être supérieur à -100 %.");
    step("BilanEconomique", "Calcul");
    step("BilanEconomique", "Donnee(29)=5");
    step("BilanEconomique", "Donnee(30)=0");
    expectMessage("La durée du contrat doit être un nombre entier d'années, de 1 à 100.");
    step("BilanEconomique", "Calcul");
    step("BilanEconomique", "Donnee(30)=20");
    // Sold at nothing: the flows never turn positive.
    step("BilanEconomique", "Vente=Prix de vente fixé");
    step("BilanEconomique", "Donnee(12)=0");
    expectMessage(
        "Pas de taux de rentabilité interne : la somme actualisée des flux ne change de signe pour aucun taux de "
        "-99 % à 1000 %.");
    step("BilanEconomique", "Calcul");
    EXPECT_EQ(result(5), "");
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(result(i).find("nan"), std::string::npos);
        EXPECT_EQ(result(i).find("inf"), std::string::npos);
    }
    EXPECT_NE(load("BilanEconomique").ctl("Note").caption.find("non remboursé"), std::string::npos);
}

TEST_F(BilanEconomiqueTest, SweepMarksTheBestEconomicDesignFlowBesideTheMostProductive) {
    sample();
    step("BilanEconomique", "Vente=Prix de vente fixé");
    step("BilanEconomique", "Donnee(12)=12");
    step("BilanEconomique", "Calcul");
    ASSERT_TRUE(win().sweep());
    const EconomicSweep& s = *win().sweep();
    EXPECT_EQ(s.points.size(), 60u);
    ASSERT_GE(s.best, 0);
    ASSERT_GE(s.mostEnergy, 0);
    // The best value is the largest of the sweep's.
    for (const EconomicPoint& p : s.points)
        if (p.npv) {
            EXPECT_LE(*p.npv, *s.points[static_cast<std::size_t>(s.best)].npv);
        }
    // Investment grows about as the power and energy less and less: a smaller flow pays best.
    EXPECT_LE(s.points[static_cast<std::size_t>(s.best)].designFlow,
              s.points[static_cast<std::size_t>(s.mostEnergy)].designFlow);
    EXPECT_NE(load("BilanEconomique").ctl("Meilleurqd").caption.find("Meilleur débit d'équipement économique"),
              std::string::npos);
    // The sweep's chart and table: one row per design flow, the two marked ones named.
    step("BilanEconomique", "Graphique=Valeur actuelle nette selon le débit d'équipement");
    const Control& table = win().ctl("Tableau");
    ASSERT_EQ(table.rows.size(), 60u);
    const auto mark = [&](int i) { return table.rows[static_cast<std::size_t>(i)].back(); };
    EXPECT_NE(mark(s.best).find("meilleur économique"), std::string::npos);
    EXPECT_NE(mark(s.mostEnergy).find("plus productif"), std::string::npos);
    bool marker = false;
    for (const ChartSeries& c : win().ctl("Graphe").chart.series())
        marker = marker || (c.kind == SeriesKind::Marker && c.label.find("Meilleur") != std::string::npos);
    EXPECT_TRUE(marker);
    step("BilanEconomique", "Graphique=Flux de trésorerie cumulés");
    EXPECT_EQ(win().ctl("Tableau").columns.front(), "Année");
}

TEST_F(BilanEconomiqueTest, UnderTheObligationOnlyPowersBelowTheCeilingHaveAValue) {
    sample();                                  // 23.7 kW at 1.2 m3/s: the sweep's largest flows stay far below 200 kW
    step("BilanEconomique", "Donnee(16)=30");  // a ceiling typed at 30 kW
    step("BilanEconomique", "Calcul");
    ASSERT_TRUE(win().sweep());
    for (const EconomicPoint& p : win().sweep()->points) EXPECT_EQ(p.npv.has_value(), p.powerKw < 30) << p.powerKw;
    const EconomicSweep& s = *win().sweep();
    ASSERT_GE(s.best, 0);
    EXPECT_LT(s.points[static_cast<std::size_t>(s.best)].powerKw, 30);
    step("BilanEconomique", "Donnee(31)=-1");
    expectMessage("L'exposant coût-puissance doit être positif ou nul.");
    step("BilanEconomique", "Calcul");
}

TEST_F(BilanEconomiqueTest, BalanceFileRoundTrip) {
    sample();
    step("BilanEconomique", "Vente=Autoconsommation");
    step("BilanEconomique", "Donnee(13)=70");
    answer("Moulin");
    step("BilanEconomique", "Fichier/Enregistrer sous");
    EXPECT_TRUE(std::filesystem::exists(folder() / "Bilan Moulin.txt"));
    step("BilanEconomique", "Donnee(13)=10");
    step("BilanEconomique", "Vente=Prix de vente fixé");
    answer("oui");  // drop the edits
    answer("Moulin");
    step("BilanEconomique", "Fichier/Ouvrir");
    EXPECT_EQ(box(13), "70");
    EXPECT_EQ(text("BilanEconomique", "Vente"), "Autoconsommation");
}

TEST_F(BilanEconomiqueTest, OpensFromTheEvaluationsMenu) {
    open("Formmain");
    step("Formmain", "Evaluations/Bilan économique");
    Form* w = session().loaded("BilanEconomique");
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->visible());
}

}  // namespace
}  // namespace aub::test

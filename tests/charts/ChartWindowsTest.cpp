// The machine selection chart (zones, lookup, site point) and the Moody diagram
// (curves against Colebrook's equation, the pipe's operating point).
#include <gtest/gtest.h>

#include <cmath>

#include "charts/DomaineEmploi.h"
#include "charts/MachineZones.h"
#include "charts/MoodyCurves.h"
#include "core/CalcError.h"
#include "core/SharedValues.h"
#include "forms/Session.h"
#include "support/WindowTest.h"

namespace aub::test {
namespace {

const ChartSeries* seriesNamed(const Chart& chart, const std::string& name) {
    for (const ChartSeries& s : chart.series())
        if (s.name == name) return &s;
    return nullptr;
}

// ---------------------------------------------------------------- zones

TEST(MachineZonesTest, APointInTwoZonesNamesBothAndASideCountsAsInside) {
    const auto zones = parseMachineZones(
        "# deux carrés qui se recouvrent\n"
        "zone;A\nsource;auteur, titre, 2004, figure 1\n0.1;1\n0.1;10\n1;10\n1;1\n\n"
        "zone;B\ncouleur;#FF0000\n0.5;5\n0.5;50\n5;50\n5;5\n");
    ASSERT_EQ(zones.size(), 2u);
    EXPECT_EQ(zones[0].sources.front(), "auteur, titre, 2004, figure 1");
    EXPECT_EQ(zones[1].color, 0xFF0000);
    EXPECT_EQ(zonesContaining(zones, 0.7, 7), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(zonesContaining(zones, 0.2, 2), (std::vector<std::string>{"A"}));
    EXPECT_EQ(zonesContaining(zones, 1, 3), (std::vector<std::string>{"A"}));         // on A's side
    EXPECT_EQ(zonesContaining(zones, 0.5, 5), (std::vector<std::string>{"A", "B"}));  // B's corner
    EXPECT_TRUE(zonesContaining(zones, 20, 0.5).empty());
}

TEST(MachineZonesTest, AFileThatCannotBeReadNamesItsLine) {
    int line = 0;
    EXPECT_THROW(parseMachineZones("0.1;1\n", &line), CalcError);  // a vertex before any zone
    EXPECT_EQ(line, 1);
    EXPECT_THROW(parseMachineZones("zone;A\n0.1;1\n1;-1\n", &line), CalcError);
    EXPECT_EQ(line, 3);
    EXPECT_THROW(parseMachineZones("zone;A\n0.1;1\n1;1\nzone;B\n", &line), CalcError);  // two vertices
    EXPECT_EQ(line, 1);
    EXPECT_THROW(parseMachineZones("zone;A\nQ;H\n", &line), CalcError);
    EXPECT_EQ(line, 2);
}

TEST(MachineZonesTest, TheDeliveredZonesHaveTheirReferencesAndPlaceKnownSites) {
    const auto zones = readMachineZones(dataSource() / MachineZonesFile);
    ASSERT_EQ(zones.size(), 9u);
    for (const MachineZone& z : zones) {
        EXPECT_FALSE(z.sources.empty()) << z.name;
        EXPECT_GE(z.polygon.size(), 3u) << z.name;
    }
    // A high head, a small flow: impulse turbines only.
    EXPECT_EQ(zonesContaining(zones, 0.02, 400), (std::vector<std::string>{"Pelton"}));
    // A river site: 20 m3/s under 8 m.
    EXPECT_EQ(zonesContaining(zones, 20, 8), (std::vector<std::string>{"Kaplan et hélice"}));
    // A mill site: 0.8 m3/s under 1 m, on the lower edge of the screws' zone.
    EXPECT_EQ(zonesContaining(zones, 0.8, 1),
              (std::vector<std::string>{"Roues en dessous, Poncelet, Sagebien", "Vis hydrodynamique"}));
    // A weir of 3 m and 2 m3/s: the Kaplan turbine, the breastshot wheel and the screw.
    EXPECT_EQ(zonesContaining(zones, 2, 3),
              (std::vector<std::string>{"Kaplan et hélice", "Roue de côté (de poitrine)", "Vis hydrodynamique"}));
    // Beyond the screws' power: 10 m3/s under 8 m.
    for (const std::string& z : zonesContaining(zones, 10, 8)) EXPECT_NE(z, "Vis hydrodynamique");
}

// ---------------------------------------------------------------- selection window

class DomaineEmploiTest : public WindowTest {
protected:
    const Chart& chart() { return session().load("DomaineEmploi").ctl("Graphe").chart; }
    std::string zonesText() { return session().load("DomaineEmploi").ctl("Zones").caption; }
};

TEST_F(DomaineEmploiTest, ChartHasItsAxesZonesAndPowerLines) {
    open("DomaineEmploi");
    const Chart& c = chart();
    EXPECT_EQ(c.title, "DOMAINE D'EMPLOI DES TURBINES ET DES ROUES");
    EXPECT_TRUE(c.x.log);
    EXPECT_TRUE(c.y.log);
    EXPECT_EQ(c.xRange(), std::make_pair(0.005, 100.0));
    EXPECT_EQ(c.yRange(), std::make_pair(0.3, 1000.0));
    int zones = 0;
    for (const ChartSeries& s : c.series()) zones += s.kind == SeriesKind::Zone;
    EXPECT_EQ(zones, 9);
    // Every point of a power line gives its power: 9.81·Q·H·0.8.
    for (const char* name : {"1 kW", "10 kW", "100 kW", "1 MW", "10 MW"}) {
        const ChartSeries* line = seriesNamed(c, name);
        ASSERT_NE(line, nullptr) << name;
        ASSERT_FALSE(line->points.empty());
        const double kw = 9.81 * line->points.front().x * line->points.front().y * 0.8;
        for (const ChartPoint& p : line->points) {
            EXPECT_NEAR(9.81 * p.x * p.y * 0.8, kw, 1e-9 * kw);
            EXPECT_GE(p.y, 0.3 * (1 - 1e-12));
            EXPECT_LE(p.x, 100 * (1 + 1e-12));
        }
    }
    EXPECT_NEAR(9.81 * seriesNamed(c, "1 MW")->points.front().x * seriesNamed(c, "1 MW")->points.front().y * 0.8, 1000,
                1e-9);
    // No sizing yet: no point, and the person is told how to place one.
    EXPECT_EQ(seriesNamed(c, "Site"), nullptr);
    EXPECT_EQ(zonesText(), "Tapez un débit et une hauteur, puis « Placer ».");
}

TEST_F(DomaineEmploiTest, SitePointComesFromTheTurbineWindowAndNamesItsZones) {
    open("Formroue");  // head 10 m, flow 3 m3/s at opening
    step("Formroue", "Domaine d'emploi");
    const ChartSeries* site = seriesNamed(chart(), "Site");
    ASSERT_NE(site, nullptr);
    ASSERT_EQ(site->points.size(), 1u);
    EXPECT_DOUBLE_EQ(site->points[0].x, 3);
    EXPECT_DOUBLE_EQ(site->points[0].y, 10);
    EXPECT_EQ(text("DomaineEmploi", "Valbox", 0), "3");
    EXPECT_EQ(text("DomaineEmploi", "Valbox", 1), "10");
    EXPECT_EQ(zonesText(),
              "Le site (Q = 3 m3/s, H = 10 m, environ 235.44 kW) est dans les domaines : Banki (cross-flow), "
              "Kaplan et hélice, Vis hydrodynamique.");
}

TEST_F(DomaineEmploiTest, ARunnerTheTurbineNamesOutsideItsPublishedZoneIsSaid) {
    open("Formroue");
    step("Formroue", "Command1");  // 10 m, 3 m3/s: a slow Francis by its specific speed
    ASSERT_EQ(text("Formroue", "boite", 7), "Francis lente");
    step("Formroue", "Domaine d'emploi");
    EXPECT_EQ(zonesText(),
              "Le site (Q = 3 m3/s, H = 10 m, environ 235.44 kW) est dans les domaines : Banki (cross-flow), "
              "Kaplan et hélice, Vis hydrodynamique. Francis lente selon la vitesse spécifique ; hors des domaines "
              "publiés ci-dessus.");
    // A point typed in the chart's own boxes is no runner's: nothing more is said.
    step("DomaineEmploi", "Valbox(1)=100");
    step("DomaineEmploi", "Placer");
    EXPECT_EQ(zonesText().find("vitesse spécifique"), std::string::npos) << zonesText();
}

TEST_F(DomaineEmploiTest, TheCrossFlowWindowAndTheProgramWideValuesGiveThePointOtherwise) {
    session().shared().SharedHead.set(300, HeadUnit::Metres);
    session().shared().SharedFlow.set(0.05f, FlowRateUnit::CubicMetresPerSecond);
    open("DomaineEmploi");
    const ChartSeries* site = seriesNamed(chart(), "Site");
    ASSERT_NE(site, nullptr);
    EXPECT_NEAR(site->points[0].x, 0.05, 1e-8);
    EXPECT_EQ(zonesText().substr(zonesText().find(')')), ") est dans le domaine : Pelton.");
    session().unload("DomaineEmploi");

    open("Banki");
    step("Banki", "Donnée(0)=2");
    step("Banki", "Donnée(1)=0,4");
    step("Banki", "Domaine d'emploi");
    site = seriesNamed(chart(), "Site");
    ASSERT_NE(site, nullptr);
    EXPECT_DOUBLE_EQ(site->points[0].x, 0.4);
    EXPECT_DOUBLE_EQ(site->points[0].y, 2);
    EXPECT_TRUE(session().load("DomaineEmploi").modal());  // above a modal window
}

TEST_F(DomaineEmploiTest, PlacerMovesThePointAndRefusesANonPositiveOne) {
    open("DomaineEmploi");
    step("DomaineEmploi", "Valbox(0)=0,8");
    step("DomaineEmploi", "Valbox(1)=1");
    step("DomaineEmploi", "Placer");
    EXPECT_EQ(zonesText().substr(zonesText().find(')')),
              ") est dans les domaines : Roues en dessous, Poncelet, Sagebien, Vis hydrodynamique.");
    for (const char* bad : {"0", "-2", "abc", ""}) {
        expectMessage("Le débit Q et la hauteur H doivent être des nombres positifs.");
        step("DomaineEmploi", std::string("Valbox(1)=") + bad);
        step("DomaineEmploi", "Placer");
        // The refused point leaves the last one in place.
        ASSERT_NE(seriesNamed(chart(), "Site"), nullptr);
        EXPECT_DOUBLE_EQ(seriesNamed(chart(), "Site")->points[0].y, 1);
    }
    step("DomaineEmploi", "Valbox(0)=50");
    step("DomaineEmploi", "Valbox(1)=900");
    step("DomaineEmploi", "Placer");
    EXPECT_EQ(zonesText().substr(zonesText().find(')')), ") n'est dans aucun domaine.");
}

TEST_F(DomaineEmploiTest, AMissingZoneFileIsSaidAndTheChartStillOpens) {
    std::filesystem::remove(folder() / MachineZonesFile);
    expectMessage("Domaines d'emploi non lus (DomainesMachines.txt) : Fichier introuvable");
    open("DomaineEmploi");
    EXPECT_NE(seriesNamed(chart(), "10 kW"), nullptr);
    EXPECT_EQ(seriesNamed(chart(), "Pelton"), nullptr);
}

// ---------------------------------------------------------------- Moody

// Colebrook's equation solved independently: bisection on 1/√f, to the last bit.
double colebrookReference(double eps, double re) {
    auto g = [&](double x) { return x + 2 * std::log10(eps / 3.7 + 2.51 * x / re); };  // x = 1/√f
    double lo = 1, hi = 100;
    for (int i = 0; i < 200; ++i) {
        const double mid = 0.5 * (lo + hi);
        (g(mid) > 0 ? hi : lo) = mid;
    }
    const double x = 0.5 * (lo + hi);
    return 1 / (x * x);
}

TEST(MoodyCurvesTest, CurvesAgreeWithColebrooksEquationAndTheLaminarLine) {
    Chart c;
    buildMoodyChart(c, std::nullopt);
    int curves = 0;
    for (double eps : MoodyRoughnesses) {
        const ChartSeries* s = seriesNamed(c, roughnessName(eps));
        ASSERT_NE(s, nullptr) << eps;
        ++curves;
        EXPECT_GE(s->points.size(), 200u);
        EXPECT_DOUBLE_EQ(s->points.front().x, 4000);
        EXPECT_DOUBLE_EQ(s->points.back().x, 1e8);
        for (const ChartPoint& p : s->points) {
            const double ref = colebrookReference(eps, p.x);
            ASSERT_NEAR(p.y, ref, 1e-6 * ref) << "eps " << eps << " Re " << p.x;
        }
    }
    EXPECT_EQ(curves, 14);
    // A few values read on the published diagram, as a sanity check of the scale.
    EXPECT_NEAR(colebrookReference(0, 1e5), 0.0180, 0.0002);
    EXPECT_NEAR(colebrookReference(1e-3, 1e6), 0.0199, 0.0002);

    const ChartSeries* laminar = seriesNamed(c, "Laminaire f = 64/Re");
    ASSERT_NE(laminar, nullptr);
    EXPECT_DOUBLE_EQ(laminar->points.back().x, 2300);
    for (const ChartPoint& p : laminar->points) EXPECT_DOUBLE_EQ(p.y, 64 / p.x);
    const ChartSeries* band = seriesNamed(c, "Zone de transition");
    ASSERT_NE(band, nullptr);
    ASSERT_EQ(band->points.size(), 2u);
    EXPECT_EQ(band->points[0].x, 2300);
    EXPECT_EQ(band->points[1].x, 4000);
    EXPECT_EQ(c.xRange(), std::make_pair(1e3, 1e8));
    EXPECT_EQ(c.yRange(), std::make_pair(0.008, 0.1));
}

TEST(MoodyCurvesTest, PointsTheSolverCannotGiveAreLeftOut) {
    EXPECT_TRUE(colebrookCurve(-1, 4000, 1e8, 50).empty());  // a negative roughness has no friction factor
    EXPECT_EQ(colebrookCurve(1e-4, 4000, 1e8, 50).size(), 50u);
}

class MoodyTest : public WindowTest {
protected:
    const Chart& chart() { return session().load("Moody").ctl("Graphe").chart; }
};

TEST_F(MoodyTest, OperatingPointOfTheLastColebrookCalculationWithItsCurveEmphasised) {
    open("Formbuse");
    step("Formbuse", "Combo1=Fonte neuve");
    step("Formbuse", "Colebrook");
    step("Formbuse", "Diagramme de Moody");
    const SharedValues& sv = session().shared();
    const double re = sv.SharedPipeReynolds;
    EXPECT_NEAR(re, 2.037 * 250 / 0.001005, 1e-3 * re);
    EXPECT_NEAR(sv.SharedPipeFriction, colebrookReference(0.001, re), 1e-9);
    EXPECT_DOUBLE_EQ(sv.SharedPipeRelativeRoughness, static_cast<double>(0.25f) / 250);

    const ChartSeries* point = seriesNamed(chart(), "Point de fonctionnement");
    ASSERT_NE(point, nullptr);
    EXPECT_EQ(point->kind, SeriesKind::Marker);
    EXPECT_DOUBLE_EQ(point->points.at(0).x, re);
    EXPECT_DOUBLE_EQ(point->points.at(0).y, sv.SharedPipeFriction);
    EXPECT_EQ(point->label, "Re = 506761.9  f = 0.02022786  ε/D = 0.001");
    // ε/D = 0.25 mm / 250 mm is one of the drawn roughnesses: that curve is emphasised.
    EXPECT_EQ(seriesNamed(chart(), "ε/D = 0.001")->width, 3);
    EXPECT_TRUE(seriesNamed(chart(), "ε/D = 0.001")->inLegend);
    EXPECT_EQ(seriesNamed(chart(), "ε/D = 0.002")->width, 1);

    // Copper (0.0015 mm) gives ε/D = 6e-6, not drawn: a curve of its own is added.
    step("Formbuse", "Combo1=Cuivre");
    step("Formbuse", "Colebrook");
    session().load("Moody").activate();
    const ChartSeries* own = seriesNamed(chart(), "ε/D = 0.000006 (conduite)");
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(own->width, 3);
    EXPECT_EQ(seriesNamed(chart(), "ε/D = 0.001")->width, 1);
}

TEST_F(MoodyTest, WithoutACalculationTheDiagramHasNoPoint) {
    open("Moody");
    EXPECT_EQ(seriesNamed(chart(), "Point de fonctionnement"), nullptr);
    EXPECT_EQ(session().load("Moody").ctl("Point").caption,
              "Aucun calcul de Colebrook : choisissez « Colebrook » dans la fenêtre des conduites en charge.");
    // Reached from the main window's head-loss menu.
    session().unload("Moody");
    open("Formmain");
    step("Formmain", "Perte de charge/Diagramme de Moody");
    EXPECT_TRUE(session().load("Moody").visible());
    step("Formmain", "Evaluations/Domaine d'emploi des machines");
    EXPECT_TRUE(session().load("DomaineEmploi").visible());
}

}  // namespace
}  // namespace aub::test

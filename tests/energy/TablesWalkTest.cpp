// Every entry of the closed sets of the annual energy and its balance, reached as a person
// reaches it: each machine type chosen in the window's list and calculated on the sample
// site, each chart of each window's chart list chosen and drawn under its own title.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>

#include "charts/MachineZones.h"
#include "energy/DatedRecord.h"
#include "energy/MachineEfficiency.h"
#include "files/TextFile.h"
#include "support/WindowTest.h"

namespace aub {
namespace {

class TablesWalkTest : public test::WindowTest {
protected:
    void sample() {
        open("Productible");
        answer("Site exemple");
        step("Productible", "Fichier/Ouvrir");
    }
    Form& window(const std::string& name) { return *session().loaded(name); }
    // Two years of dated daily flows, imported through the window's button.
    void importDatedRecord() {
        std::string csv = "Date;Débit (m3/s)\r\n";
        for (int d = 0; d < 730; ++d)
            csv += dayText(dayNumber(2021, 1, 1) + d) + ";" + std::to_string(d % 9 + 1) + ",5\r\n";
        const auto path = folder() / "chronique.csv";
        std::ofstream(path, std::ios::binary) << csv;
        answer(pathToUtf8(path));
        step("Productible", "Importer");
    }
    // Each entry of the list chosen in turn: the chart shows that entry as its title and,
    // after a calculation, series of its own (no two entries draw the same series).
    void walkCharts(const std::string& name) {
        Form& w = window(name);
        const std::vector<std::string> entries = w.ctl("Graphique").items;
        ASSERT_FALSE(entries.empty());
        std::set<std::string> drawings;
        for (const std::string& entry : entries) {
            step(name, "Graphique=" + entry);
            const Chart& chart = w.ctl("Graphe").chart;
            EXPECT_EQ(chart.title, entry);
            ASSERT_FALSE(chart.series().empty()) << entry;
            std::string names = chart.y.title;
            for (const ChartSeries& s : chart.series()) {
                EXPECT_FALSE(s.points.empty()) << entry << " : " << s.name;
                names += ";" + s.name;
            }
            EXPECT_TRUE(drawings.insert(names).second) << entry << " draws what another entry draws";
        }
    }
};

TEST_F(TablesWalkTest, EveryMachineTypeOfTheListGivesAnAnnualEnergy) {
    sample();
    const std::vector<std::string> listed = window("Productible").ctl("Typemachine").items;
    ASSERT_EQ(listed.size(), machineTypes().size());
    const std::string grossHead = text("Productible", "Site", 0);
    const double ratedHead = 3.0;  // the sample's 3.2 m less 0.2 m of losses
    for (const std::string& caption : listed) {
        const MachineType& type = machineType(caption);
        // A curve whose source does not cover the sample's head says so when chosen, and
        // is calculated on a head within its range.
        const bool outside = type.outsideSource && type.outsideSource(ratedHead);
        if (outside) expectMessage(defaultCurveOutsideSource(type, ratedHead));
        step("Productible", "Typemachine=" + caption);
        if (outside) step("Productible", "Site(0)=30");
        step("Productible", "Calcul");
        const std::string energy = text("Productible", "Resultat", 5);
        EXPECT_GT(std::stod(energy.empty() ? "0" : energy), 0) << caption;
        if (outside) step("Productible", "Site(0)=" + grossHead);
    }
}

TEST_F(TablesWalkTest, TheWindowStartsOnTheDefaultTypeAndAStudyNamesItsType) {
    open("Productible");
    EXPECT_EQ(text("Productible", "Typemachine"), defaultMachineType().caption);
    EXPECT_EQ(std::string(defaultMachineType().caption), "Turbine Banki (cross-flow)");
}

TEST_F(TablesWalkTest, EveryChartOfTheAnnualEnergyIsDrawnUnderItsOwnTitle) {
    sample();
    importDatedRecord();
    step("Productible", "Calcul");
    walkCharts("Productible");
}

TEST_F(TablesWalkTest, EveryChartOfTheEconomicBalanceIsDrawnUnderItsOwnTitle) {
    sample();
    step("Productible", "Calcul");
    step("Productible", "Bilan économique…");
    step("BilanEconomique", "Calcul");
    walkCharts("BilanEconomique");
}

// Each record's facts hold together: its zone is one of the chart of the machines' fields
// of use, its help record exists in the help texts.
TEST_F(TablesWalkTest, EveryMachineTypeNamesAZoneAndAHelpRecordThatExist) {
    std::set<std::string> zones;
    for (const MachineZone& z : readMachineZones(folder() / MachineZonesFile)) zones.insert(z.name);
    for (const MachineType& t : machineTypes()) {
        if (t.zone[0] != '\0') {
            EXPECT_TRUE(zones.count(t.zone)) << t.caption << " : " << t.zone;
        }
        if (t.helpRecord > 0) {
            EXPECT_FALSE(session().helpText(t.helpRecord).empty()) << t.caption;
        }
    }
}

}  // namespace
}  // namespace aub

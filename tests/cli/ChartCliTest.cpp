// The command line's views of charts: the JSON description, the text listing and the
// CSV export after the steps.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/CliMain.h"
#include "support/WindowTest.h"

namespace aub {
namespace {

struct CsvRun {
    int status;
    std::string out;
    std::string err;
};

CsvRun chartCli(const test::TempFolder& folder, std::vector<std::string> args) {
    args.insert(args.begin(), {"--dossier", folder.path().string()});
    std::ostringstream out, err;
    const int status = cliMain(args, test::dataSource().parent_path().string(), out, err);
    return {status, out.str(), err.str()};
}

TEST(ChartCliTest, JsonDescribesTheSelectionChartAndEveryControlsKind) {
    test::TempFolder folder;
    CsvRun r = chartCli(folder, {"--json", "DomaineEmploi"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"Graphe\":{\"kind\":\"chart\""), std::string::npos);
    EXPECT_NE(r.out.find("\"x\":{\"title\":\"Débit Q\",\"unit\":\"m3/s\",\"scale\":\"log\",\"range\":\"fixed\","
                         "\"min\":0.005,\"max\":100}"),
              std::string::npos);
    EXPECT_NE(r.out.find("{\"name\":\"Pelton\",\"kind\":\"zone\",\"points\":[[0.005,50],"), std::string::npos);
    EXPECT_NE(r.out.find("{\"name\":\"10 MW\",\"kind\":\"line\""), std::string::npos);
    EXPECT_NE(r.out.find("\"Placer\":{\"kind\":\"button\",\"text\":\"Placer\",\"caption\":\"Placer\""),
              std::string::npos);
    EXPECT_NE(r.out.find("\"Valbox(0)\":{\"kind\":\"textbox\""), std::string::npos);
    EXPECT_EQ(r.out.find("nan"), std::string::npos);
    EXPECT_EQ(r.out.find("inf"), std::string::npos);
}

TEST(ChartCliTest, ListingGivesOneLinePerSeriesWithItsRanges) {
    test::TempFolder folder;
    CsvRun r = chartCli(folder, {"DomaineEmploi", "Valbox(0)=0.5", "Valbox(1)=10", "Placer"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("série « Turgo » (zone) : 4 points, x de 0.01 à 2.5, y de 50 à 250\n"), std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("série « Site » (marker) : 1 point, x de 0.5 à 0.5, y de 10 à 10\n"), std::string::npos);
}

TEST(ChartCliTest, CsvOfTheMoodyChartAfterAColebrookCalculation) {
    test::TempFolder folder;
    CsvRun r = chartCli(folder, {"--virgule", "--csv", "Moody:Graphe", "Formbuse", "Combo1=Fonte neuve", "Colebrook",
                                 "Diagramme de Moody"});
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(r.out.rfind("\xEF\xBB\xBFZone de transition\r\n", 0), 0u) << r.out.substr(0, 200);
    EXPECT_NE(r.out.find("Laminaire f = 64/Re\r\nNombre de Reynolds Re;Coefficient de frottement f\r\n1000;0,064\r\n"),
              std::string::npos);
    EXPECT_NE(r.out.find("Point de fonctionnement\r\nNombre de Reynolds Re;Coefficient de frottement f\r\n506761,"),
              std::string::npos);
    // Only the export: no window listing around it.
    EXPECT_EQ(r.out.find("==="), std::string::npos);
}

TEST(ChartCliTest, CsvOfAControlThatIsNoChartExitsWithTwo) {
    test::TempFolder folder;
    EXPECT_EQ(chartCli(folder, {"--csv", "Moody:Point", "Moody"}).status, 2);
    EXPECT_EQ(chartCli(folder, {"--csv", "Moody:Graphe", "Formbuse"}).status, 2);  // never opened
    EXPECT_EQ(chartCli(folder, {"--csv", "Moody", "Moody"}).status, 2);
}

}  // namespace
}  // namespace aub

// The typed flow-duration curve and the imported daily record.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "energy/FlowText.h"
#include "support/WindowTest.h"

namespace aub {
namespace {

TEST(DurationCurveText, AcceptsBothDecimalSeparatorsCommentsAndBlankLines) {
    const CurveText c = parseDurationCurve("# débits classés\n\n0 ; 12,5\r\n50\t3.25\n  \n100 ; 0,4\n");
    ASSERT_TRUE(c.error.empty()) << c.error;
    ASSERT_EQ(c.points.size(), 3u);
    EXPECT_DOUBLE_EQ(c.points[0].flow, 12.5);
    EXPECT_DOUBLE_EQ(c.points[1].percent, 50);
    EXPECT_DOUBLE_EQ(c.points[1].flow, 3.25);
    EXPECT_DOUBLE_EQ(c.points[2].flow, 0.4);
}

TEST(DurationCurveText, NamesTheFaultyLine) {
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"0 ; 5\n120 ; 1",
         "Débits classés, ligne 2 : la fréquence de dépassement doit être comprise entre 0 et 100 %."},
        {"0 ; 5\n# note\n50 ; 6",
         "Débits classés, ligne 3 : les débits ne doivent pas croître quand la fréquence augmente."},
        {"0 ; -1", "Débits classés, ligne 1 : un débit ne peut pas être négatif."},
        {"0 ; 5\nbeaucoup ; 2", "Débits classés, ligne 2 : deux nombres attendus, « fréquence (%) ; débit (m3/s) »."},
        {"50 ; 5\n10 ; 2", "Débits classés, ligne 2 : les fréquences doivent croître d'une ligne à l'autre."},
        {"0 ; inf", "Débits classés, ligne 1 : deux nombres attendus, « fréquence (%) ; débit (m3/s) »."},
    };
    for (const Case& c : cases) {
        const CurveText parsed = parseDurationCurve(c.text);
        EXPECT_EQ(parsed.error, c.message) << c.text;
        EXPECT_TRUE(parsed.points.empty());
    }
}

TEST(DailyRecordText, ReadsEverySeparatorAndCountsTheSkippedDays) {
    const FlowRecord r = parseFlowRecord(
        "Station de la Vèze\nDate;Débit (m3/s)\n"
        "2020-01-01;1,5\n2020-01-02;\n2020-01-03;lacune\n\n"
        "2020-01-04,2.25\n2020-01-05,3,75\n2020-01-06\t0.5\n2020-01-07;-9999\n");
    EXPECT_TRUE(r.error.empty());
    EXPECT_EQ(r.flows, (std::vector<double>{1.5, 2.25, 3.75, 0.5}));
    EXPECT_EQ(r.skipped, 3);  // empty, not a number, negative; the blank line is not a day
}

TEST(DailyRecordText, AFileWithoutFlowsIsRefused) {
    EXPECT_FALSE(parseFlowRecord("Date;Débit\nrien;à lire\n").error.empty());
}

TEST(DailyRecordFile, UnreadableEmptyBinaryOrHugeFilesGiveAMessage) {
    test::TempFolder dir;
    const auto empty = dir.path() / "vide.csv";
    std::ofstream(empty).close();
    EXPECT_EQ(readFlowRecordFile(empty).error, "Le fichier est vide.");

    const auto binary = dir.path() / "image.csv";
    {
        std::ofstream out(binary, std::ios::binary);
        out << std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
    }
    EXPECT_NE(readFlowRecordFile(binary).error.find("pas un fichier texte"), std::string::npos);

    const auto huge = dir.path() / "enorme.csv";
    std::ofstream(huge).close();
    std::filesystem::resize_file(huge, 50u * 1024u * 1024u);
    const FlowRecord big = readFlowRecordFile(huge);
    EXPECT_NE(big.error.find("trop volumineux"), std::string::npos);
    EXPECT_TRUE(big.flows.empty());

    EXPECT_NE(readFlowRecordFile(dir.path() / "absent.csv").error.find("introuvable"), std::string::npos);
    EXPECT_FALSE(readFlowRecordFile(dir.path()).error.empty());  // a folder

    const auto latin = dir.path() / "débits.csv";
    {
        std::ofstream out(latin, std::ios::binary);
        out << "Date;D\xE9"
               "bit\r\n01/01/2001;0,8\r\n";
    }
    const FlowRecord ok = readFlowRecordFile(latin);
    EXPECT_TRUE(ok.error.empty()) << ok.error;
    EXPECT_EQ(ok.flows, std::vector<double>{0.8});
}

}  // namespace
}  // namespace aub

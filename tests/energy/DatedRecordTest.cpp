// The dated daily record: dates, order, duplicates, sub-daily values, columns, units,
// the national exports, ignored lines, and the files themselves.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "energy/DatedRecord.h"
#include "support/TempFolder.h"

namespace aub {
namespace {

std::vector<double> flowsOf(const DatedRecord& r) {
    std::vector<double> q;
    for (const RecordDay& d : r.days) q.push_back(d.flow);
    return q;
}

TEST(DatedRecordDates, IsoFrenchAndTimedDatesAreReadAndSorted) {
    const DatedRecord r = parseDatedRecord(
        "Date;Débit (m3/s)\n"
        "03/01/2020;3\n"
        "2020-01-01;1\n"
        "2020-01-02T00:00:00Z;2\n"
        "29/02/2020 12:30;4\n");
    ASSERT_TRUE(r.error.empty()) << r.error;
    ASSERT_EQ(r.days.size(), 4u);
    EXPECT_EQ(r.days[0].day, dayNumber(2020, 1, 1));
    EXPECT_EQ(dayText(r.days[2].day), "03/01/2020");
    EXPECT_EQ(dayText(r.days[3].day), "29/02/2020");  // a leap day is a day like the others
    EXPECT_EQ(flowsOf(r), (std::vector<double>{1, 2, 3, 4}));
    EXPECT_EQ(r.ignored, 0);
    // Days that do not exist are not dates.
    const DatedRecord bad = parseDatedRecord("Date;Débit (m3/s)\n2021-01-01;1\n29/02/2021;2\n2021-02-30;3\n");
    EXPECT_EQ(bad.ignored, 2);
    EXPECT_EQ(bad.ignoredLines, (std::vector<int>{3, 4}));
}

TEST(DatedRecordDuplicates, TheSameDayIsMergedWhenEqualAndRefusedWithItsLinesOtherwise) {
    const DatedRecord same = parseDatedRecord("Date;Débit (m3/s)\n2020-01-01;1.5\n2020-01-02;2\n2020-01-01;1.5\n");
    ASSERT_TRUE(same.error.empty());
    EXPECT_EQ(same.days.size(), 2u);
    EXPECT_EQ(same.mergedDuplicates, 1);
    const DatedRecord other = parseDatedRecord("Date;Débit (m3/s)\n2020-01-01;1.5\n2020-01-02;2\n01/01/2020;1.7\n");
    EXPECT_EQ(other.error,
              "Jour en double : le 01/01/2020 est donné ligne 2 (1.5 m3/s) et ligne 4 (1.7 m3/s). Corrigez le "
              "fichier : un seul débit par jour (ou par heure).");
    EXPECT_TRUE(other.days.empty());
}

TEST(DatedRecordSubDaily, TwoDaysOfHourlyValuesGiveTwoDailyMeans) {
    std::string text = "Date;Débit (m3/s)\n";
    for (int day = 1; day <= 2; ++day)
        for (int h = 0; h < 24; ++h)
            text += "2020-05-0" + std::to_string(day) + " " + (h < 10 ? "0" : "") + std::to_string(h) + ":00;" +
                    std::to_string(day * 10 + h) + "\n";
    const DatedRecord r = parseDatedRecord(text);
    ASSERT_TRUE(r.error.empty()) << r.error;
    ASSERT_EQ(r.days.size(), 2u);
    EXPECT_DOUBLE_EQ(r.days[0].flow, 10 + 11.5);  // mean of 10 ... 33
    EXPECT_DOUBLE_EQ(r.days[1].flow, 20 + 11.5);
    EXPECT_EQ(r.averagedDays, 2);
}

TEST(DatedRecordUnits, TheHeaderGivesTheUnitAndAFileWithoutOneAsks) {
    const DatedRecord litres = parseDatedRecord("Date;Débit (l/s)\n2020-01-01;1500\n2020-01-02;250\n");
    EXPECT_EQ(flowsOf(litres), (std::vector<double>{1.5, 0.25}));
    const DatedRecord cubic = parseDatedRecord("Date;Q (m³/s)\n2020-01-01;1,5\n");
    EXPECT_EQ(flowsOf(cubic), std::vector<double>{1.5});
    const DatedRecord none = parseDatedRecord("Date;Débit\n2020-01-01;1500\n");
    EXPECT_TRUE(none.unitNeeded);
    EXPECT_TRUE(none.days.empty());
    const DatedRecord answered = parseDatedRecord("Date;Débit\n2020-01-01;1500\n", {-1, FlowUnit::LitresPerSecond});
    EXPECT_EQ(flowsOf(answered), std::vector<double>{1.5});
}

TEST(DatedRecordColumns, QuotedFieldsExtraColumnsAndAmbiguousFlowColumns) {
    // Quoted fields keep their commas; the flow column is found by its heading.
    const DatedRecord quoted = parseDatedRecord(
        "\"Station\",\"Date\",\"Débit (m3/s)\",\"Remarque\"\n"
        "\"La Vèze, pont\",\"2020-01-01\",\"1,25\",\"crue \"\"forte\"\"\"\n"
        "\"La Vèze, pont\",\"2020-01-02\",\"2,5\",\"\"\n");
    ASSERT_TRUE(quoted.error.empty()) << quoted.error;
    EXPECT_EQ(flowsOf(quoted), (std::vector<double>{1.25, 2.5}));
    // Two flow headings: the reader asks, then reads the chosen one.
    const std::string two = "Date;Débit moyen (m3/s);Débit maximal (m3/s)\n2020-01-01;1;4\n";
    const DatedRecord ask = parseDatedRecord(two);
    EXPECT_EQ(ask.flowColumnChoices, (std::vector<std::string>{"Débit moyen (m3/s)", "Débit maximal (m3/s)"}));
    EXPECT_TRUE(ask.days.empty());
    EXPECT_EQ(flowsOf(parseDatedRecord(two, {ask.flowColumnIndexes[1], FlowUnit::Unknown})), std::vector<double>{4});
    // Without headings, two numeric columns are ambiguous as well.
    EXPECT_EQ(parseDatedRecord("2020-01-01\t1\t7\n").flowColumnChoices,
              (std::vector<std::string>{"colonne 2", "colonne 3"}));
    // "date,1,5" without headings: a decimal comma.
    EXPECT_EQ(flowsOf(parseDatedRecord("2020-01-01,1,5\n2020-01-02,2,25\n", {-1, FlowUnit::CubicMetresPerSecond})),
              (std::vector<double>{1.5, 2.25}));
}

TEST(DatedRecordIgnoredLines, UnreadableLinesAreCountedAndTheFirstNamed) {
    std::string text = "Station de la Vèze\nDate;Débit (m3/s)\n";  // headers are not ignored lines
    for (int d = 1; d <= 28; ++d) {
        const std::string day = (d < 10 ? "0" : "") + std::to_string(d);
        const bool bad = d == 1 || d == 5 || d == 10 || (d >= 13 && d <= 22);
        text += "2021-02-" + day + ";" + (bad ? (d == 5 ? "-9999" : "lacune") : "1") + "\n";
        if (d == 7) text += "\n";  // a blank line is no line of data
    }
    text += "\x1A";  // the old end-of-file byte
    const DatedRecord r = parseDatedRecord(text);
    EXPECT_EQ(r.ignored, 13);
    EXPECT_EQ(r.ignoredLines.size(), 10u);
    EXPECT_EQ(r.ignoredLines[0], 3);
    EXPECT_EQ(r.ignoredLines[1], 7);
    EXPECT_EQ(r.ignoredLines[2], 13);
    EXPECT_EQ(ignoredLinesText(r).rfind("lignes 3, 7, 13, 16, 17", 0), 0u);
    EXPECT_EQ(ignoredLinesText(r).substr(ignoredLinesText(r).size() - 14), " … ignorées");
    EXPECT_EQ(r.days.size(), 15u);
    // One line, and a flow beyond any river (a unit or typing fault).
    const DatedRecord one = parseDatedRecord("Date;Débit (m3/s)\n2020-01-01;1\n2020-01-02;1e300\n\x1A");
    EXPECT_EQ(ignoredLinesText(one), "ligne 3 ignorée");
    EXPECT_EQ(one.ignored, 1);
}

TEST(DatedRecordLayouts, TheNationalPortalAndItsApiExportsAreReadInLitresPerSecond) {
    const std::filesystem::path samples = AUBELYS_RECORD_SAMPLES;
    const DatedRecord portal = readDatedRecordFile(samples / "hydroportail-qmnj.csv");
    ASSERT_TRUE(portal.error.empty()) << portal.error;
    EXPECT_EQ(portal.layout, "HydroPortail");
    EXPECT_EQ(flowsOf(portal), (std::vector<double>{1.52, 1.48, 1.402, 1.3105}));
    EXPECT_EQ(dayText(portal.days.back().day), "05/03/2021");
    EXPECT_EQ(portal.ignoredLines, std::vector<int>{4});  // the day without a value
    const DatedRecord api = readDatedRecordFile(samples / "hubeau-obs-elab.csv");
    ASSERT_TRUE(api.error.empty()) << api.error;
    EXPECT_EQ(api.layout, "Hub'Eau");
    EXPECT_EQ(flowsOf(api), (std::vector<double>{1.52, 1.48, 1.402, 1.3105}));
    EXPECT_EQ(api.days.front().day, dayNumber(2021, 3, 1));
    EXPECT_EQ(api.ignored, 0);
}

TEST(DatedRecordFile, UnreadableEmptyBinaryOrHugeFilesGiveAMessageAndLargeOnesAreRead) {
    test::TempFolder dir;
    const auto empty = dir.path() / "vide.csv";
    std::ofstream(empty).close();
    EXPECT_EQ(readDatedRecordFile(empty).error, "Le fichier est vide.");

    const auto binary = dir.path() / "image.csv";
    std::ofstream(binary, std::ios::binary) << std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
    EXPECT_NE(readDatedRecordFile(binary).error.find("pas un fichier texte"), std::string::npos);

    const auto huge = dir.path() / "enorme.csv";
    std::ofstream(huge).close();
    std::filesystem::resize_file(huge, 50u * 1024u * 1024u);
    const DatedRecord big = readDatedRecordFile(huge);
    EXPECT_EQ(big.error, "Fichier trop volumineux (plus de 16 Mo) pour une chronique de débits journaliers.");
    EXPECT_TRUE(big.days.empty());

    // Between 4 and 16 MB: read like any other record (one limit, one message).
    const auto large = dir.path() / "longue.csv";
    {
        std::ofstream out(large, std::ios::binary);
        out << std::string(6u * 1024u * 1024u, '#') << "\nDate;Débit (m3/s)\n2020-01-01;1\n2020-01-02;2\n";
    }
    const DatedRecord read = readDatedRecordFile(large);
    EXPECT_TRUE(read.error.empty()) << read.error;
    EXPECT_EQ(read.days.size(), 2u);

    EXPECT_NE(readDatedRecordFile(dir.path() / "absent.csv").error.find("introuvable"), std::string::npos);
    EXPECT_FALSE(readDatedRecordFile(dir.path()).error.empty());  // a folder

    const auto latin = dir.path() / "débits.csv";
    std::ofstream(latin, std::ios::binary) << "Date;D\xE9"
                                              "bit (m3/s)\r\n01/01/2001;0,8\r\n\x1A";
    const DatedRecord ok = readDatedRecordFile(latin);
    EXPECT_TRUE(ok.error.empty()) << ok.error;
    EXPECT_EQ(flowsOf(ok), std::vector<double>{0.8});
    EXPECT_EQ(ok.ignored, 0);  // the Ctrl-Z end byte is no day

    EXPECT_FALSE(parseDatedRecord("Date;Débit\nrien;à lire\n").error.empty());
}

}  // namespace
}  // namespace aub

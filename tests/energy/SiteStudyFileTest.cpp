// The site-study file: exact round trip, Windows-1252 with CR LF, refused files.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "core/CalcError.h"
#include "energy/SiteStudyFile.h"
#include "files/TextFile.h"
#include "support/WindowTest.h"

namespace aub {
namespace {

SiteStudy sample() {
    SiteStudy s;
    s.grossHead = "3,2";
    s.headLoss = "0.2";
    s.module = "";
    s.reservedFlow = "0.15";
    s.designFlow = "1.2";
    s.machine = "Roue de côté";
    for (int i = 0; i < 10; ++i) s.efficiency[i] = "0." + std::to_string(60 + i);
    s.efficiencyEdited = true;
    s.minimumFlow = "10";
    s.jets = "1";
    s.rm = "4.5";
    s.driveEfficiency = "0.90";
    s.machines = "2";
    s.downtime = "12,5";
    s.availability = "97";
    s.floodHeadLoss = "0.4";
    s.floodFlow = "25";
    s.monthlyReserved = "0.3;0.3;;;0.2;0.1;0.1;0.1;0.1;0.2;0.3;0.3";
    s.stationArea = "120";
    s.siteArea = "45";
    s.exponent = "0.9";
    s.curveLines = {"# Vèze à Saint-Didier", "0 ; 6,5", "", "100 ; 0.08"};
    s.record = {0.1, 1e-7, 123456.789, 0.30000000000000004, 0};
    s.recordSkipped = 3;
    s.recordSource = "chronique été.csv";
    return s;
}

void expectSame(const SiteStudy& a, const SiteStudy& b) {
    EXPECT_EQ(a.grossHead, b.grossHead);
    EXPECT_EQ(a.headLoss, b.headLoss);
    EXPECT_EQ(a.module, b.module);
    EXPECT_EQ(a.reservedFlow, b.reservedFlow);
    EXPECT_EQ(a.designFlow, b.designFlow);
    EXPECT_EQ(a.machine, b.machine);
    EXPECT_EQ(a.efficiency, b.efficiency);
    EXPECT_EQ(a.efficiencyEdited, b.efficiencyEdited);
    EXPECT_EQ(a.minimumFlow, b.minimumFlow);
    EXPECT_EQ(a.jets, b.jets);
    EXPECT_EQ(a.rm, b.rm);
    EXPECT_EQ(a.driveEfficiency, b.driveEfficiency);
    EXPECT_EQ(a.machines, b.machines);
    EXPECT_EQ(a.downtime, b.downtime);
    EXPECT_EQ(a.availability, b.availability);
    EXPECT_EQ(a.floodHeadLoss, b.floodHeadLoss);
    EXPECT_EQ(a.floodFlow, b.floodFlow);
    EXPECT_EQ(a.monthlyReserved, b.monthlyReserved);
    EXPECT_EQ(a.stationArea, b.stationArea);
    EXPECT_EQ(a.siteArea, b.siteArea);
    EXPECT_EQ(a.exponent, b.exponent);
    EXPECT_EQ(a.curveLines, b.curveLines);
    EXPECT_EQ(a.record, b.record);  // every double exactly
    EXPECT_EQ(a.recordSkipped, b.recordSkipped);
    EXPECT_EQ(a.recordSource, b.recordSource);
}

TEST(SiteStudyFile, RoundTripsExactlyInWindows1252WithCrLf) {
    test::TempFolder dir;
    const auto path = dir.path() / studyFileName("Vèze");
    saveStudy(path, sample());
    const std::string bytes = readFileBytes(path);
    EXPECT_EQ(bytes.rfind("Aubelys - \xE9tude de productible\r\nVersion=3\r\n", 0), 0u);
    EXPECT_EQ(bytes.find('\n'), bytes.find("\r\n") + 1);
    expectSame(readStudy(path), sample());
    // Saved again, the file is the same to the byte.
    saveStudy(path, readStudy(path));
    EXPECT_EQ(readFileBytes(path), bytes);
}

// Files of the first two versions have no plant lines: they open with the window's
// defaults (one machine, no downtime, full availability, no flood loss, no months, no
// station, exponent 1), everything else as written.
TEST(SiteStudyFile, EarlierVersionsOpenWithThePlantsDefaults) {
    std::vector<std::string> lines = studyLines(sample());
    const auto at = std::find(lines.begin(), lines.end(), "Machines=2");
    ASSERT_NE(at, lines.end());
    lines.erase(at, at + 9);
    for (const char* version : {"Version=1", "Version=2"}) {
        lines[1] = version;
        std::vector<std::string> old = lines;
        if (lines[1] == "Version=1") {  // neither the ignored lines' text nor the note
            old.erase(std::find(old.begin(), old.end(), "LignesIgnorees="));
            old.erase(std::find(old.begin(), old.end(), "Remarque="));
        }
        const SiteStudy s = parseStudy(old);
        EXPECT_EQ(s.grossHead, "3,2") << version;
        EXPECT_EQ(s.record, sample().record) << version;
        EXPECT_EQ(s.machines, "1") << version;
        EXPECT_EQ(s.downtime, "0") << version;
        EXPECT_EQ(s.availability, "100") << version;
        EXPECT_EQ(s.floodHeadLoss, "0") << version;
        EXPECT_EQ(s.floodFlow, "") << version;
        EXPECT_EQ(s.monthlyReserved, "") << version;
        EXPECT_EQ(s.stationArea, "") << version;
        EXPECT_EQ(s.siteArea, "") << version;
        EXPECT_EQ(s.exponent, "1") << version;
    }
}

TEST(SiteStudyFile, NamesAreThoseOfTheProgramFolder) {
    EXPECT_EQ(studyFileName("Site exemple"), "Etude productible Site exemple.txt");
    EXPECT_EQ(studyName("etude productible Site exemple.txt"), "Site exemple");
    EXPECT_EQ(studyName("Oregon.txt"), "");
}

TEST(SiteStudyFile, RefusesOtherFilesLaterVersionsAndCutFiles) {
    auto message = [](const std::vector<std::string>& lines) {
        try {
            parseStudy(lines);
        } catch (const CalcError& e) {
            return e.description();
        }
        return std::string("accepted");
    };
    EXPECT_NE(message({"10", "2", "0.5"}).find("n'est pas une étude"), std::string::npos);
    std::vector<std::string> lines = studyLines(sample());
    lines[1] = "Version=4";
    EXPECT_NE(message(lines).find("version (4)"), std::string::npos);
    lines = studyLines(sample());
    lines.resize(lines.size() - 4);
    EXPECT_NE(message(lines).find("incomplet"), std::string::npos);
    lines = studyLines(sample());
    lines.back() = "Suite";
    EXPECT_NE(message(lines).find("fin manque"), std::string::npos);
    // A NUL byte inside a value: refused, not read as the part before it.
    lines = studyLines(sample());
    lines[2] = std::string("Hb=3\0.5", 8);
    EXPECT_NE(message(lines).find("octet nul ligne 3"), std::string::npos) << message(lines);
}

// Reader and writer share one limit: what is saved reopens, and a study beyond the
// limit is refused before the readable file it would replace is touched.
TEST(SiteStudyFile, WriterAndReaderShareOneSizeLimit) {
    test::TempFolder dir;
    const auto path = dir.path() / "Etude productible Grande.txt";
    SiteStudy s = sample();
    saveStudy(path, s);
    const std::string before = readFileBytes(path);

    // Just under the limit with CR LF: saved, and read back whole.
    const std::size_t fixedPart = linesBytes(studyLines(s)).size() + 2;  // one more line's CR LF
    s.curveLines.push_back(std::string(MaxStudyFileBytes - fixedPart, '5'));
    ASSERT_EQ(linesBytes(studyLines(s)).size(), MaxStudyFileBytes);
    saveStudy(path, s);
    EXPECT_EQ(readStudy(path).curveLines.back().size(), s.curveLines.back().size());

    // One byte more: refused with the limit named, the file left as it was.
    saveStudy(path, sample());
    s.curveLines.back() += "5";
    try {
        saveStudy(path, s);
        ADD_FAILURE() << "saved beyond the limit";
    } catch (const CalcError& e) {
        EXPECT_NE(e.description().find("plus de 16 Mo"), std::string::npos) << e.description();
        EXPECT_NE(e.description().find("rien n'a été enregistré"), std::string::npos) << e.description();
    }
    EXPECT_EQ(readFileBytes(path), before);

    // A larger file (10 MB over the limit) is refused by name, not as an access error.
    const auto huge = dir.path() / "Etude productible Enorme.txt";
    std::ofstream(huge).close();
    std::filesystem::resize_file(huge, MaxStudyFileBytes + 10u * 1024u * 1024u);
    try {
        readStudy(huge);
        ADD_FAILURE() << "read beyond the limit";
    } catch (const CalcError& e) {
        EXPECT_EQ(e.description(), "Fichier trop volumineux (plus de 16 Mo) pour une étude de productible.");
    }
}

}  // namespace
}  // namespace aub

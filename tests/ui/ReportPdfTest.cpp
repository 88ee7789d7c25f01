// The dossier as PDF, read back with pdftotext: captions, values, method, the study
// name and "page N / M" on every page; atomic writing; the --pdf option.
#include <QApplication>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "app/Dossier.h"
#include "core/CalcError.h"
#include "forms/Session.h"
#include "support/WindowTest.h"
#include "ui/PdfCommand.h"
#include "ui/QtPlatform.h"
#include "ui/ReportPdf.h"

namespace aub::test {
namespace {

namespace fs = std::filesystem;

bool havePdftotext() { return std::system("pdftotext -v >/dev/null 2>&1") == 0; }

// The text of a PDF file, page breaks as form feeds (with "-bbox": each word and its box, as HTML).
std::string pdfText(const fs::path& pdf, const std::string& option = "") {
    const std::string command = "pdftotext -enc UTF-8 " + option + " '" + pdf.string() + "' -";
    std::string out;
    if (FILE* p = popen(command.c_str(), "r")) {
        char buf[4096];
        std::size_t n;
        while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
        pclose(p);
    }
    return out;
}

class ReportPdfTest : public WindowTest {
protected:
    Report threeExamples(const std::string& study) {
        open("Formrouehaut");
        step("Formrouehaut", "List1=H0Dalmor.txt");
        step("Formrouehaut", "Calcul");
        open("Formroue");
        step("Formroue", "Command1");
        open("Formbuse");
        step("Formbuse", "Combo1=Fonte neuve");
        step("Formbuse", "Colebrook");
        return makeReport(session(), {"Formrouehaut", "Formroue", "Formbuse"}, study);
    }
    TempFolder out_;
};

TEST_F(ReportPdfTest, TextOfThePdfHoldsCaptionsValuesMethodAndPageNumbers) {
    if (!havePdftotext()) GTEST_SKIP() << "pdftotext (poppler-utils) absent";
    const std::string study = "Moulin « d'Étienne » : bief/2026 — çà et là, œuvre";
    const Report report = threeExamples(study);
    const fs::path pdf = out_.path() / "dossier.pdf";
    const int pages = writeReportPdf(report, pdf);
    ASSERT_GE(pages, 4);  // a title page and at least a page per window
    const std::string text = pdfText(pdf);
    for (const char* expected :
         {"Dossier de calcul", "Hauteur de chute m", "Coefficient Manning", "58.825", "Rendement H %", "Roue au dessus",
          "Type de roue", "Francis lente", "Perte de charge mm/m", "17.1148", "Σ pertes singulières", "Méthode"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    // Every page ends with its footer: the study, the date, "page N / M".
    std::istringstream byPage(text);
    std::string page;
    int n = 0;
    while (std::getline(byPage, page, '\f')) {
        if (page.find_first_not_of(" \n") == std::string::npos) continue;
        ++n;
        EXPECT_NE(page.find("page " + std::to_string(n) + " / " + std::to_string(pages)), std::string::npos) << page;
        EXPECT_NE(page.find(study), std::string::npos) << "page " << n;
        EXPECT_NE(page.find(report.date), std::string::npos);
    }
    EXPECT_EQ(n, pages);
}

TEST_F(ReportPdfTest, NeverCalculatedWindowSaysSoInThePdf) {
    if (!havePdftotext()) GTEST_SKIP() << "pdftotext (poppler-utils) absent";
    open("Formbuse");
    const fs::path pdf = out_.path() / "vide.pdf";
    writeReportPdf(makeReport(session(), {"Formbuse"}, ""), pdf);
    const std::string text = pdfText(pdf);
    EXPECT_NE(text.find("Aucun calcul effectué"), std::string::npos) << text;
    EXPECT_NE(text.find("Diamètre mm"), std::string::npos);
    EXPECT_NE(text.find("page 2 / 2"), std::string::npos);  // the first page, then the window's
}

TEST_F(ReportPdfTest, FirstPageNamesTheSiteAndTheSectionsAndEachSectionReadsAsAReport) {
    if (!havePdftotext()) GTEST_SKIP() << "pdftotext (poppler-utils) absent";
    open("Formrouehaut");
    step("Formrouehaut", "List1=H0Dalmor.txt");
    step("Formrouehaut", "Calcul");
    open("Productible");
    answer("Site exemple");
    step("Productible", "Fichier/Ouvrir");
    step("Productible", "Calcul");
    open("Formbuse");
    step("Formbuse", "Combo1=Fonte neuve");
    step("Formbuse", "Valbox(2)=300");
    step("Formbuse", "Colebrook");
    const fs::path pdf = out_.path() / "site.pdf";
    const int pages = writeReportPdf(makeReport(session(), {"Formrouehaut", "Productible", "Formbuse"}, "Moulin"), pdf);
    const std::string text = pdfText(pdf);
    std::vector<std::string> page;
    std::istringstream byPage(text);
    for (std::string p; std::getline(byPage, p, '\f');) page.push_back(p);
    ASSERT_GE(static_cast<int>(page.size()), pages);
    // The first page: the study, the site from the section that computes it, the sections.
    for (const char* expected : {"Moulin", "Site", "Hauteur de chute : 3.2 m (Productible annuel)",
                                 "Puissance maximale brute : 37.7 kW (Productible annuel)", "Sections du dossier",
                                 "1. Roue au dessus", "2. Productible annuel", "3. Conduite en charge"})
        EXPECT_NE(page[0].find(expected), std::string::npos) << expected << "\n" << page[0];
    // Values with their caption's unit, the warning the pipe wrote, its method, and the
    // charts as text a reader can search (vector, not pictures), ticks without exponents.
    const std::string loss = readableValue(session().loaded("Formbuse")->ctl("Valbox", 6).text()) + " mm/m";
    EXPECT_NE(text.find(loss), std::string::npos) << loss;
    for (const char* expected : {"58.825 %", "106245 kWh/an", "Vitesse de l'eau supérieure à 5 m/s", "Colebrook-White",
                                 "Nombre de Reynolds Re", "Puissance électrique P (kW)",
                                 "Productible selon le débit d'équipement", "100 000", "1 000 000"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    EXPECT_EQ(text.find("e+0"), std::string::npos);
    EXPECT_EQ(text.find("menu"), std::string::npos);
}

TEST_F(ReportPdfTest, LongStudyNameWithoutSpacesStaysInsideThePage) {
    if (!havePdftotext()) GTEST_SKIP() << "pdftotext (poppler-utils) absent";
    std::string study = "Moulin";
    while (study.size() < 160) study += "_du_bief_de_la_Sioule";
    open("Formbuse");
    const fs::path pdf = out_.path() / "long.pdf";
    writeReportPdf(makeReport(session(), {"Formbuse"}, study), pdf);
    // Every word the PDF draws, with its box: none may end past the page's width.
    const std::string boxes = pdfText(pdf, "-bbox");
    const auto attribute = [](const std::string& tag, const std::string& name) {
        const std::size_t at = tag.find(name + "=\"");
        return at == std::string::npos ? -1.0 : std::stod(tag.substr(at + name.size() + 2));
    };
    const std::size_t pageTag = boxes.find("<page ");
    ASSERT_NE(pageTag, std::string::npos) << boxes;
    const double pageWidth = attribute(boxes.substr(pageTag, 80), "width");
    ASSERT_GT(pageWidth, 500);
    std::string title;  // the title page's words, in order
    int words = 0;
    for (std::size_t at = boxes.find("<word "); at != std::string::npos; at = boxes.find("<word ", at + 1)) {
        const std::string tag = boxes.substr(at, boxes.find('>', at) - at);
        EXPECT_LE(attribute(tag, "xMax"), pageWidth) << boxes.substr(at, 300);
        if (boxes.rfind("<page ", at) == pageTag) {
            const std::size_t from = boxes.find('>', at) + 1;
            title += boxes.substr(from, boxes.find("</word>", from) - from);
        }
        ++words;
    }
    EXPECT_GT(words, 10);
    // The name is printed whole on the title page, over several lines.
    EXPECT_NE(title.find(study), std::string::npos) << title;
}

TEST_F(ReportPdfTest, FailedWriteLeavesNothingBehind) {
    const Report report = makeReport(session(), {}, "x");
    // A missing folder.
    EXPECT_THROW(writeReportPdf(report, out_.path() / "absent" / "d.pdf"), CalcError);
    EXPECT_FALSE(fs::exists(out_.path() / "absent"));
    // A folder in the way of the file: it stays, and no temporary file is left.
    fs::create_directory(out_.path() / "d.pdf");
    try {
        writeReportPdf(report, out_.path() / "d.pdf");
        ADD_FAILURE() << "written over a folder";
    } catch (const CalcError& e) {
        EXPECT_FALSE(e.description().empty());
    }
    EXPECT_TRUE(fs::is_directory(out_.path() / "d.pdf"));
    EXPECT_EQ(std::distance(fs::directory_iterator(out_.path()), fs::directory_iterator()), 1);
}

TEST_F(ReportPdfTest, ProposedFileNameKeepsTheStudyButNoPath) {
    EXPECT_EQ(dossierFileName("Moulin/Bief : « 2026 »?"), "Moulin_Bief _ « 2026 »_.pdf");
    EXPECT_EQ(dossierFileName(""), "Dossier.pdf");
    EXPECT_EQ(dossierFileName(".."), "Dossier.pdf");
    EXPECT_EQ(dossierFileName("..\\..\\x"), "Dossier.._.._x.pdf");
}

TEST_F(ReportPdfTest, PdfOptionWritesTheWindowAndTheOthersOfItsSteps) {
    std::ostringstream said, errors;
    const fs::path pdf = out_.path() / "cli.pdf";
    const int status =
        runPdf(pdf, folder(), {}, "Essai", {"Formroue", "Command1", "Formbuse:Colebrook"}, {}, said, errors);
    ASSERT_EQ(status, 0) << errors.str();
    EXPECT_NE(said.str().find("(2 fenêtres, "), std::string::npos) << said.str();
    EXPECT_TRUE(fs::is_regular_file(pdf));
    std::ifstream in(pdf, std::ios::binary);
    std::string head(5, '\0');
    in.read(head.data(), 5);
    EXPECT_EQ(head, "%PDF-");

    std::ostringstream said2, errors2;
    EXPECT_EQ(runPdf(out_.path() / "no" / "x.pdf", folder(), {}, "", {"Formroue"}, {}, said2, errors2), 1);
    EXPECT_EQ(errors2.str().rfind("Le dossier PDF n'a pas été écrit : ", 0), 0u) << errors2.str();
    std::ostringstream said3, errors3;
    EXPECT_EQ(runPdf(pdf, folder(), {}, "", {"Nulle"}, {}, said3, errors3), 2);
}

// Answers the next save dialog with a file, or cancels it with an empty one.

// Occurrences of `what` in `text`.
std::size_t countOf(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) ++n;
    return n;
}

TEST_F(ReportPdfTest, ChartIsDrawnWithItsTitleAxesAndLabelsAsText) {
    if (!havePdftotext()) GTEST_SKIP() << "pdftotext (poppler-utils) absent";
    open("DomaineEmploi");
    const Report report = makeReport(session(), {"DomaineEmploi"}, "Graphe");
    ASSERT_EQ(report.windows.size(), 1u);
    ASSERT_EQ(report.windows[0].figures.size(), 1u);
    ASSERT_EQ(report.windows[0].figures[0].kind, ReportFigure::Kind::Chart);
    // The same dossier without the chart: the window's title and the captions of its
    // boxes are there too, so the chart's texts are counted against it.
    Report without = report;
    without.windows[0].figures.clear();
    const fs::path pdf = out_.path() / "graphe.pdf", bare = out_.path() / "sans.pdf";
    writeReportPdf(report, pdf);
    writeReportPdf(without, bare);
    const std::string text = pdfText(pdf), bareText = pdfText(bare);
    EXPECT_NE(text.find(ReportFiguresChartsTitle), std::string::npos) << text;
    const Chart& chart = report.windows[0].figures[0].chart;
    for (const std::string& t : {chart.title, chart.x.caption(), chart.y.caption()})
        EXPECT_EQ(countOf(text, t), countOf(bareText, t) + 1) << t << "\n" << text;
    // The labels written on the power lines and the zones' names are the chart's own.
    for (const char* power : {"1 kW", "1 MW", "10 MW"}) EXPECT_NE(text.find(power), std::string::npos) << power;
    for (const ChartSeries& s : chart.series()) {
        if (s.kind != SeriesKind::Zone) continue;
        EXPECT_NE(text.find(s.name), std::string::npos) << s.name << "\n" << text;
    }
}

TEST_F(ReportPdfTest, SaveDialogChoosesTheFileAndCancelWritesNothing) {
    QtPlatform platform;
    // The save dialog answered in its place, at once: no timer racing the dialog.
    QString answer;
    QStringList asked;
    platform.saveDialog = [&](const QString& title, const QString& proposed, const QString& filter) {
        asked << title << proposed << filter;
        return answer;
    };
    open("Formbuse");
    const Report report = makeReport(session(), {"Formbuse"}, "Conduite");
    EXPECT_FALSE(platform.saveDossier(report));
    EXPECT_EQ(std::distance(fs::directory_iterator(out_.path()), fs::directory_iterator()), 0);
    ASSERT_EQ(asked.size(), 3);
    EXPECT_EQ(asked[0], QStringLiteral("Enregistrer le dossier PDF"));
    EXPECT_TRUE(asked[1].endsWith(QString::fromStdString(dossierFileName("Conduite")))) << asked[1].toStdString();
    EXPECT_EQ(asked[2], QStringLiteral("Documents PDF (*.pdf)"));
    // A name typed without extension gets ".pdf".
    answer = QString::fromStdString((out_.path() / "conduite").string());
    EXPECT_TRUE(platform.saveDossier(report));
    EXPECT_GT(fs::file_size(out_.path() / "conduite.pdf"), 1000u);
}

}  // namespace
}  // namespace aub::test

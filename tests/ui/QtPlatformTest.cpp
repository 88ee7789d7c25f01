// The system side with Qt: help pages, hourglass, printing.
#include <QApplication>
#include <QPrintDialog>
#include <QPrinter>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/CalcError.h"
#include "forms/Form.h"
#include "forms/ScriptedDialogs.h"
#include "forms/Session.h"
#include "forms/WindowCatalog.h"
#include "support/WindowTest.h"
#include "ui/HelpViewer.h"
#include "ui/QtPlatform.h"
#include "ui/UiHost.h"

namespace aub {
namespace {

namespace fs = std::filesystem;

void touch(const fs::path& file) { std::ofstream(file) << "<html><body>page</body></html>"; }

TEST(HelpViewerTest, PageOfAContextThenTheIndexThenTheGivenPage) {
    test::TempFolder app;
    fs::create_directories(app.path() / "Aide");
    touch(app.path() / "Aide" / "12.HTM");
    touch(app.path() / "Aide" / "index.htm");
    touch(app.path() / "pages.htm");
    const std::string given = (app.path() / "pages.htm").string();
    // Names are matched without regard to case.
    EXPECT_EQ(HelpViewer::pageFor(app.path(), given, 12), app.path() / "Aide" / "12.HTM");
    EXPECT_EQ(HelpViewer::pageFor(app.path(), given, 7), app.path() / "Aide" / "index.htm");
    fs::remove(app.path() / "Aide" / "index.htm");
    EXPECT_EQ(HelpViewer::pageFor(app.path(), given, 7), app.path() / "pages.htm");
    EXPECT_TRUE(HelpViewer::pageFor(app.path(), (app.path() / "Aide.chm").string(), 7).empty());
}

TEST(QtPlatformTest, HourglassIsBalanced) {
    {
        QtPlatform platform;
        platform.setBusy(true);
        platform.setBusy(true);
        EXPECT_NE(QApplication::overrideCursor(), nullptr);
        platform.setBusy(false);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        platform.setBusy(false);  // one more "not busy" takes nothing away from anyone else
        platform.setBusy(true);
    }
    // A platform that goes while busy gives the cursor back.
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// Answers the next print dialog, once it is up: cancel, or accept printing to `pdf`.
// (Printing a window lets events run before the dialog opens, so this waits for it.)
void answerPrintDialog(bool accept, const fs::path& pdf = {}) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, accept, pdf] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        timer->stop();
        timer->deleteLater();
        if (!accept) {
            dialog->reject();
            return;
        }
        dialog->printer()->setOutputFormat(QPrinter::PdfFormat);
        dialog->printer()->setOutputFileName(QString::fromStdString(pdf.string()));
        dialog->done(QDialog::Accepted);
    });
    timer->start(5);
}

class PrintingTest : public ::testing::Test {
protected:
    void SetUp() override {
        catalog_.add("Probe", [](Session& s) {
            auto f = std::make_unique<Form>(s, "Probe", "Essai");
            f->label("Label1", -1, "Puissance : 12 kW").at(0, 0);
            return f;
        });
        session_ = std::make_unique<Session>(catalog_, dialogs_, platform_, folder_.path());
        host_ = std::make_unique<UiHost>(*session_);
        host_->setEndsApplication(false);
        platform_.setHost(host_.get());
        session_->setHost(host_.get());
    }
    void TearDown() override {
        session_->setHost(nullptr);
        platform_.setHost(nullptr);
        host_.reset();
        session_.reset();
    }
    WindowCatalog catalog_;
    ScriptedDialogs dialogs_;
    QtPlatform platform_;
    test::TempFolder folder_;
    std::unique_ptr<Session> session_;
    std::unique_ptr<UiHost> host_;
};

TEST_F(PrintingTest, CancelledPrintDialogIsNoError) {
    Form& form = session_->load("Probe");
    answerPrintDialog(false);
    EXPECT_NO_THROW(platform_.printForm(form));
    // A text document cancelled at its first line: its other lines go nowhere, asking nothing.
    answerPrintDialog(false);
    EXPECT_NO_THROW(platform_.printerSetup());
    EXPECT_NO_THROW(platform_.printText(0, 0, "Roue au dessus"));
    EXPECT_NO_THROW(platform_.printText(0, 720, "Diamètre 4.2 m"));
    EXPECT_NO_THROW(platform_.endPrintDocument());
    // The next document asks again.
    const fs::path pdf = folder_.path() / "apres.pdf";
    answerPrintDialog(true, pdf);
    platform_.printText(0, 0, "Roue au dessus");
    platform_.endPrintDocument();
    EXPECT_GT(fs::file_size(pdf), 0u);
}

TEST_F(PrintingTest, ShippedPagesAndTextsOpenInTheProgramsOwnViewer) {
    const fs::path page = folder_.path() / "Nmanning.htm";
    const fs::path text = folder_.path() / "notes.txt";
    {
        std::ofstream(page) << "<html><body><p>Coefficients de Manning</p></body></html>";
        std::ofstream(text) << "Débit 2 m3/s";
    }
    platform_.openWebPage(page.string());
    ASSERT_NE(platform_.helpViewer(), nullptr);
    EXPECT_TRUE(platform_.helpViewer()->isVisible());
    EXPECT_TRUE(platform_.helpViewer()->shownSource().endsWith("Nmanning.htm"));
    platform_.openTextFile(text.string());
    EXPECT_EQ(platform_.helpViewer()->windowTitle(), "notes.txt");
    EXPECT_THROW(platform_.openWebPage((folder_.path() / "absent.htm").string()), CalcError);
}

TEST_F(PrintingTest, WindowAndTextGoToThePdfChosen) {
    Form& form = session_->load("Probe");
    const fs::path windowPdf = folder_.path() / "fenetre.pdf";
    answerPrintDialog(true, windowPdf);
    platform_.printForm(form);
    EXPECT_GT(fs::file_size(windowPdf), 0u);

    const fs::path textPdf = folder_.path() / "texte.pdf";
    answerPrintDialog(true, textPdf);
    platform_.printerSetup();
    platform_.printText(0, 0, "Roue au dessus");
    platform_.printText(1440, 720, "Diamètre 4.2 m");  // asks nothing more
    platform_.endPrintDocument();
    EXPECT_GT(fs::file_size(textPdf), 0u);
}

}  // namespace
}  // namespace aub

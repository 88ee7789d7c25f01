// The program's own windows on screen: start-up, capture, real dialogs.
#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <sstream>

#include "app/Windows.h"
#include "forms/Form.h"
#include "forms/RecordingPlatform.h"
#include "forms/ScriptedDialogs.h"
#include "forms/Session.h"
#include "forms/WindowCatalog.h"
#include "support/WindowTest.h"
#include "ui/Capture.h"
#include "ui/FormView.h"
#include "ui/QtDialogs.h"
#include "ui/UiHost.h"

namespace aub {
namespace {

TEST(Capture, WritesAPictureOfTheTextWindow) {
    test::TempFolder out;
    test::TempFolder folder;
    CaptureRequest request;
    request.outDir = out.path() / "images";
    request.folder = folder.path();
    request.window = "Formhlp";
    std::ostringstream said, errors;
    EXPECT_EQ(runCapture(request, {}, said, errors), 0) << errors.str();
    QImage image(QString::fromStdString((request.outDir / "Formhlp.png").string()));
    ASSERT_FALSE(image.isNull()) << said.str();
    // The 9000 x 6000 twips box and the menu bar.
    EXPECT_GE(image.width(), 600);
    EXPECT_GE(image.height(), 400);
    EXPECT_NE(said.str().find("Formhlp.png"), std::string::npos);
}

TEST(Capture, UnknownWindowIsRefused) {
    test::TempFolder out;
    CaptureRequest request;
    request.outDir = out.path();
    request.folder = out.path() / "prog";
    request.window = "Fenetreinconnue";
    std::ostringstream said, errors;
    EXPECT_EQ(runCapture(request, {}, said, errors), 2);
}

// Start-up as the program does it: the title window, then a click anywhere gives
// the main window. The title window goes inside its own click.
TEST(Startup, ClickOnTheTitleWindowOpensTheMainWindow) {
    test::TempFolder folder;
    // A program folder as the program finds it: seeded with the delivered data.
    std::filesystem::copy(test::dataSource(), folder.path(), std::filesystem::copy_options::recursive);
    WindowCatalog catalog;
    registerAllWindows(catalog);
    ScriptedDialogs dialogs;
    RecordingPlatform platform;
    Session session(catalog, dialogs, platform, folder.path());
    UiHost host(session);
    host.setEndsApplication(false);
    session.setHost(&host);
    host.dispatch(nullptr, [&] { session.open("Frmdepart"); });
    Form* start = session.loaded("Frmdepart");
    ASSERT_NE(start, nullptr);
    FormView* view = host.view(*start);
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view));

    QTest::mouseClick(view->widgetOf(start->ctl("Image1")), Qt::LeftButton);
    EXPECT_EQ(session.loaded("Frmdepart"), nullptr);
    Form* main = session.loaded("Formmain");
    ASSERT_NE(main, nullptr);
    ASSERT_NE(host.view(*main), nullptr);
    EXPECT_TRUE(host.view(*main)->isVisible());

    // The main window's close box is refused with its message.
    EXPECT_FALSE(host.view(*main)->close());
    EXPECT_EQ(dialogs.messages(),
              std::vector<std::string>{"Cliquez sur LE MENU (Quitter) pour abandonner le logiciel"});
    EXPECT_TRUE(main->isLoaded());
    session.setHost(nullptr);
}

// The program as main() runs it: the event loop stops when the program ends, by the
// menu or because no window is left on screen.
class RunningProgram : public ::testing::Test {
protected:
    void SetUp() override {
        registerAllWindows(catalog_);
        session_ = std::make_unique<Session>(catalog_, dialogs_, platform_, folder_.path());
        host_ = std::make_unique<UiHost>(*session_);
        session_->setHost(host_.get());
        host_->dispatch(nullptr, [this] { session_->open("Frmdepart"); });
    }
    void TearDown() override {
        session_->setHost(nullptr);
        host_.reset();
        session_.reset();
    }
    // Runs the event loop with `action` as its first event; false when it had to be stopped.
    bool runUntilEnd(std::function<void()> action) {
        QTimer::singleShot(0, std::move(action));
        bool stopped = false;
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [&] {
            stopped = true;
            QApplication::exit(1);
        });
        guard.start(5000);
        int status = QApplication::exec();
        return !stopped && status == 0;
    }
    FormView* viewOf(const char* name) {
        Form* f = session_->loaded(name);
        return f ? host_->view(*f) : nullptr;
    }
    test::TempFolder folder_;
    WindowCatalog catalog_;
    ScriptedDialogs dialogs_;
    RecordingPlatform platform_;
    std::unique_ptr<Session> session_;
    std::unique_ptr<UiHost> host_;
};

TEST_F(RunningProgram, QuitterEndsTheProgram) {
    FormView* start = viewOf("Frmdepart");
    ASSERT_NE(start, nullptr);
    // A click on the window's background starts too.
    QTest::mouseClick(start->client(), Qt::LeftButton, {}, QPoint(2, 2));
    FormView* main = viewOf("Formmain");
    ASSERT_NE(main, nullptr);
    QAction* quit = main->actionOf(session_->loaded("Formmain")->ctl("Quitter"));
    ASSERT_NE(quit, nullptr);
    EXPECT_TRUE(runUntilEnd([quit] { quit->trigger(); }));
    EXPECT_TRUE(session_->ended());
    EXPECT_TRUE(session_->forms().empty());
}

TEST_F(RunningProgram, ClosingTheLastWindowEndsTheProgram) {
    FormView* start = viewOf("Frmdepart");
    ASSERT_NE(start, nullptr);
    EXPECT_TRUE(runUntilEnd([start] { start->close(); }));
    EXPECT_TRUE(session_->ended());
}

// Presses a button of the modal box once it is up.
void answerBoxLater(QMessageBox::StandardButton button) {
    QTimer::singleShot(0, [button] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        box->button(button)->click();
    });
}

TEST(QtDialogsTest, QuestionAnswersYesOnOuiAndNoOnNon) {
    QtDialogs dialogs;
    answerBoxLater(QMessageBox::Yes);
    EXPECT_TRUE(dialogs.question("Enregistrer ?", "Projet"));
    answerBoxLater(QMessageBox::No);
    EXPECT_FALSE(dialogs.question("Enregistrer ?"));
}

TEST(QtDialogsTest, MessageTakesTheRunningWindowsCaptionAsTitle) {
    test::TempFolder folder;
    std::filesystem::copy(test::dataSource(), folder.path(), std::filesystem::copy_options::recursive);
    WindowCatalog catalog;
    registerAllWindows(catalog);
    QtDialogs dialogs;
    RecordingPlatform platform;
    Session session(catalog, dialogs, platform, folder.path());
    UiHost host(session);
    host.setEndsApplication(false);
    dialogs.setHost(&host);
    session.setHost(&host);
    Form& main = session.load("Formmain");
    QString title;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        box->button(QMessageBox::Ok)->click();
    });
    host.dispatch(&main, [&] { dialogs.message("Division par zéro"); });
    EXPECT_EQ(title, "PAGE GENERALE");
    session.setHost(nullptr);
    dialogs.setHost(nullptr);
}

// The width a title takes in a window manager's title bar: bold, 8 pixels either side,
// beside the bar's icon and three buttons of 22 pixels.
int titleBarNeed(const QString& title) {
    QFont bold = QApplication::font();
    bold.setBold(true);
    return QFontMetrics(bold).horizontalAdvance(title) + 16 + 4 * 22;
}

TEST(QtDialogsTest, AShortMessageOrQuestionUnderALongTitleShowsTheWholeTitle) {
    QtDialogs dialogs;
    const std::string title = "EVALUATION D'UNE ROUE EN DESSOUS ELEMENTAIRE";
    int width = 0, needed = 0;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        width = box->width();
        needed = titleBarNeed(box->windowTitle());
        box->button(QMessageBox::Ok)->click();
    });
    dialogs.message("OK ?", title);
    EXPECT_GT(needed, 100);
    EXPECT_GE(width, needed);
    // A prompt for a name under the same title.
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        width = box->width();
        box->reject();
    });
    dialogs.input("Nom", title, "");
    EXPECT_GE(width, needed);
}

TEST(QtDialogsTest, InputGivesTheTextOrNothingWhenCancelled) {
    QtDialogs dialogs;
    QTimer::singleShot(0, [] {
        auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->textValue(), "essai");
        box->setTextValue("roue2");
        box->accept();
    });
    EXPECT_EQ(dialogs.input("Nom du projet", "Enregistrer", "essai"), std::optional<std::string>("roue2"));
    QTimer::singleShot(0, [] {
        auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        box->reject();
    });
    EXPECT_EQ(dialogs.input("Nom du projet", "Enregistrer", "essai"), std::nullopt);
}

}  // namespace
}  // namespace aub

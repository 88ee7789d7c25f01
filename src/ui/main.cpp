// aubelys: the program with its windows.
//   aubelys [--dossier DOSSIER] [FENETRE [ETAPE]...]
//   aubelys --capture DOSSIER_IMAGES [--dossier DOSSIER] [--repondre TEXTE]... [FENETRE [ETAPE]...]
//   aubelys --pdf FICHIER.pdf [--dossier DOSSIER] [--repondre TEXTE]... [--nom-etude TEXTE] FENETRE [ETAPE]...
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>

#include <exception>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/CommandLine.h"
#include "app/Windows.h"
#include "files/AppFolder.h"
#include "files/TextFile.h"
#include "forms/Form.h"
#include "forms/Script.h"
#include "forms/Session.h"
#include "forms/WindowCatalog.h"
#include "ui/Capture.h"
#include "ui/PdfCommand.h"
#include "ui/ProgramIcon.h"
#include "ui/QtDialogs.h"
#include "ui/QtPlatform.h"
#include "ui/UiConvert.h"
#include "ui/UiHost.h"

namespace {

const char* Usage =
    "usage : aubelys [--dossier DOSSIER] [FENETRE [ETAPE]...]\n"
    "        aubelys --capture DOSSIER_IMAGES [--dossier DOSSIER] [--repondre TEXTE]... [FENETRE [ETAPE]...]\n"
    "        aubelys --pdf FICHIER.pdf [--dossier DOSSIER] [--repondre TEXTE]... [--nom-etude TEXTE] FENETRE "
    "[ETAPE]...\n"
    "  --dossier   dossier du programme (projets, textes d'aide)\n"
    "  FENETRE     fenêtre ouverte au départ, ETAPE comme pour aubelys-cli\n"
    "  --capture   écrit une image PNG par fenêtre, sans boîte de dialogue réelle\n"
    "  --repondre  réponse aux questions (oui / non) et aux boîtes de saisie, dans l'ordre\n"
    "  --pdf       écrit, sans écran, le dossier PDF de FENETRE et des autres fenêtres des étapes\n";

// The offscreen and virtual displays of the capture option tell at every window what a
// real display would do with it; that is noise for the person reading the listing.
void quietMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.startsWith(QLatin1String("This plugin does not support"))) return;
    std::cerr << qPrintable(qFormatLogMessage(type, context, text)) << "\n";
}

int runProgram(const std::optional<std::filesystem::path>& folder, const std::vector<std::string>& start) {
    aub::WindowCatalog catalog;
    aub::registerAllWindows(catalog);
    if (!start.empty() && !catalog.has(start[0])) {
        std::cerr << "fenêtre inconnue : " << start[0] << "\n";
        return 2;
    }
    std::filesystem::path appFolder;
    try {
        appFolder =
            aub::resolveAppFolder(folder, aub::pathFromUtf8(aub::fromQ(QCoreApplication::applicationDirPath())));
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, QStringLiteral("Aubelys"),
                              QStringLiteral("Le dossier du programme est inutilisable.\n") + aub::toQ(e.what()));
        return 1;
    }
    aub::QtDialogs dialogs;
    aub::QtPlatform platform;
    aub::Session session(catalog, dialogs, platform, appFolder);
    aub::UiHost host(session);
    dialogs.setHost(&host);
    platform.setHost(&host);
    session.setHost(&host);
    host.setRemembersPlaces(true);
    if (start.empty()) {
        host.dispatch(nullptr, [&] { session.open("Frmdepart"); });
    } else {
        // The main window, then the window asked for, with its steps run as the command
        // line runs them; the person is left on that window.
        host.dispatch(nullptr, [&] {
            session.show("Formmain", false);
            aub::ScriptOutcome outcome = aub::runScript(session, start[0], {start.begin() + 1, start.end()});
            if (outcome.status != 0) std::cerr << outcome.error << "\n";
            const std::string name = catalog.canonical(start[0]);
            if (aub::Form* form = session.loaded(name); form && !form->visible() && !session.ended())
                session.show(name, false);
        });
    }
    int status = session.ended() ? 0 : QApplication::exec();
    session.setHost(nullptr);
    dialogs.setHost(nullptr);
    platform.setHost(nullptr);
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    // The dossier is written without a screen.
    for (int i = 1; i < argc; ++i)
        if (std::string_view(argv[i]).substr(0, 5) == "--pdf" && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Aubelys"));
    QApplication::setOrganizationName(QStringLiteral("Aubelys"));
    // The desktop ties the windows to the menu entry (its desktop file id) and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(AUBELYS_APP_ID));
    QApplication::setWindowIcon(aub::programIcon(QCoreApplication::applicationDirPath()));
    // The program ends through its own menu (or when no window is left), never because
    // a window closed.
    QApplication::setQuitOnLastWindowClosed(false);
    QTranslator translator;
    if (translator.load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&translator);

    std::vector<std::string> args;
    const QStringList list = QApplication::arguments();
    for (qsizetype i = 1; i < list.size(); ++i) args.push_back(aub::fromQ(list[i]));

    static constexpr aub::CommandOption Options[] = {
        {"dossier", true}, {"capture", true}, {"pdf", true}, {"nom-etude", true}, {"repondre", true}};
    const aub::CommandLine line = aub::readCommandLine(args, Options);
    if (!line.error.empty()) {
        std::cerr << line.error << "\n" << Usage;
        return 1;
    }
    if (line.help) {
        std::cout << Usage;
        return 0;
    }
    auto path = [&](const char* name) {
        return line.has(name) ? std::optional(aub::pathFromUtf8(line.value(name))) : std::nullopt;
    };
    const std::optional<std::filesystem::path> folder = path("dossier"), captureDir = path("capture"),
                                               pdfFile = path("pdf");
    const std::string study = line.value("nom-etude");
    const std::vector<std::string>& answers = line.values("repondre");
    const std::vector<std::string>& rest = line.rest;

    if (pdfFile) {
        qInstallMessageHandler(quietMessages);
        if (rest.empty()) {
            std::cerr << Usage;
            return 1;
        }
        return aub::runPdf(*pdfFile, folder, answers, study, rest,
                           aub::pathFromUtf8(aub::fromQ(QCoreApplication::applicationDirPath())), std::cout, std::cerr);
    }
    if (captureDir) {
        qInstallMessageHandler(quietMessages);
        aub::CaptureRequest request;
        request.outDir = *captureDir;
        request.folder = folder;
        request.answers = answers;
        if (!rest.empty()) {
            request.window = rest[0];
            request.steps.assign(rest.begin() + 1, rest.end());
        }
        return aub::runCapture(request, aub::pathFromUtf8(aub::fromQ(QCoreApplication::applicationDirPath())),
                               std::cout, std::cerr);
    }
    if (!answers.empty()) {
        std::cerr << Usage;
        return 1;
    }
    return runProgram(folder, rest);
}

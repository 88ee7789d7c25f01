#include "ui/Capture.h"

#include <QFont>
#include <QPainter>
#include <QPixmap>

#include <exception>

#include "app/Windows.h"
#include "files/AppFolder.h"
#include "files/TextFile.h"
#include "forms/Form.h"
#include "forms/RecordingPlatform.h"
#include "forms/Script.h"
#include "forms/ScriptedDialogs.h"
#include "forms/Session.h"
#include "forms/WindowCatalog.h"
#include "ui/UiConvert.h"
#include "ui/UiHost.h"

namespace aub {

namespace fs = std::filesystem;

namespace {

// The window's picture under a plain title bar with its caption, the way a desktop
// frames it (a grab holds the client side only).
QPixmap framed(const QPixmap& window, const std::string& caption) {
    if (window.isNull()) return window;
    const QSize size = window.deviceIndependentSize().toSize();
    const int bar = 26;
    QPixmap out(size.width() + 2, size.height() + bar + 1);
    out.fill(QColor(0x5a, 0x6e, 0x8c));
    QPainter painter(&out);
    painter.drawPixmap(QRect(1, bar, size.width(), size.height()), window);
    QFont font = painter.font();
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(8, 0, size.width() - 16, bar), Qt::AlignVCenter | Qt::AlignLeft, toQ(caption));
    return out;
}

bool writePicture(UiHost& host, Form& form, const fs::path& outDir, std::ostream& out, std::ostream& err) {
    const fs::path file = outDir / (form.name() + ".png");
    QPixmap picture = framed(host.grab(form), form.caption);
    if (picture.isNull() || !picture.save(toQ(pathToUtf8(file)), "PNG")) {
        err << "image non écrite : " << pathToUtf8(file) << "\n";
        return false;
    }
    out << "écrit : " << pathToUtf8(file) << "\n";
    return true;
}

void listDialogs(const ScriptedDialogs& dialogs, std::ostream& out) {
    for (const DialogRecord& d : dialogs.shown()) {
        out << "  [" << d.kind << "] " << d.text;
        if (d.kind != "message") out << " -> " << (d.answer.empty() ? "(annulé)" : d.answer);
        out << "\n";
    }
}

// One window opened as its menu entry opens it, in a session of its own.
int captureOne(const WindowCatalog& catalog, const std::string& name, const CaptureRequest& request,
               const fs::path& appFolder, std::ostream& out, std::ostream& err) {
    ScriptedDialogs dialogs;
    for (const auto& a : request.answers) dialogs.answer(a);
    RecordingPlatform platform;
    answerFilesFrom(platform, dialogs);
    Session session(catalog, dialogs, platform, appFolder);
    UiHost host(session);
    host.setEndsApplication(false);
    session.setHost(&host);
    int status = 0;
    try {
        session.open(name);
        session.collect();
    } catch (const NoAnswerLeft& e) {
        err << name << " : aucune réponse pour la boîte : " << e.text << "\n";
        status = 3;
    }
    Form* form = session.loaded(name);
    if (!form && !session.ended()) form = &session.load(name);
    if (form && form->isLoaded() && !writePicture(host, *form, request.outDir, out, err)) status = 1;
    listDialogs(dialogs, out);
    session.setHost(nullptr);
    return status;
}

}  // namespace

int runCapture(const CaptureRequest& request, const fs::path& executableDir, std::ostream& out, std::ostream& err) {
    try {
        WindowCatalog catalog;
        registerAllWindows(catalog);
        if (!request.window.empty() && !catalog.has(request.window)) {
            err << "fenêtre inconnue : " << request.window << "\n";
            return 2;
        }
        const fs::path appFolder = resolveAppFolder(request.folder, executableDir);
        std::error_code ec;
        fs::create_directories(request.outDir, ec);
        if (ec) {
            err << "dossier non créé : " << pathToUtf8(request.outDir) << "\n";
            return 1;
        }

        if (request.window.empty()) {
            int status = 0;
            for (const std::string& name : catalog.names()) {
                int one = captureOne(catalog, name, request, appFolder, out, err);
                if (status == 0) status = one;
            }
            return status;
        }

        ScriptedDialogs dialogs;
        for (const auto& a : request.answers) dialogs.answer(a);
        RecordingPlatform platform;
        answerFilesFrom(platform, dialogs);
        Session session(catalog, dialogs, platform, appFolder);
        UiHost host(session);
        host.setEndsApplication(false);
        session.setHost(&host);
        ScriptOutcome outcome = runScript(session, request.window, request.steps);
        int status = outcome.status;
        if (status != 0) err << outcome.error << "\n";
        for (Form* form : session.forms())
            if (!writePicture(host, *form, request.outDir, out, err) && status == 0) status = 1;
        listDialogs(dialogs, out);
        if (session.ended()) out << "fin du programme\n";
        session.setHost(nullptr);
        return status;
    } catch (const std::exception& e) {
        err << "erreur : " << e.what() << "\n";
        return 1;
    }
}

}  // namespace aub

#include "ui/QtPlatform.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLocale>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QUrl>

#include <algorithm>
#include <cstdlib>

#include "core/CalcError.h"
#include "files/TextFile.h"
#include "forms/Form.h"
#include "forms/Session.h"
#include "ui/ChartWidget.h"
#include "ui/FormView.h"
#include "ui/HelpViewer.h"
#include "ui/UiConvert.h"
#include "ui/UiHost.h"

namespace aub {

namespace {

constexpr int PrinterError = 482;
const char* const PrinterErrorText = "Erreur d'imprimante";
constexpr double TwipsPerInch = 1440.0;

[[noreturn]] void printerFailure() { throw CalcError(PrinterError, PrinterErrorText); }

QUrl localFileUrl(const std::string& path) {
    QString p = toQ(path);
    if (!QFileInfo::exists(p)) throw CalcError(ErrFileNotFound);
    return QUrl::fromLocalFile(QFileInfo(p).absoluteFilePath());
}

}  // namespace

QtPlatform::QtPlatform() = default;

QtPlatform::~QtPlatform() {
    if (painter_ && painter_->isActive()) painter_->end();
    if (busy_) QApplication::restoreOverrideCursor();
    delete helpViewer_.data();
}

QWidget* QtPlatform::dialogParent() const { return host_ ? host_->dialogParent() : QApplication::activeWindow(); }

bool QtPlatform::askPrinter(QPrinter& printer, bool& cancelled) const {
    QPrintDialog dialog(&printer, dialogParent());
    dialog.setWindowTitle(QStringLiteral("Imprimer"));
    dialog.setWindowModality(Qt::ApplicationModal);
    cancelled = dialog.exec() != QDialog::Accepted;
    return !cancelled && printer.isValid();
}

void QtPlatform::exportChart(Form& form, const std::string& chartKey, bool csv) {
    const Control* control = form.findKey(chartKey);
    FormView* view = host_ && control ? host_->view(form) : nullptr;
    auto* chart = view ? qobject_cast<ChartWidget*>(view->widgetOf(*control)) : nullptr;
    if (!chart) return;
    if (csv)
        chart->askExportCsv();
    else
        chart->askSavePicture();
}

void QtPlatform::printForm(Form& form) {
    if (!host_) printerFailure();
    // The window as it is on screen, taken before the dialog covers anything.
    host_->refreshAll();
    QPixmap shot = host_->grab(form);
    if (shot.isNull()) printerFailure();
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(toQ(form.caption));
    bool cancelled = false;
    if (!askPrinter(printer, cancelled)) {
        if (cancelled) return;  // the person changed their mind: nothing to report
        printerFailure();
    }
    QPainter painter;
    if (!painter.begin(&printer)) printerFailure();
    // Screen pixels at 96 per inch, made smaller when the window is wider or taller than the page.
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    const double perPixel = printer.resolution() / 96.0;
    QSizeF size(shot.deviceIndependentSize().width() * perPixel, shot.deviceIndependentSize().height() * perPixel);
    if (size.width() > page.width() || size.height() > page.height()) size.scale(page.size(), Qt::KeepAspectRatio);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawPixmap(QRectF(QPointF(0, 0), size), shot, QRectF(shot.rect()));
    if (!painter.end()) printerFailure();
}

bool QtPlatform::openDocument() {
    if (printCancelled_) return false;
    if (painter_ && painter_->isActive()) return true;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setDocName(QStringLiteral("Aubelys"));
    bool cancelled = false;
    if (!askPrinter(*printer, cancelled)) {
        if (!cancelled) printerFailure();
        printCancelled_ = true;
        return false;
    }
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(printer.get())) printerFailure();
    printer_ = std::move(printer);
    painter_ = std::move(painter);
    return true;
}

void QtPlatform::printerSetup() {
    if (!openDocument()) return;
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(12);
    font.setBold(false);
    font.setItalic(false);
    painter_->setFont(font);
    painter_->setPen(Qt::black);
}

void QtPlatform::printText(float x, float y, const std::string& text) {
    if (!painter_ || !painter_->isActive()) printerSetup();
    if (!painter_ || !painter_->isActive()) return;  // cancelled
    const double perTwip = printer_->resolution() / TwipsPerInch;
    const double px = std::clamp(double(x), -1.0e7, 1.0e7) * perTwip;
    const double py = std::clamp(double(y), -1.0e7, 1.0e7) * perTwip;
    // (x, y) is the top-left corner of the line, as the printer's current position.
    const QFontMetricsF metrics(painter_->font(), printer_.get());
    painter_->drawText(QPointF(px, py + metrics.ascent()), toQ(text));
}

void QtPlatform::endPrintDocument() {
    printCancelled_ = false;
    if (!painter_) return;
    const bool ok = !painter_->isActive() || painter_->end();
    painter_.reset();
    printer_.reset();
    if (!ok) printerFailure();
}

void QtPlatform::clearClipboard() { QGuiApplication::clipboard()->clear(); }

void QtPlatform::setClipboard(const std::string& text) { QGuiApplication::clipboard()->setText(toQ(text)); }

std::string QtPlatform::clipboard() const { return fromQ(QGuiApplication::clipboard()->text()); }

HelpViewer& QtPlatform::viewer() {
    // Beside a modal window the viewer must be its child, or the modal window would block it.
    QWidget* modal = QApplication::activeModalWidget();
    if (!helpViewer_)
        helpViewer_ = new HelpViewer(modal);
    else if (helpViewer_->parentWidget() != modal)
        helpViewer_->setParent(modal, helpViewer_->windowFlags());
    return *helpViewer_;
}

void QtPlatform::openWebPage(const std::string& path) {
    const QString p = toQ(path);
    if (p.contains(QLatin1String("://")) || p.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive)) {
        if (!QDesktopServices::openUrl(QUrl(p)))
            throw CalcError(ErrBadCall, "Aucun navigateur web pour ouvrir " + path + " (xdg-open introuvable)");
        return;
    }
    // A page the program ships opens in its own viewer.
    const QUrl url = localFileUrl(path);
    viewer().showPage(pathFromUtf8(fromQ(url.toLocalFile())), {});
}

void QtPlatform::openTextFile(const std::string& path) {
    const QUrl url = localFileUrl(path);
    viewer().showText(toQ(readTextFile(pathFromUtf8(fromQ(url.toLocalFile())))),
                      QFileInfo(url.toLocalFile()).fileName());
}

void QtPlatform::openTextEditor() {
#ifdef Q_OS_WIN
    if (!QProcess::startDetached(QStringLiteral("notepad.exe"), {})) throw CalcError(ErrFileNotFound);
#else
    // A graphical editor on a new empty note: the desktop's own choice for text files
    // first, else a known editor. Terminal editors ($EDITOR) would have no window.
    QTemporaryFile note(QDir::tempPath() + QStringLiteral("/aubelys-note-XXXXXX.txt"));
    note.setAutoRemove(false);
    if (!note.open()) throw CalcError(ErrPathAccess);
    const QString file = note.fileName();
    note.close();
    const bool desktop = !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (desktop && !opener.isEmpty() && QProcess::startDetached(opener, {file})) return;
    for (const char* editor :
         {"gnome-text-editor", "gedit", "mousepad", "kate", "kwrite", "xed", "pluma", "featherpad"}) {
        const QString exe = QStandardPaths::findExecutable(QString::fromLatin1(editor));
        if (!exe.isEmpty() && QProcess::startDetached(exe, {file})) return;
    }
    QFile::remove(file);
    throw CalcError(ErrFileNotFound, "Aucun éditeur de texte trouvé (xdg-open, gedit, mousepad, kate ...)");
#endif
}

void QtPlatform::showHelp(const std::string& helpPath, int context) {
    std::filesystem::path folder = host_ ? host_->session().appFolder() : std::filesystem::path();
    std::filesystem::path page = HelpViewer::pageFor(folder, helpPath, context);
    viewer().showPage(page, QStringLiteral("Page d'aide introuvable (rubrique %1).").arg(context));
}

std::optional<std::string> QtPlatform::chooseFileToOpen(const std::string& title, const std::string& filter) {
    const QString chosen = QFileDialog::getOpenFileName(dialogParent(), toQ(title), QString(), toQ(filter));
    if (chosen.isEmpty()) return std::nullopt;
    return fromQ(chosen);
}

std::optional<std::string> QtPlatform::chooseFileToSave(const std::string& title, const std::string& proposed,
                                                        const std::string& filter) {
    const QString chosen = saveDialog
                               ? saveDialog(toQ(title), toQ(proposed), toQ(filter))
                               : QFileDialog::getSaveFileName(dialogParent(), toQ(title), toQ(proposed), toQ(filter));
    if (chosen.isEmpty()) return std::nullopt;
    return fromQ(chosen);
}

void QtPlatform::setBusy(bool busy) {
    if (busy == busy_) return;
    busy_ = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void QtPlatform::processEvents() {
    // The windows show where the calculation is, then the person may act.
    if (host_) host_->refreshAll();
    QCoreApplication::processEvents();
}

char QtPlatform::decimalSeparator() const {
    const QString point = QLocale::system().decimalPoint();
    return !point.isEmpty() && point.at(0) == QLatin1Char(',') ? ',' : '.';
}

std::string QtPlatform::tempFolder() const {
    QString dir = QDir::toNativeSeparators(QDir::tempPath());
    while (dir.size() > 1 && (dir.endsWith(QLatin1Char('/')) || dir.endsWith(QLatin1Char('\\')))) dir.chop(1);
    return fromQ(dir);
}

}  // namespace aub

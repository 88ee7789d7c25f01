#pragma once
// The system seen from the windows, with Qt: printing (a window as shown, or text
// at positions), the clipboard, web pages and text files, the help viewer, the
// hourglass, the regional decimal separator and the temporary folder.
#include <QPointer>

#include <functional>
#include <memory>

#include "forms/Platform.h"
#include "ui/HelpViewer.h"

class QPainter;
class QPrinter;
class QWidget;

namespace aub {

class UiHost;

class QtPlatform : public Platform {
public:
    QtPlatform();
    ~QtPlatform() override;
    QtPlatform(const QtPlatform&) = delete;
    QtPlatform& operator=(const QtPlatform&) = delete;

    // The host gives the windows to print and is refreshed by processEvents().
    void setHost(UiHost* host) { host_ = host; }

    // Asks the print dialog (printer or PDF file); a cancelled dialog or a printer
    // that cannot be used throws CalcError(482, "Erreur d'imprimante").
    void printForm(Form& form) override;
    void exportChart(Form& form, const std::string& chartKey, bool csv) override;
    // A document opened at the first call (print dialog once per document), Arial 12;
    // positions in twips from the page's top-left corner.
    void printerSetup() override;
    void printText(float x, float y, const std::string& text) override;
    void endPrintDocument() override;

    void clearClipboard() override;
    void setClipboard(const std::string& text) override;
    std::string clipboard() const override;

    // Pages and text files of the program open in its own viewer. A missing file throws
    // CalcError(53); a web address with no program to open it names the program missing.
    void openWebPage(const std::string& path) override;
    void openTextEditor() override;
    void openTextFile(const std::string& path) override;
    void showHelp(const std::string& helpPath, int context) override;

    std::optional<std::string> chooseFileToOpen(const std::string& title, const std::string& filter) override;
    // QFileDialog's save dialog (it asks before replacing a file), or `saveDialog` when set.
    std::optional<std::string> chooseFileToSave(const std::string& title, const std::string& proposed,
                                                const std::string& filter) override;
    // Answers the save dialog in its place (tests: no dialog on screen, no timer): the
    // path chosen, empty to cancel; given the title, the proposed path and the filter.
    std::function<QString(const QString& title, const QString& proposed, const QString& filter)> saveDialog;
    // The system's save dialog, then the PDF (ReportPdf.cpp).
    bool saveDossier(const Report& report) override;
    void setBusy(bool busy) override;  // balanced: repeated calls change nothing
    void processEvents() override;
    bool pacedByClock() const override { return true; }
    char decimalSeparator() const override;
    std::string tempFolder() const override;

    HelpViewer* helpViewer() const { return helpViewer_.data(); }

private:
    QWidget* dialogParent() const;
    // Accepted and usable; a cancelled dialog sets `cancelled` and is no error.
    bool askPrinter(QPrinter& printer, bool& cancelled) const;
    bool openDocument();
    // The program's own viewer, beside the modal window if one is open.
    HelpViewer& viewer();

    UiHost* host_ = nullptr;
    bool busy_ = false;
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> painter_;
    bool printCancelled_ = false;  // the lines of a cancelled document go nowhere
    QPointer<HelpViewer> helpViewer_;
};

}  // namespace aub

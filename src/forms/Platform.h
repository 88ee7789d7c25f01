#pragma once
// Everything a window asks of the system besides dialogs.
#include <optional>
#include <string>

namespace aub {

class Form;
struct Report;

class Platform {
public:
    virtual ~Platform() = default;

    // Prints the window as it is shown. Throws CalcError when no printer can be used
    // or the person cancels the print dialog: CalcError(482, "Erreur d'imprimante").
    virtual void printForm(Form& form) = 0;
    // Text printing at positions: starts a page with the program's font (Arial 12,
    // neither bold nor italic, position 0), then text at (x, y) in printer units
    // (twips), then the end of the document.
    virtual void printerSetup() = 0;
    virtual void printText(float x, float y, const std::string& text) = 0;
    virtual void endPrintDocument() = 0;

    virtual void clearClipboard() = 0;
    virtual void setClipboard(const std::string& text) = 0;
    virtual std::string clipboard() const = 0;

    // Started without waiting.
    virtual void openWebPage(const std::string& path) = 0;
    virtual void openTextEditor() = 0;
    virtual void openTextFile(const std::string& path) = 0;
    // The program's help pages at the topic of a context number (1 is the home page).
    virtual void showHelp(const std::string& helpPath, int context) = 0;

    // The system's dialog for choosing an existing file to read: its path (UTF-8), or
    // nothing when the person cancels. `filter` as "Chroniques (*.csv *.txt);;Tous les fichiers (*)".
    virtual std::optional<std::string> chooseFileToOpen(const std::string& title, const std::string& filter) = 0;

    // The system's dialog for choosing where to save a file: its path (UTF-8), or nothing
    // when the person cancels (or nothing can show the dialog). `proposed` is the path
    // shown first; the dialog itself asks before an existing file is replaced.
    virtual std::optional<std::string> chooseFileToSave(const std::string& title, const std::string& proposed,
                                                        const std::string& filter) {
        (void)title;
        (void)proposed;
        (void)filter;
        return std::nullopt;
    }

    // Lays the dossier out as PDF in a file the person chooses in the system's save
    // dialog, written atomically. False when the person cancels (or nothing can show the
    // dialog); CalcError when the file cannot be written, and no file is left behind.
    virtual bool saveDossier(const Report& report) {
        (void)report;
        return false;
    }

    // The chart control `chartKey` of the window saved as a picture (PNG at least 1600
    // pixels wide, or SVG) or its data as CSV, in a file the person chooses; nothing
    // where no chart is drawn (the command line lists charts instead).
    virtual void exportChart(Form& form, const std::string& chartKey, bool csv) {
        (void)form;
        (void)chartKey;
        (void)csv;
    }

    virtual void setBusy(bool busy) = 0;  // hourglass
    // Lets the windows repaint and answer during a long calculation or a wait.
    virtual void processEvents() = 0;
    // True when a person watches the windows on a screen: long work runs in slices of
    // time, so that the windows keep answering. False for the command line and the tests:
    // slices of a fixed amount of work, so that the same steps give the same results on
    // every machine.
    virtual bool pacedByClock() const { return false; }
    // The regional decimal separator ('.' or ',').
    virtual char decimalSeparator() const = 0;
    // The system's folder for temporary files, ending without separator.
    virtual std::string tempFolder() const = 0;
};

}  // namespace aub

#pragma once
// Dialogs and Platform without a screen: the command line, the capture option and
// the tests use them. Dialogs answer from a queue and record everything shown;
// the platform records every call.
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "forms/Dialogs.h"
#include "forms/Platform.h"

namespace aub {

struct DialogRecord {
    std::string kind;  // "message", "question", "input"
    std::string text;
    std::string title;
    std::string defaultText;
    std::string answer;
    std::vector<std::string> items;  // the entries a list offered (kind "input")
};

// Thrown when a question or an input box finds no answer left. It is not a
// std::exception on purpose: the windows' error trap lets it through to the driver.
struct NoAnswerLeft {
    std::string text;
};

class ScriptedDialogs : public Dialogs {
public:
    using Dialogs::message;
    void message(const std::string& text, const std::string& title) override;
    bool question(const std::string& text, const std::string& title) override;
    std::optional<std::string> input(const std::string& prompt, const std::string& title,
                                     const std::string& defaultText) override;
    // Recorded as an input box whose prompt names the entries, with the entries kept.
    std::optional<std::string> choose(const std::string& prompt, const std::string& title,
                                      const std::vector<std::string>& items, const std::string& defaultItem) override;
    // The platform's file dialog answered from the same queue (kind "file"; "" cancels).
    std::optional<std::string> fileToOpen(const std::string& title, const std::string& filter);
    // The platform's save dialog answered from the same queue (kind "file", the proposed
    // path as default; "" cancels).
    std::optional<std::string> fileToSave(const std::string& title, const std::string& proposed);

    // "oui" / "non" for a question, the text for an input box, "" for Cancel.
    void answer(std::string text) { answers_.push_back(std::move(text)); }
    std::size_t answersLeft() const { return answers_.size(); }
    const std::vector<DialogRecord>& shown() const { return shown_; }
    std::vector<std::string> messages() const;  // texts of the message boxes only
    void clearShown() { shown_.clear(); }

private:
    std::string take(const DialogRecord& pending);
    std::deque<std::string> answers_;
    std::vector<DialogRecord> shown_;
    std::vector<std::string> pendingItems_;  // the entries of the list being chosen from
};

class RecordingPlatform : public Platform {
public:
    void printForm(Form& form) override;
    void printerSetup() override { calls.push_back("printerSetup"); }
    void printText(float x, float y, const std::string& text) override;
    void endPrintDocument() override { calls.push_back("endPrintDocument"); }
    void clearClipboard() override {
        clipboard_.clear();
        calls.push_back("clearClipboard");
    }
    void setClipboard(const std::string& text) override {
        clipboard_ = text;
        calls.push_back("setClipboard");
    }
    std::string clipboard() const override { return clipboard_; }
    void openWebPage(const std::string& path) override { calls.push_back("openWebPage " + path); }
    void openTextEditor() override { calls.push_back("openTextEditor"); }
    void openTextFile(const std::string& path) override { calls.push_back("openTextFile " + path); }
    void showHelp(const std::string& helpPath, int context) override;
    // Records the call and asks `fileChooser` (the command line and the tests answer it
    // from their dialogs' queue); without one the dialog is cancelled.
    std::optional<std::string> chooseFileToOpen(const std::string& title, const std::string& filter) override;
    std::function<std::optional<std::string>(const std::string& title, const std::string& filter)> fileChooser;
    // Records the call and asks `fileSaver` (answered like `fileChooser`); none: cancelled.
    std::optional<std::string> chooseFileToSave(const std::string& title, const std::string& proposed,
                                                const std::string& filter) override;
    std::function<std::optional<std::string>(const std::string& title, const std::string& proposed)> fileSaver;
    // Records "saveDossier" with the study and the windows; the last report is kept.
    bool saveDossier(const Report& report) override;
    void setBusy(bool busy) override {
        busy_ = busy;
        calls.push_back(busy ? "busy" : "notBusy");
    }
    bool busy() const { return busy_; }
    void processEvents() override {}
    char decimalSeparator() const override { return separator; }
    std::string tempFolder() const override;

    char separator = '.';
    // The folder tempFolder() gives; the system's temporary folder when empty.
    std::string temporaryFolder;
    bool printerAvailable = true;
    // Called with the window being printed, to look at it as the printer sees it.
    std::function<void(Form&)> onPrint;
    std::vector<std::string> calls;
    std::vector<std::string> printed;  // the lines given to printText
    std::shared_ptr<const Report> dossier;

private:
    std::string clipboard_;
    bool busy_ = false;
};

// The platform's file dialog answered from the dialogs' queue, as the command line does.
void answerFilesFrom(RecordingPlatform& platform, ScriptedDialogs& dialogs);

}  // namespace aub

#pragma once
// A platform without a screen for the command line, the capture option and the tests:
// it records every call.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "forms/Platform.h"

namespace aub {

class ScriptedDialogs;

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

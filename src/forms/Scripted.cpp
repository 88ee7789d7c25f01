#include "forms/Scripted.h"

#include <filesystem>

#include "core/CalcError.h"
#include "forms/Form.h"
#include "forms/Report.h"

namespace aub {

void ScriptedDialogs::message(const std::string& text, const std::string& title) {
    shown_.push_back({"message", text, title, "", "", {}});
}

std::string ScriptedDialogs::take(const DialogRecord& pending) {
    shown_.push_back(pending);
    if (shown_.back().items.empty()) shown_.back().items = std::move(pendingItems_);
    pendingItems_.clear();
    if (answers_.empty()) throw NoAnswerLeft{pending.text};
    std::string a = answers_.front();
    answers_.pop_front();
    shown_.back().answer = a;
    return a;
}

bool ScriptedDialogs::question(const std::string& text, const std::string& title) {
    std::string a = take({"question", text, title, "", "", {}});
    return a == "oui" || a == "OUI" || a == "Oui" || a == "o" || a == "yes";
}

std::optional<std::string> ScriptedDialogs::input(const std::string& prompt, const std::string& title,
                                                  const std::string& defaultText) {
    std::string a = take({"input", prompt, title, defaultText, "", {}});
    if (a.empty()) return std::nullopt;
    return a;
}

std::optional<std::string> ScriptedDialogs::choose(const std::string& prompt, const std::string& title,
                                                   const std::vector<std::string>& items,
                                                   const std::string& defaultItem) {
    // The input box (as a subclass answers it), its record keeping the entries.
    pendingItems_ = items;
    auto a = input(namingPrompt(prompt, items), title, defaultItem);
    pendingItems_.clear();
    return a;
}

std::optional<std::string> ScriptedDialogs::fileToOpen(const std::string& title, const std::string& filter) {
    std::string a = take({"file", title, filter, "", "", {}});
    if (a.empty()) return std::nullopt;
    return a;
}

std::optional<std::string> ScriptedDialogs::fileToSave(const std::string& title, const std::string& proposed) {
    std::string a = take({"file", title, "", proposed, "", {}});
    if (a.empty()) return std::nullopt;
    return a;
}

std::optional<std::string> RecordingPlatform::chooseFileToSave(const std::string& title, const std::string& proposed,
                                                               const std::string& filter) {
    (void)filter;
    calls.push_back("chooseFileToSave " + title);
    if (!fileSaver) return std::nullopt;
    return fileSaver(title, proposed);
}

std::optional<std::string> RecordingPlatform::chooseFileToOpen(const std::string& title, const std::string& filter) {
    calls.push_back("chooseFileToOpen " + title);
    if (!fileChooser) return std::nullopt;
    return fileChooser(title, filter);
}

void answerFilesFrom(RecordingPlatform& platform, ScriptedDialogs& dialogs) {
    platform.fileChooser = [&dialogs](const std::string& title, const std::string& filter) {
        return dialogs.fileToOpen(title, filter);
    };
    platform.fileSaver = [&dialogs](const std::string& title, const std::string& proposed) {
        return dialogs.fileToSave(title, proposed);
    };
}

std::vector<std::string> ScriptedDialogs::messages() const {
    std::vector<std::string> out;
    for (const auto& d : shown_)
        if (d.kind == "message") out.push_back(d.text);
    return out;
}

void RecordingPlatform::printForm(Form& form) {
    if (!printerAvailable) throw CalcError(482, "Erreur d'imprimante");
    if (onPrint) onPrint(form);
    calls.push_back("printForm " + form.name());
}

void RecordingPlatform::printText(float x, float y, const std::string& text) {
    (void)x;
    (void)y;
    printed.push_back(text);
    calls.push_back("printText");
}

bool RecordingPlatform::saveDossier(const Report& report) {
    std::string call = "saveDossier " + report.study;
    for (const auto& w : report.windows) call += " " + w.window;
    calls.push_back(call);
    dossier = std::make_shared<const Report>(report);
    return true;
}

void RecordingPlatform::showHelp(const std::string& helpPath, int context) {
    calls.push_back("showHelp " + helpPath + " " + std::to_string(context));
}

std::string RecordingPlatform::tempFolder() const {
    return temporaryFolder.empty() ? std::filesystem::temp_directory_path().string() : temporaryFolder;
}

}  // namespace aub

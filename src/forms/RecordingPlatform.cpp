#include "forms/RecordingPlatform.h"

#include <filesystem>

#include "core/CalcError.h"
#include "forms/Form.h"
#include "forms/Report.h"
#include "forms/ScriptedDialogs.h"

namespace aub {

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

#include "ui/PdfCommand.h"

#include <exception>

#include "app/Dossier.h"
#include "app/Windows.h"
#include "core/CalcError.h"
#include "files/AppFolder.h"
#include "forms/RecordingPlatform.h"
#include "forms/Script.h"
#include "forms/ScriptedDialogs.h"
#include "forms/Session.h"
#include "forms/WindowCatalog.h"
#include "ui/ReportPdf.h"

namespace aub {

int runPdf(const std::filesystem::path& target, const std::optional<std::filesystem::path>& folder,
           const std::vector<std::string>& answers, const std::string& study, const std::vector<std::string>& command,
           const std::filesystem::path& executableDir, std::ostream& out, std::ostream& err) {
    try {
        WindowCatalog catalog;
        registerAllWindows(catalog);
        if (command.empty() || !catalog.has(command[0])) {
            err << "fenêtre inconnue : " << (command.empty() ? std::string() : command[0]) << "\n";
            return 2;
        }
        const std::filesystem::path app = resolveAppFolder(folder, executableDir);
        ScriptedDialogs dialogs;
        for (const auto& a : answers) dialogs.answer(a);
        RecordingPlatform platform;
        Session session(catalog, dialogs, platform, app);
        const std::vector<std::string> steps(command.begin() + 1, command.end());
        const ScriptOutcome outcome = runScript(session, command[0], steps);
        if (outcome.status != 0) {
            err << outcome.error << "\n";
            return outcome.status;
        }
        const Report report = makeReport(session, reportedWindows(catalog, command[0], steps), study);
        const int pages = writeReportPdf(report, target);
        const std::u8string name = target.u8string();
        out << "Dossier écrit : " << std::string(name.begin(), name.end()) << " (" << report.windows.size()
            << (report.windows.size() > 1 ? " fenêtres, " : " fenêtre, ") << pages << (pages > 1 ? " pages)" : " page)")
            << "\n";
        return 0;
    } catch (const CalcError& e) {
        err << "Le dossier PDF n'a pas été écrit : " << e.description() << "\n";
        return 1;
    } catch (const std::exception& e) {
        err << "erreur : " << e.what() << "\n";
        return 1;
    }
}

}  // namespace aub

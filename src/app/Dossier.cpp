#include "app/Dossier.h"

#include <algorithm>

#include "app/Formmain.h"
#include "core/CalcError.h"
#include "core/NumberText.h"
#include "forms/Dialogs.h"
#include "forms/DossierEntry.h"
#include "forms/Form.h"
#include "forms/Platform.h"
#include "forms/Session.h"
#include "forms/WindowCatalog.h"

namespace aub {

std::string programVersionText() {
    return "Aubelys  version " + std::to_string(Formmain::VersionMajor) + "." + std::to_string(Formmain::VersionMinor);
}

std::vector<std::string> reportedWindows(const WindowCatalog& catalog, const std::string& window,
                                         const std::vector<std::string>& steps) {
    std::vector<std::string> out;
    auto addOnce = [&](const std::string& name) {
        const std::string n = catalog.canonical(name);
        if (!n.empty() && std::find(out.begin(), out.end(), n) == out.end()) out.push_back(n);
    };
    addOnce(window);
    for (const auto& step : steps) {
        // The same reading as the step runner: AUTRE:ETAPE before any "=".
        const auto colon = step.find(':');
        const auto equal = step.find('=');
        if (colon == std::string::npos || (equal != std::string::npos && equal < colon)) continue;
        const std::string other = step.substr(0, colon);
        if (catalog.has(other)) addOnce(other);
    }
    return out;
}

Report makeReport(Session& session, const std::vector<std::string>& windows, std::string study) {
    Report report;
    report.program = programVersionText();
    report.study = std::move(study);
    report.date = reportDate();
    std::vector<std::string> done;
    for (const auto& name : windows) {
        Form* f = session.loaded(name);
        if (!f || !f->isLoaded()) continue;
        for (auto& r : reportsWithCompanions(session, *f)) {
            if (std::find(done.begin(), done.end(), r.window) != done.end()) continue;
            done.push_back(r.window);
            report.windows.push_back(std::move(r));
        }
    }
    report.site = siteLines(session.shared(), report.windows);
    return report;
}

void addWindowToDossier(Form& main) { addReportsToDossier(main, lastWindowReports(main.session())); }

void writeDossierPdf(Form& main) {
    Session& session = main.session();
    std::vector<WindowReport> windows = session.dossier;
    if (windows.empty()) {
        windows = lastWindowReports(session);
        if (windows.empty()) {
            main.dialogs().message(NoWindowText);
            return;
        }
    }
    auto study = main.dialogs().input(
        dossierSummary(windows) + "\nNom de l'étude (en tête et au pied de chaque page) :", "Dossier PDF",
        session.dossierStudy);
    if (!study) return;
    session.dossierStudy = trim(*study);
    Report report;
    report.program = programVersionText();
    report.study = session.dossierStudy;
    report.date = reportDate();
    report.site = siteLines(session.shared(), windows);
    report.windows = std::move(windows);
    try {
        if (main.platform().saveDossier(report)) session.dossier.clear();
    } catch (const CalcError& e) {
        main.dialogs().message("Le dossier PDF n'a pas été écrit : " + e.description());
    }
}

}  // namespace aub

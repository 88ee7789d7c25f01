#include "app/Dossier.h"

#include <algorithm>

#include "app/Formmain.h"
#include "core/CalcError.h"
#include "core/NumberText.h"
#include "forms/Dialogs.h"
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

namespace {

// A window and, after it, the windows it showed that are still loaded and calculate
// nothing of their own (its drawings, graphs and complementary data).
std::vector<Form*> withCompanions(Session& session, Form& window) {
    std::vector<Form*> out{&window};
    for (Form* f : session.forms())
        if (f != &window && f->isLoaded() && session.openerOf(f->name()) == window.name() && !isCalculationWindow(*f))
            out.push_back(f);
    return out;
}

std::vector<WindowReport> reportsOf(Session& session, Form& window) {
    std::vector<WindowReport> out;
    for (Form* f : withCompanions(session, window)) out.push_back(buildWindowReport(*f));
    return out;
}

}  // namespace

Report makeReport(Session& session, const std::vector<std::string>& windows, std::string study) {
    Report report;
    report.program = programVersionText();
    report.study = std::move(study);
    report.date = reportDate();
    std::vector<Form*> done;
    for (const auto& name : windows) {
        Form* f = session.loaded(name);
        if (!f || !f->isLoaded()) continue;
        for (Form* w : withCompanions(session, *f)) {
            if (std::find(done.begin(), done.end(), w) != done.end()) continue;
            done.push_back(w);
            report.windows.push_back(buildWindowReport(*w));
        }
    }
    return report;
}

namespace {

constexpr const char* NoWindowText = "Aucune fenêtre de calcul n'est ouverte : ouvrez-en une et faites le calcul.";

Form* lastCalculationWindow(Session& session) {
    const std::string& name = session.lastCalculationWindow();
    if (name.empty()) return nullptr;
    Form* f = session.loaded(name);
    return f && f->isLoaded() ? f : nullptr;
}

}  // namespace

void addWindowToDossier(Form& main) {
    Session& session = main.session();
    Form* window = lastCalculationWindow(session);
    if (!window) {
        main.dialogs().message(NoWindowText);
        return;
    }
    for (auto& r : reportsOf(session, *window)) session.dossier.push_back(std::move(r));
    const std::size_t n = session.dossier.size();
    main.dialogs().message("« " + trim(window->caption) + " » est ajoutée au dossier (" + std::to_string(n) +
                           (n > 1 ? " fenêtres)." : " fenêtre)."));
}

void writeDossierPdf(Form& main) {
    Session& session = main.session();
    std::vector<WindowReport> windows = session.dossier;
    if (windows.empty()) {
        Form* window = lastCalculationWindow(session);
        if (!window) {
            main.dialogs().message(NoWindowText);
            return;
        }
        windows = reportsOf(session, *window);
    }
    auto study = main.dialogs().input("Nom de l'étude (en tête et au pied de chaque page) :", "Dossier PDF",
                                      session.dossierStudy);
    if (!study) return;
    session.dossierStudy = trim(*study);
    Report report;
    report.program = programVersionText();
    report.study = session.dossierStudy;
    report.date = reportDate();
    report.windows = std::move(windows);
    try {
        if (main.platform().saveDossier(report)) session.dossier.clear();
    } catch (const CalcError& e) {
        main.dialogs().message("Le dossier PDF n'a pas été écrit : " + e.description());
    }
}

}  // namespace aub

#include "forms/DossierEntry.h"

#include <algorithm>
#include <cctype>

#include "core/NumberText.h"
#include "forms/Dialogs.h"
#include "forms/Form.h"
#include "forms/Session.h"

namespace aub {

namespace {

// A menu caption in lower case, without "&" and surrounding blanks.
std::string plainCaption(const std::string& caption) {
    std::string out;
    for (char ch : trim(caption))
        if (ch != '&') out += static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return out;
}

// The first menu of the bar whose caption starts with `start` and that opens a list of entries.
Control* barMenu(Form& window, const std::string& start) {
    for (Control* m : window.menuChildren(""))
        if (plainCaption(m->caption).rfind(start, 0) == 0 && !window.menuChildren(m->name()).empty()) return m;
    return nullptr;
}

}  // namespace

void addDossierEntry(Form& window) {
    if (window.find(DossierEntryName)) return;
    Control* parent = barMenu(window, "impr");
    if (!parent) parent = barMenu(window, "fich");
    std::string parentName;
    if (parent) {
        parentName = parent->name();
    } else {
        parentName = "Dossiermenu";
        window.menu(parentName, "&Dossier");
    }
    window.menu(DossierEntryName, DossierEntryCaption, parentName);
    window.on(DossierEntryName, EventKind::Click,
              [&window](int) { addReportsToDossier(window, reportsWithCompanions(window.session(), window)); });
}

std::vector<WindowReport> reportsWithCompanions(Session& session, Form& window) {
    std::vector<WindowReport> out{buildWindowReport(window)};
    for (Form* f : session.forms())
        if (f != &window && f->isLoaded() && session.openerOf(f->name()) == window.name() && !isCalculationWindow(*f))
            out.push_back(buildWindowReport(*f));
    return out;
}

std::vector<WindowReport> lastWindowReports(Session& session) {
    const std::string& name = session.lastCalculationWindow();
    if (name.empty()) return {};
    if (Form* f = session.loaded(name); f && f->isLoaded()) return reportsWithCompanions(session, *f);
    const auto& kept = session.closedReports();
    if (!kept.empty() && kept.front().window == name) return kept;
    return {};
}

void addReportsToDossier(Form& speaker, std::vector<WindowReport> reports) {
    if (reports.empty()) {
        speaker.dialogs().message(NoWindowText);
        return;
    }
    Session& session = speaker.session();
    const std::string added = reports.front().section;
    for (auto& r : reports) session.dossier.push_back(std::move(r));
    speaker.dialogs().message("« " + added + " » est ajoutée au dossier.\n" + dossierSummary(session.dossier));
}

}  // namespace aub

#include "cli/CliMain.h"

#include <exception>
#include <optional>

#include "app/Dossier.h"
#include "app/Windows.h"
#include "files/AppFolder.h"
#include "forms/Chart.h"
#include "forms/Form.h"
#include "forms/Script.h"
#include "forms/Scripted.h"
#include "forms/Session.h"
#include "forms/WindowCatalog.h"

namespace aub {

namespace {

const char* Usage =
    "usage : aubelys-cli [--dossier DOSSIER] [--json] [--virgule] [--repondre TEXTE]... [--csv FENETRE:CONTROLE]\n"
    "                    [--rapport [--nom-etude TEXTE]] FENETRE [ETAPE]...\n"
    "  FENETRE   nom d'une fenêtre (Formmain, Formhlp ...), ouverte comme par son menu\n"
    "  ETAPE     NOM(I)=TEXTE, NOM=TEXTE, NOM(I), NOM, \"Menu/Entrée\", AUTRE:ETAPE, Form\n"
    "  --repondre  réponse aux questions (oui / non) et aux boîtes de saisie, dans l'ordre\n"
    "  --virgule   réglages régionaux à virgule décimale\n"
    "  --csv       après les étapes, écrit l'export CSV du graphique CONTROLE de la fenêtre FENETRE\n"
    "  --rapport   après les étapes, le dossier (texte) de FENETRE et des autres fenêtres des étapes\n"
    "  --nom-etude TEXTE  nom de l'étude inscrit en tête du dossier\n";

// `--csv FENETRE:CONTROLE`: the chart's CSV export, exactly as the view saves it.
int printChartCsv(Session& session, const std::string& target, char separator, std::ostream& out,
                  std::ostream& err) {
    const auto colon = target.find(':');
    const std::string window = colon == std::string::npos ? "" : target.substr(0, colon);
    const std::string control = colon == std::string::npos ? "" : target.substr(colon + 1);
    Form* form = window.empty() ? nullptr : session.loaded(session.catalog().canonical(window));
    if (!form) {
        err << "--csv : fenêtre non chargée : " << (window.empty() ? target : window) << "\n";
        return 2;
    }
    Control* c = form->findKey(control);
    if (!c || c->kind() != ControlKind::Chart) {
        err << "--csv : pas de graphique " << control << " dans " << form->name() << "\n";
        return 2;
    }
    out << chartCsv(c->chart, separator);
    return 0;
}

}  // namespace

int cliMain(const std::vector<std::string>& args, const std::string& executableDir, std::ostream& out,
            std::ostream& err) {
    std::optional<std::filesystem::path> folder;
    bool json = false;
    bool comma = false;
    bool report = false;
    std::string study;
    std::vector<std::string> answers;
    std::string csvTarget;
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--dossier" && i + 1 < args.size()) {
            folder = std::filesystem::path(args[++i]);
        } else if (a == "--json") {
            json = true;
        } else if (a == "--virgule") {
            comma = true;
        } else if (a == "--csv" && i + 1 < args.size()) {
            csvTarget = args[++i];
        } else if (a == "--rapport") {
            report = true;
        } else if (a == "--nom-etude" && i + 1 < args.size()) {
            study = args[++i];
        } else if (a == "--repondre" && i + 1 < args.size()) {
            answers.push_back(args[++i]);
        } else if (a == "--aide" || a == "--help" || a == "-h") {
            out << Usage;
            return 0;
        } else if (a.rfind("--", 0) == 0) {
            err << "option inconnue : " << a << "\n" << Usage;
            return 1;
        } else {
            // The window's name: it and every word after it are the steps, options or not.
            rest.assign(args.begin() + static_cast<std::ptrdiff_t>(i), args.end());
            break;
        }
    }
    if (rest.empty()) {
        err << Usage;
        return 1;
    }
    try {
        WindowCatalog catalog;
        registerAllWindows(catalog);
        if (!catalog.has(rest[0])) {
            err << "fenêtre inconnue : " << rest[0] << "\nfenêtres :";
            for (const auto& n : catalog.names()) err << " " << n;
            err << "\n";
            return 2;
        }
        std::filesystem::path app = resolveAppFolder(folder, executableDir);
        ScriptedDialogs dialogs;
        for (auto& a : answers) dialogs.answer(a);
        RecordingPlatform platform;
        platform.separator = comma ? ',' : '.';
        answerFilesFrom(platform, dialogs);
        Session session(catalog, dialogs, platform, app);
        ScriptOutcome outcome = runScript(session, rest[0], {rest.begin() + 1, rest.end()});
        if (outcome.status == 0 && !csvTarget.empty())
            return printChartCsv(session, csvTarget, platform.separator, out, err);
        if (report) {
            const auto windows = reportedWindows(catalog, rest[0], {rest.begin() + 1, rest.end()});
            out << reportText(makeReport(session, windows, study));
        } else {
            out << (json ? listingJson(session, dialogs) + "\n" : listingText(session, dialogs));
        }
        if (outcome.status != 0) err << outcome.error << "\n";
        return outcome.status;
    } catch (const std::exception& e) {
        err << "erreur : " << e.what() << "\n";
        return 1;
    }
}

}  // namespace aub

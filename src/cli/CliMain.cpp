#include "cli/CliMain.h"

#include <cmath>
#include <exception>
#include <optional>

#include "app/CommandLine.h"
#include "app/Dossier.h"
#include "app/Windows.h"
#include "core/NumberText.h"
#include "files/AppFolder.h"
#include "forms/Chart.h"
#include "forms/Form.h"
#include "forms/RecordingPlatform.h"
#include "forms/Script.h"
#include "forms/ScriptedDialogs.h"
#include "forms/Session.h"
#include "forms/WindowCatalog.h"
#include "study/Study.h"

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
    "  --nom-etude TEXTE  nom de l'étude inscrit en tête du dossier\n"
    "étude paramétrique :\n"
    "  aubelys-cli --etude \"PARAMETRE=DE:A:N[:geo]\" [--etude2 \"PARAMETRE=V1;V2;...\"] --suivre RESULTAT...\n"
    "              FENETRE [ETAPE]... ACTION\n"
    "  les étapes fixent le point de départ, ACTION est l'étape qui calcule ; le calcul est refait\n"
    "  pour N valeurs de DE à A (progression géométrique avec :geo), pour chaque valeur du second\n"
    "  paramètre (6 au plus) ; PARAMETRE et RESULTAT : nom de la case (Valbox(4)) ou son libellé ;\n"
    "  le tableau s'écrit en CSV (;), ou en JSON avec --json ; une demande fautive sort en statut 4\n";

// Exit status of a study request that cannot run (bad range, not an input ...).
constexpr int BadStudy = 4;

struct StudyOptions {
    std::string sweep;   // "PARAMETRE=DE:A:N[:geo]"
    std::string second;  // "PARAMETRE=V1;V2;..."
    std::vector<std::string> followed;
    bool any() const { return !sweep.empty() || !second.empty() || !followed.empty(); }
};

std::string withoutAmpersand(std::string_view s) {
    std::string out;
    for (char c : s)
        if (c != '&') out += c;
    return trim(out);
}

// The same step: equal texts, or a control's key and its caption.
bool sameAction(Form* form, const std::string& a, const std::string& b) {
    if (equalsNoCase(withoutAmpersand(a), withoutAmpersand(b))) return true;
    if (!form) return false;
    for (const auto& [key, caption] : {std::pair{a, b}, std::pair{b, a}}) {
        Control* c = form->findKey(trim(key));
        if (c && equalsNoCase(withoutAmpersand(c->caption), withoutAmpersand(caption))) return true;
    }
    return false;
}

// "PARAMETRE=DE:A:N[:geo]" into the request; the French message when it is not that.
std::string parseSweep(const std::string& text, StudyRequest& request) {
    std::string form = "--etude : écrivez PARAMETRE=DE:A:N (ou PARAMETRE=DE:A:N:geo)";
    const auto equal = text.rfind('=');
    if (equal == std::string::npos || equal == 0) return form;
    request.parameter = trim(text.substr(0, equal));
    std::vector<std::string> fields;
    std::size_t start = equal + 1;
    while (true) {
        const auto colon = text.find(':', start);
        fields.push_back(trim(text.substr(start, colon == std::string::npos ? std::string::npos : colon - start)));
        if (colon == std::string::npos) break;
        start = colon + 1;
    }
    if (fields.size() < 3 || fields.size() > 4) return form;
    const auto from = typedNumber(fields[0]);
    const auto to = typedNumber(fields[1]);
    if (!from || !to) return "De et A : des nombres sont attendus";
    request.from = *from;
    request.to = *to;
    const auto n = typedNumber(fields[2]);
    if (!n || *n != std::floor(*n) || *n < 2 || *n > 10000) return "Nombre de points : entre 2 et 10 000";
    request.points = static_cast<int>(*n);
    if (fields.size() == 4) {
        const std::string p = toUpperAscii(fields[3]);
        if (p == "GEO" || p == "G" || p == "GEOMETRIQUE")
            request.progression = Progression::Geometric;
        else if (p == "LIN" || p == "L" || p == "LINEAIRE")
            request.progression = Progression::Linear;
        else
            return "Progression : lin ou geo";
    }
    return {};
}

// `--etude ... FENETRE [ETAPE]... ACTION`: the steps run once on the session to set the
// starting point, then the study of the window's calculation whose step is ACTION.
int runStudy(const StudyOptions& options, Session& session, const std::filesystem::path& app,
             const std::vector<std::string>& rest, bool json, std::ostream& out, std::ostream& err) {
    const WindowCatalog& catalog = session.catalog();
    if (rest.size() < 2) {
        err << "--etude : l'étape qui calcule (ACTION) manque après " << rest[0] << "\n";
        return 1;
    }
    const std::string window = catalog.canonical(rest[0]);
    const std::string& action = rest.back();
    ScriptOutcome outcome = runScript(session, window, {rest.begin() + 1, rest.end()});
    if (outcome.status != 0) {
        err << outcome.error << "\n";
        return outcome.status;
    }
    Form* form = session.loaded(window);
    // Calculations sharing one action (the general page's pages): the one the window shows.
    const std::string shown = catalog.shownCalculation(window, session);
    const StudyDeclaration* declaration = nullptr;
    std::string actions;
    for (const auto& d : catalog.studies()) {
        if (d.window != window) continue;
        const bool better = !declaration || (d.caption == shown && declaration->caption != shown);
        if (better && sameAction(form, action, d.action)) declaration = &d;
        if (actions.find(d.action) == std::string::npos) actions += (actions.empty() ? "" : ", ") + d.action;
    }
    if (!declaration) {
        if (actions.empty())
            err << "La fenêtre " << window << " n'a pas de calcul à étudier\n";
        else
            err << "L'étape « " << action << " » ne calcule pas " << window << " (étape du calcul : " << actions
                << ")\n";
        return BadStudy;
    }

    StudyRequest request;
    request.calculation = declaration->caption;
    request.decimalSeparator = session.platform().decimalSeparator();
    request.followed = options.followed;
    if (options.sweep.empty()) {
        err << "--etude : écrivez PARAMETRE=DE:A:N\n";
        return BadStudy;
    }
    if (std::string bad = parseSweep(options.sweep, request); !bad.empty()) {
        err << bad << "\n";
        return BadStudy;
    }
    if (!options.second.empty()) {
        const auto equal = options.second.rfind('=');
        if (equal == std::string::npos || equal == 0) {
            err << "--etude2 : écrivez PARAMETRE=V1;V2;...\n";
            return BadStudy;
        }
        request.second = trim(options.second.substr(0, equal));
        std::size_t start = equal + 1;
        while (true) {
            const auto semi = options.second.find(';', start);
            request.secondValues.push_back(
                options.second.substr(start, semi == std::string::npos ? std::string::npos : semi - start));
            if (semi == std::string::npos) break;
            start = semi + 1;
        }
    }
    if (form)
        for (const auto& box : declaration->inputs)
            if (Control* c = form->findKey(box.key)) request.startValues.emplace_back(box.key, studyInputText(*c));
    if (form && declaration->captureState) request.startState = declaration->captureState(*form);

    Study study(catalog, app, request);
    if (!study.ok()) {
        // A name that is neither a declared box nor a control of the window is unknown.
        auto known = [&](const std::string& name) {
            return findStudyBox(declaration->inputs, name) || findStudyBox(declaration->results, name) ||
                   (form && form->findKey(trim(name)) != nullptr);
        };
        bool unknown = !known(request.parameter) || (!request.second.empty() && !known(request.second));
        for (const auto& f : request.followed) unknown = unknown || !known(f);
        err << study.error() << "\n";
        return unknown ? 2 : BadStudy;
    }
    study.runAll();
    out << (json ? study.json() + "\n" : study.csv());
    return 0;
}

// `--csv FENETRE:CONTROLE`: the chart's CSV export, exactly as the view saves it.
int printChartCsv(Session& session, const std::string& target, char separator, std::ostream& out, std::ostream& err) {
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
    static constexpr CommandOption Options[] = {
        {"dossier", true},   {"json", false}, {"virgule", false}, {"csv", true},    {"rapport", false},
        {"nom-etude", true}, {"etude", true}, {"etude2", true},   {"suivre", true}, {"repondre", true}};
    const CommandLine line = readCommandLine(args, Options);
    if (!line.error.empty()) {
        err << line.error << "\n" << Usage;
        return 1;
    }
    if (line.help) {
        out << Usage;
        return 0;
    }
    std::optional<std::filesystem::path> folder;
    if (line.has("dossier")) folder = std::filesystem::path(line.value("dossier"));
    const bool json = line.has("json"), comma = line.has("virgule"), report = line.has("rapport");
    const std::string study = line.value("nom-etude");
    const std::vector<std::string>& answers = line.values("repondre");
    const std::string csvTarget = line.value("csv");
    StudyOptions studyOptions;
    studyOptions.sweep = line.value("etude");
    studyOptions.second = line.value("etude2");
    studyOptions.followed = line.values("suivre");
    const std::vector<std::string>& rest = line.rest;
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
        for (const auto& a : answers) dialogs.answer(a);
        RecordingPlatform platform;
        platform.separator = comma ? ',' : '.';
        answerFilesFrom(platform, dialogs);
        Session session(catalog, dialogs, platform, app);
        if (studyOptions.any()) return runStudy(studyOptions, session, app, rest, json, out, err);
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

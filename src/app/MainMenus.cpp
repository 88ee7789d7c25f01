// The menu bar of the main window, in its order, with what opening each menu does
// to the window and what each entry opens.
#include <exception>
#include <new>
#include <stdexcept>

#include "app/Dossier.h"
#include "app/Formmain.h"
#include "core/SharedValues.h"
#include "forms/Dialogs.h"
#include "forms/Session.h"
#include "forms/WindowCatalog.h"

namespace aub {

namespace {

// An entry that opens a design window; `failure` replaces the error text when the
// window cannot be built (followed by the error number).
struct WindowEntry {
    const char* name;
    const char* caption;
    const char* window;
    const char* failure;
};

const WindowEntry HeadLossWindows[] = {{"Coursier", "Spécial coursier", "Frmpertecou", ""},
                                       {"Bassins", "Bassins", "Form12", ""},
                                       {"Darcy", "Canal (Darcy)", "frmarcy", ""},
                                       {"Moody", "Diagramme de Moody", "Moody", ""}};
const WindowEntry DesignWindows[] = {{"Turbines", "&Turbines", "Formroue", ""},
                                     {"Rouebanki", "&Roue Banki", "Banki", ""},
                                     {"Rouehaut", "Roue au  Dessus", "Formrouehaut", "erreur FrmRouehaut   "},
                                     {"Rouedessous", "Roue en dessous", "Frmdessous", ""},
                                     {"Rouecote", "Roue de coté", "Frmrouedecoté", "erreur FrmRouecoté  "},
                                     {"Rouependante", "Roue pendante", "frmPendant", ""},
                                     {"Rouponcelet", "Roue Poncelet", "FrmPoncel", ""},
                                     {"Rouesagebien", "Roue Sagebien", "FrmSagebi", ""},
                                     {"Vishydro", "Vis hydrodynamique", "Frmvis", ""},
                                     {"Eolienne", "Eolienne", "Frmpage78", ""},
                                     {"Eoliennesimple", "Eolienne simple", "frméole01", ""},
                                     {"Marteau", "Marteau de forge", "Frmmarteau", ""},
                                     {"Domaine", "Domaine d'emploi des machines", "DomaineEmploi", ""},
                                     {"Productible", "Productible annuel (débits classés)", "Productible", ""},
                                     {"Bilaneco", "Bilan économique", "BilanEconomique", ""}};

constexpr const char* PipeWindow = "Formbuse";

}  // namespace

void Formmain::buildMenus() {
    menu("Quitter", "&Quitter");
    on("Quitter", EventKind::Click, [this](int) { session().endProgram(); });

    // The three formula menus make room for a page when they open.
    // Each formula page's entry, under the menu its record names, in the records' order.
    auto pageEntries = [this](std::string_view menuName) {
        for (const FormulaPage& p : formulaPages()) {
            if (menuName != p.menu) continue;
            menu(p.entry, p.entryCaption, std::string(menuName));
            on(p.entry, EventKind::Click, [this, &p](int) { choosePage(p); });
        }
    };
    auto formulaMenu = [this, &pageEntries](const char* name, const char* cap) {
        menu(name, cap);
        on(name, EventKind::Click, [this](int) {
            ctl("Label3").visible = true;
            ctl("KManning").visible = false;
            ctl("Combo2").visible = false;
            placeWindow(100, 8350, 11600);
        });
        pageEntries(name);
    };
    formulaMenu("Options1", "&Options1");
    formulaMenu("Options2", "Options&2");
    formulaMenu("Options3", "Options&3");

    // Head losses: the window shrinks to its menu strip until an entry is chosen.
    menu("Pertecharge", "&Perte de charge");
    on("Pertecharge", EventKind::Click, [this](int) {
        placeWindow(100, 2000, 8500);
        ctl("Label1").visible = false;
    });
    menu("Condcirc", "Conduite circulaire", "Pertecharge");
    on("Condcirc", EventKind::Click, [this](int) { conduiteCirculaire(); });
    pageEntries("Pertecharge");
    // The flow of a pipe has no calculation in this version: the entry stays greyed.
    menu("Debittuyau", "Débit d'un tuyau", "Pertecharge").enabled = false;
    for (const WindowEntry& w : HeadLossWindows) {
        menu(w.name, w.caption, "Pertecharge");
        const std::string window = w.window;
        on(w.name, EventKind::Click, [this, window](int) { openDesignWindow(window); });
    }

    // Design windows: the main window shrinks to a strip above them.
    menu("Evaluations", "&Evaluations");
    on("Evaluations", EventKind::Click, [this](int) {
        placeWindow(topTw, 2000, widthTw);
        ctl("Label4").visible = false;
        ctl("Command3").visible = false;
        ctl("Combo1").visible = false;
        ctl("Text3").visible = true;
        set("Text3", -1, "");
    });
    for (const WindowEntry& w : DesignWindows) {
        menu(w.name, w.caption, "Evaluations");
        const std::string window = w.window, failure = w.failure;
        on(w.name, EventKind::Click, [this, window, failure](int) { openDesignWindow(window, failure); });
    }

    menu("Impression", "&Impression");
    menu("Feuille", "Feuille visible", "Impression");
    on("Feuille", EventKind::Click, [this](int) { printWindow(); });
    menu("Aidelocale", "Aide locale", "Impression");
    on("Aidelocale", EventKind::Click, [this](int) { localHelp(); });
    menu("Dossierajout", "Ajouter la fenêtre au dossier", "Impression");
    on("Dossierajout", EventKind::Click, [this](int) { addWindowToDossier(*this); });
    menu("Dossierpdf", "Dossier PDF…", "Impression");
    on("Dossierpdf", EventKind::Click, [this](int) { writeDossierPdf(*this); });

    menu("Utilites", "&Utilités");
    // The study opens on the calculation window active last.
    menu("Etudeparam", "Etude paramétrique…", "Utilites");
    on("Etudeparam", EventKind::Click, [this](int) { openDesignWindow("EtudeParametrique"); });
    menu("Aidegene", "Aide géné", "Utilites");
    on("Aidegene", EventKind::Click, [this](int) { generalHelp(); });
    menu("Fondcolor", "Fondcolor", "Utilites");
    on("Fondcolor", EventKind::Click, [this](int) { whiteBackground(); });
    menu("Fichsauve", "Fichiers   sauvegarde", "Utilites");
    on("Fichsauve", EventKind::Click, [this](int) { savedFilesText(); });
    menu("Installdossiers", "Installer les dossiers de données", "Utilites");
    on("Installdossiers", EventKind::Click, [this](int) { confirmInitdeux(); });
    menu("Apropos", "&A propos", "Utilites");
    on("Apropos", EventKind::Click, [this](int) { about(); });
}

// An entry whose window is not part of this program stays greyed: it never pretends to open.
void Formmain::enableDesignEntries() {
    const WindowCatalog& catalog = session().catalog();
    ctl("Condcirc").enabled = catalog.has(PipeWindow);
    for (const WindowEntry& w : HeadLossWindows) ctl(w.name).enabled = catalog.has(w.window);
    for (const WindowEntry& w : DesignWindows) ctl(w.name).enabled = catalog.has(w.window);
}

void Formmain::openDesignWindow(const std::string& window, const std::string& failurePrefix) {
    if (!session().catalog().has(window)) return;
    if (failurePrefix.empty())
        session().open(window);
    else
        trap([&] { session().open(window); }, FailurePolicy{.numberAfter = failurePrefix});
}

void Formmain::conduiteCirculaire() {
    ctl("Label3").visible = false;
    // The page stays blank under the pipe window, unless that window is already open
    // and uses it.
    if (!shared().PipeWindowOpen) vusNonVus("0000000000000000", false);
    openDesignWindow(PipeWindow);
}

}  // namespace aub

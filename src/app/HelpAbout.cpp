// Help, about and printing entries of the main window.
#include "app/Formmain.h"
#include "core/NumberText.h"
#include "core/SharedValues.h"
#include "forms/Dialogs.h"
#include "forms/Platform.h"
#include "forms/Printing.h"
#include "forms/Session.h"

namespace aub {

namespace {
constexpr int White = 0xFFFFFF;
// The help record listing the files the windows save.
constexpr int SavedFilesHelpRecord = 34;
}  // namespace

void Formmain::printWindow() {
    if (!dialogs().question("Voulez vous imrimer la feuille telle qu'elle est à l'écran ?")) return;
    printOnWhite(*this);
}

void Formmain::localHelp() {
    Platform& p = platform();
    p.clearClipboard();
    const std::string& text = txt("Text1");
    if (text.empty()) return;
    p.setClipboard(text);
    // The explanation opens in the program's own text window: no outside editor needed.
    Form& help = session().load("Formhlp");
    help.set("Text1", -1, text);
    session().show("Formhlp", true);
}

void Formmain::generalHelp() {
    ctl("Command3").visible = false;
    // Context 1 is the home page of the help pages.
    platform().showHelp(shared().HelpFilePath, 1);
}

void Formmain::whiteBackground() { backColor = White; }

void Formmain::savedFilesText() {
    // The whole record, trailing blanks included.
    session().showHelpRecord(SavedFilesHelpRecord, Session::HelpRecordUse::Whole);
}

void Formmain::about() {
    placeWindow(100, 2500, 10000);
    ctl("Label3").visible = false;
    vusNonVus("0000000000000000", false);
    ctl("Text1").visible = false;
    ctl("Text3").visible = false;
    for (int i = 0; i <= 5; ++i) ctl("zonetxt", i).visible = false;
    Control& text = ctl("Label4");
    text.caption = "Aubelys   version " + std::to_string(VersionMajor) + "." + std::to_string(VersionMinor) +
                   "\r\n\r\n"
                   "Quelques calculs en hydraulique pour les petits sites : roues à eau, turbines,\r\n"
                   "conduites, canaux et coursiers, éolienne et marteau de forge.\r\n"
                   "Les résultats sont des ordres de grandeur à vérifier avant toute réalisation.\r\n\r\n"
                   "Dossier des projets : " +
                   shared().AppFolder +
                   "\r\n\r\n"
                   "Cliquez sur ce texte pour le refermer.";
    text.visible = true;
}

}  // namespace aub

#include "app/Formmain.h"

#include <cstdio>
#include <ctime>

#include "core/SharedValues.h"
#include "core/Today.h"
#include "files/AppFolder.h"
#include "forms/Dialogs.h"
#include "forms/Platform.h"
#include "forms/Session.h"

namespace aub {

Formmain::Formmain(Session& s) : Form(s, "Formmain", "PAGE GENERALE") {
    resultBoxes = {"zoneresu"};
    buildPage();
    buildMenus();
    defaultAction = "Command1";
}

void Formmain::load() {
    // A short strip showing only the menu bar.
    backColor = BackgroundColor;
    placeWindow(100, 2000, 10000);
    vusNonVus("0000000000", false);
    ctl("Text1").visible = false;
    SharedValues& sv = shared();
    sv.AppFolder = withSeparator(session().appFolder());
    sv.DatabaseName = "formuhlp.mdb";
    sv.TodayText = todayText();
    ctl("Label3").visible = false;
    // The help-text file is read by record through the session; a missing file
    // reads as blank records (it is never created here: an empty one would stand
    // for the delivered data).
    sv.HelpFilePath = sv.AppFolder + "Rudazuz04.chm";
    Control& walls = ctl("Combo1");
    walls.clearItems();
    walls.setText("Parois");
    for (const char* wall :
         {"Trés lisse", "Lisse", "Moyennement lisse", "Un peu rugueuse", "Rugueuse", "Trés rugueuse"})
        walls.addItem(wall);
    enableDesignEntries();
    installAtFirstStart();
}

void Formmain::activate() {
    // The regional separator decides how ParseNumber reads the boxes.
    shared().DecimalComma = platform().decimalSeparator() == ',';
}

bool Formmain::queryUnload(CloseMode mode) {
    // The program ends only through "&Quitter". The person's close box is refused; a
    // close by the system is told the same way and goes on; the program's own
    // unloading goes through without a word.
    if (mode == CloseMode::Code) return true;
    dialogs().message("Cliquez sur LE MENU (Quitter) pour abandonner le logiciel");
    return mode == CloseMode::System;
}

void Formmain::placeWindow(int top, int height, int width) {
    topTw = top;
    heightTw = height;
    widthTw = width;
    ctl("Page").visible = height > StripHeightTw;
    // The strip is the menu bar alone: no title of an earlier page is left under it.
    if (height <= StripHeightTw) ctl("Label3").visible = false;
}

}  // namespace aub

#include "app/Formmain.h"

#include "core/NumberText.h"
#include "core/SharedValues.h"
#include "forms/Dialogs.h"
#include "forms/Platform.h"
#include "forms/Session.h"

namespace aub {

Formmain::Formmain(Session& s) : Form(s, "Formmain", "PAGE GENERALE") {
    menu("Quitter", "&Quitter");
    on("Quitter", EventKind::Click, [this](int) { session().endProgram(); });
}

void Formmain::load() {
    backColor = 0xAACA0F;  // RGB (170, 202, 15)
    topTw = 100;
    heightTw = 2000;
    widthTw = 10000;
}

void Formmain::activate() {
    // The regional separator decides how ParseNumber reads the boxes.
    shared().DecimalComma = platform().decimalSeparator() == ',';
}

bool Formmain::queryUnload(CloseMode mode) {
    dialogs().message("Cliquez sur LE MENU (Quitter) pour abandonner le logiciel");
    return mode == CloseMode::System;
}

}  // namespace aub

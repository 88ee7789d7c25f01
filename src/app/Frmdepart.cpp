#include "app/Frmdepart.h"

#include "forms/Session.h"

namespace aub {

Frmdepart::Frmdepart(Session& s) : Form(s, "Frmdepart", "QUELQUES  CALCULS  EN  HYRAULIQUE") {
    columns = 1;
    picture("Image1").at(0, 0).picture = "depart.png";
    on("Image1", EventKind::Click, [this](int) { start(); });
    onBackgroundClick([this] { start(); });
    // Enter, Space and Escape leave the picture as a click does.
    defaultAction = "Image1";
    cancelAction = "Image1";
}

void Frmdepart::load() {
    topTw = 1500;
    leftTw = 3000;
}

void Frmdepart::start() {
    Session& s = session();
    s.unload(name());
    s.show("Formmain", false);
}

}  // namespace aub

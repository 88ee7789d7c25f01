#include "wheels/Sageplus.h"

#include "forms/Session.h"

namespace aub {

Sageplus::Sageplus(Session& s) : Form(s, "Sageplus", "Roue Sagebien : résultats suite") {
    columns = 1;
    frame("Frame1", -1, "RESULTATS SUITE").at(0, 0);
    label("Label1", -1, "Vérication du triangle des vitesses").in("Frame1").at(0, 0, 1, 2);
    label("Label2", -1, "Les  3 valeurs de vitesse doivent etre égales").in("Frame1").at(1, 0, 1, 2);
    label("Label3", 0, "Pour  Vrelative").in("Frame1").at(2, 0);
    textBox("Text1", 0).in("Frame1").at(2, 1).locked = true;
    label("Label3", 1, "pour  Vperipherique").in("Frame1").at(3, 0);
    textBox("Text1", 1).in("Frame1").at(3, 1).locked = true;
    label("Label3", 2, "Pour  Varrivée eau").in("Frame1").at(4, 0);
    textBox("Text1", 2).in("Frame1").at(4, 1).locked = true;
    label("Label4", -1, "Autre résultats").in("Frame1").at(5, 0, 1, 2);
    label("Label3", 3, "volume de bois m3").in("Frame1").at(6, 0);
    textBox("Text1", 3).in("Frame1").at(6, 1).locked = true;
    button("retour", -1, "retour").at(1, 0);

    on("retour", EventKind::Click, [this](int) { back(); });
    on("Frame1", EventKind::Click, [this](int) { back(); });
    onBackgroundClick([this] { back(); });
    defaultAction = "retour";
    cancelAction = "retour";
}

void Sageplus::back() { session().unload(name()); }

void Sageplus::unloaded() {
    if (session().loaded("FrmSagebi")) session().show("FrmSagebi", true);
}

}  // namespace aub

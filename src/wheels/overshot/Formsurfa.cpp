#include "wheels/overshot/Formsurfa.h"

#include "forms/Dialogs.h"
#include "forms/Platform.h"
#include "forms/Session.h"

namespace aub {

Formsurfa::Formsurfa(Session& s) : Form(s, "Formsurfa", "Roue en dessus : données complémentaires") {
    columns = 2;
    frame("Frame2", -1, "donnees complementaires").at(0, 0);
    struct Row {
        int index;
        const char* caption;
    };
    static constexpr Row Rows[] = {{17, "Surface  triangle MNP dm2"},
                                   {16, "Volume  correspondant litres"},
                                   {19, "Diamètre mnimum de l'arbre mm"},
                                   {22, "Pertes cinétiques  watts"},
                                   {14, "Couple  Newton-m"}};
    int row = 0;
    for (const auto& r : Rows) {
        label("Labelresu", r.index, r.caption).in("Frame2").at(row, 0);
        textBox("Resubox", r.index).in("Frame2").at(row++, 1).locked = true;
    }
    listBox("List1").at(0, 1).size(4500, 2400);
    label("Label1", -1,
          "Pour étudier une nouvelle roue n'ouvrir aucun fichier\r\n"
          "Et depuis la page principale  entrez toutes vos données \r\n"
          " les données inexistantes  donnent des fautes de calcul\r\n"
          "enregistrez   vos données  avec Fichier/Enregistrer"
          " Etudiez au besoin les exemples proposés que vous pouvez modifier\r\n")
        .at(1, 0, 1, 2);
    button("Command1", -1, "").at(2, 1).size(120, 120);  // no action

    menu("imp", "Imprime");
    menu("reto", "Retour");
    menu("graf", "GRAPHIQUE");
    on("imp", EventKind::Click, [this](int) {
        if (dialogs().question("Voulez vous imprimer la feuille telle qu'elle est à l'écran ?"))
            platform().printForm(*this);
    });
    on("reto", EventKind::Click, [this](int) { session().hide(name()); });
    cancelAction = "reto";
    on("graf", EventKind::Click, [this](int) { session().show("Formgraph", true); });
}

}  // namespace aub

#include "app/Formhlp.h"

#include "core/SharedValues.h"
#include "files/HelpTextFile.h"
#include "forms/Session.h"

namespace aub {

Formhlp::Formhlp(Session& s) : Form(s, "Formhlp", "Aide locale") {
    columns = 1;
    textBox("Text1", -1).at(0, 0).size(9000, 6000).multi();
    menu("fin", "Fermer");
    menu("enrg", "Enregistre");
    on("fin", EventKind::Click, [this](int) { session().unload(name()); });
    cancelAction = "fin";
    // Copies the text back into the record buffer, padded or cut to one record; nothing is written.
    on("enrg", EventKind::Click, [this](int) {
        std::string t = txt("Text1");
        t.resize(HelpRecordLength, ' ');
        shared().HelpRecord = t;
    });
}

void Formhlp::load() { ctl("enrg").visible = false; }

}  // namespace aub

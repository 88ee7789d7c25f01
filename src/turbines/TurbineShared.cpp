#include "turbines/TurbineShared.h"

#include "core/CalcError.h"
#include "core/Checked.h"
#include "forms/Dialogs.h"
#include "forms/Form.h"
#include "forms/Platform.h"
#include "forms/Session.h"

namespace aub {

void showLocalHelp(Session& session, int record) {
    Form& help = session.load("Formhlp");
    if (Control* text = help.find("Text1")) text->setText(session.helpText(record));
    session.show("Formhlp", true);
}

void hideMainHelpBox(Session& session) {
    if (Form* main = session.loaded("Formmain"))
        if (Control* box = main->find("Text1")) {
            box->visible = false;
            box->touch();
            main->touch();
        }
}

void setSliderChecked(Control& slider, double value) {
    const int v = toInteger(value);
    if (v < slider.min || v > slider.max) throw CalcError(ErrBadProperty);
    slider.setValue(v);
}

void printAfterQuestion(Form& form) {
    if (!form.dialogs().question("Voulez vous imprimer la feuille telle qu'elle est à l'écran ?")) return;
    const int colour = form.backColor;
    form.backColor = 0xFFFFFF;
    try {
        form.platform().printForm(form);
    } catch (...) {
        form.backColor = colour;
        throw;
    }
    form.backColor = colour;
}

}  // namespace aub

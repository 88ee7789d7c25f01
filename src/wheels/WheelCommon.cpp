#include "wheels/WheelCommon.h"

#include "core/Checked.h"
#include "forms/Dialogs.h"
#include "forms/Form.h"
#include "forms/Platform.h"
#include "forms/Session.h"

namespace aub {

float finite(float x) { return checkedValue(x); }

void showLocalHelp(Form& form, int record) {
    Session& session = form.session();
    Form& help = session.load("Formhlp");
    help.set("Text1", -1, session.helpText(record));
    session.show("Formhlp", true);
}

void askAndPrint(Form& form) {
    if (form.dialogs().question(PrintQuestion)) form.platform().printForm(form);
}

}  // namespace aub

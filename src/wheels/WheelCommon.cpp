#include "wheels/WheelCommon.h"

#include "core/Checked.h"
#include "forms/Dialogs.h"
#include "forms/Form.h"
#include "forms/Platform.h"
#include "forms/Session.h"

namespace aub {

float finite(float x) { return checkedValue(x); }

void askAndPrint(Form& form) {
    if (form.dialogs().question(PrintQuestion)) form.platform().printForm(form);
}

}  // namespace aub

#include "wheels/WheelCommon.h"

#include "core/Checked.h"
#include "core/Constants.h"
#include "forms/Dialogs.h"
#include "forms/Form.h"
#include "forms/Platform.h"
#include "forms/Session.h"

namespace aub {

void askAndPrint(Form& form) {
    if (form.dialogs().question(PrintQuestion)) form.platform().printForm(form);
}

}  // namespace aub

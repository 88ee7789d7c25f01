#include "forms/MainWindow.h"

#include "forms/Form.h"
#include "forms/Session.h"

namespace aub {

MainWindow* mainWindow(const Session& session) {
    for (Form* form : session.forms())
        if (auto* main = dynamic_cast<MainWindow*>(form)) return main;
    return nullptr;
}

}  // namespace aub

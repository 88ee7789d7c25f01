#pragma once
// The main window on a fresh program folder, with every window of the program.
#include <string>

#include "app/Formmain.h"
#include "support/WindowTest.h"

namespace aub::test {

class MainWindowTest : public WindowTest {
protected:
    // Loads and shows the main window as the start-up window does.
    Formmain& openMain();
    Formmain& main() { return session().window<Formmain>("Formmain"); }
    Control& c(const std::string& name, int index = -1) { return main().ctl(name, index); }
};

}  // namespace aub::test

#pragma once
// The main window on a fresh program folder. Windows of other modules that the main
// window opens are stood in for by empty windows while their module does not
// register them, and the sample designs by small files while they are not delivered.
#include <string>

#include "app/Formmain.h"
#include "support/WindowTest.h"

namespace aub::test {

class MainWindowTest : public WindowTest {
protected:
    void SetUp() override;

    // Writes a stand-in for every sample design that the program folder lacks.
    void writeMissingSamples();
    // Loads and shows the main window as the start-up window does.
    Formmain& openMain();
    Formmain& main() { return session().window<Formmain>("Formmain"); }
    Control& c(const std::string& name, int index = -1) { return main().ctl(name, index); }
    // Registers an empty window under `name` unless its module registers the real one;
    // false when the real one is there.
    bool standIn(const std::string& name, bool modal);
};

}  // namespace aub::test

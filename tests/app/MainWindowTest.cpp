#include "MainWindowTest.h"

namespace aub::test {

Formmain& MainWindowTest::openMain() {
    Form& f = open("Formmain");
    return dynamic_cast<Formmain&>(f);
}

}  // namespace aub::test

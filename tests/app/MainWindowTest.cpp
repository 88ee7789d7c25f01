#include "MainWindowTest.h"

#include <fstream>

#include "app/DataFolders.h"
#include "files/TextFile.h"

namespace aub::test {

namespace {
class EmptyWindow : public Form {
public:
    EmptyWindow(Session& s, const std::string& name) : Form(s, name, name) {}
};
}  // namespace

void MainWindowTest::SetUp() {
    WindowTest::SetUp();
    standIn("Frmdessous", true);
    standIn("Formbuse", false);
}

bool MainWindowTest::standIn(const std::string& name, bool modal) {
    if (catalog_.has(name)) return false;
    catalog_.add(name, [name](Session& s) { return std::make_unique<EmptyWindow>(s, name); },
                 [name, modal](Session& s) { s.show(name, modal); });
    return true;
}

void MainWindowTest::writeMissingSamples() {
    for (const SampleFolder& f : sampleFolders())
        for (const std::string& name : f.files)
            if (!fileExists(folder(), name)) std::ofstream(folder() / pathFromUtf8(name)) << "exemple " << name << "\r\n";
}

Formmain& MainWindowTest::openMain() {
    Form& f = open("Formmain");
    return dynamic_cast<Formmain&>(f);
}

}  // namespace aub::test

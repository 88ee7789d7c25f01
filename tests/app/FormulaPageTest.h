#pragma once
// The general page of the main window driven like a person would: a formula menu
// entry, boxes typed, "CALCUL ". The program folder is fresh; its data folders are
// present (so the main window installs nothing at opening) and its help-text file
// holds "Fiche k" in record k, so that each page's explanation can be recognised.
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "app/Formmain.h"
#include "core/NumberText.h"
#include "core/SharedValues.h"
#include "support/WindowTest.h"

namespace aub::test {

class FormulaPageTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        for (const char* dir : {"Rouehaut", "Sagebien", "Bankiwheel", "Roueparbas"})
            std::filesystem::create_directories(folder() / dir);
        std::string records;
        for (int k = 1; k <= 34; ++k) {
            std::string r = "Fiche " + std::to_string(k);
            r.resize(10000, ' ');
            records += r;
        }
        std::ofstream(folder() / "Microfich.txt", std::ios::binary) << records;
        open("Formmain");
    }

    Formmain& main() { return session().window<Formmain>("Formmain"); }
    SharedValues& sv() { return session().shared(); }
    Control& c(const std::string& name, int index = -1) { return main().ctl(name, index); }

    // A menu entry by its caption path, e.g. "Options1/Vanne".
    void page(const std::string& menuPath) { step("Formmain", menuPath); }
    void type(int box, const std::string& text) { step("Formmain", "zonetxt(" + std::to_string(box) + ")=" + text); }
    void calcul() { step("Formmain", "CALCUL "); }
    // A page, its boxes typed (box, text), then "CALCUL ".
    void run(const std::string& menuPath, const std::vector<std::pair<int, const char*>>& inputs) {
        page(menuPath);
        for (const auto& [i, text] : inputs) type(i, text);
        calcul();
    }
    std::string box(int i) { return c("zonetxt", i).text(); }
    std::string result() { return c("zoneresu").text(); }
    std::string label(const std::string& name, int index = -1) { return c(name, index).caption; }
    // The number a box shows.
    float shown(int i) { return static_cast<float>(leadingNumber(box(i))); }
    // Visibility of Label(0..7) then zonetxt(0..7), as a mask.
    std::string visibility() {
        std::string v;
        for (const char* name : {"Label", "zonetxt"})
            for (int i = 0; i < 8; ++i) v += c(name, i).visible ? '1' : '0';
        return v;
    }
    std::filesystem::path file(const std::string& name) { return folder() / name; }
};

}  // namespace aub::test

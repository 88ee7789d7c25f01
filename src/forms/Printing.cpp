#include "forms/Printing.h"

#include "forms/Dialogs.h"
#include "forms/Form.h"
#include "forms/Platform.h"

namespace aub {

namespace {
constexpr int White = 0xFFFFFF;

// Gives the remembered colours back when it goes out of scope.
class ColourKeeper {
public:
    ColourKeeper(Form& form, const std::vector<Control*>& controls) : form_(form), formColour_(form.backColor) {
        for (Control* c : controls) kept_.emplace_back(c, c->backColor);
    }
    ~ColourKeeper() {
        form_.backColor = formColour_;
        for (auto& [c, colour] : kept_) c->backColor = colour;
    }
    ColourKeeper(const ColourKeeper&) = delete;
    ColourKeeper& operator=(const ColourKeeper&) = delete;

private:
    Form& form_;
    int formColour_;
    std::vector<std::pair<Control*, int>> kept_;
};
}  // namespace

void printOnWhite(Form& form, const std::vector<Control*>& alsoWhite) {
    ColourKeeper keeper(form, alsoWhite);
    form.backColor = White;
    for (Control* c : alsoWhite) c->backColor = White;
    form.platform().printForm(form);
}

void printAfterQuestion(Form& form) {
    if (!form.dialogs().question("Voulez vous imprimer la feuille telle qu'elle est à l'écran ?")) return;
    printOnWhite(form);
}

void addChartExportEntries(Form& form, const std::string& chartKey, const std::string& parentMenu) {
    form.menu("Exportimage", "Enregistrer l'image…", parentMenu);
    form.menu("Exportcsv", "Exporter les données (CSV)…", parentMenu);
    form.on("Exportimage", EventKind::Click,
            [&form, chartKey](int) { form.platform().exportChart(form, chartKey, false); });
    form.on("Exportcsv", EventKind::Click,
            [&form, chartKey](int) { form.platform().exportChart(form, chartKey, true); });
}

}  // namespace aub

#include "wheels/WheelFiles.h"

#include <algorithm>

#include "core/CalcError.h"
#include "core/NumberText.h"
#include "core/SharedValues.h"
#include "files/AppFolder.h"
#include "files/TextFile.h"
#include "forms/Control.h"
#include "forms/Dialogs.h"
#include "forms/Form.h"
#include "forms/Session.h"

namespace aub {

namespace {

// Case-blind "begins with", on the file-name rules of the program.
bool beginsWith(std::string_view name, std::string_view prefix) {
    if (prefix.empty()) return true;
    if (name.size() < prefix.size()) return false;
    return wildcardMatch(std::string(prefix) + "*", name);
}

bool endsWithTxt(std::string_view name) { return wildcardMatch("*.txt", name); }

}  // namespace

std::string letterWarning(std::string_view letter) {
    return "Votre fichier sera enregistré mais  \nsera ignoré ensuite dans le logiciel car \n"
           " son nom ne commence pas par la lettre " +
           std::string(letter);
}

std::string proposedStem(const Control& list, std::string_view unnamed) {
    const std::string& selected = list.text();
    if (list.listIndex() < 0 || selected.size() < 5) return std::string(unnamed);
    return selected.substr(0, selected.size() - 4);
}

void listDesigns(Form& form, Control& list, std::string_view pattern) {
    // Files of fixed name that other windows keep in the program folder share the
    // first letters of the wheel designs ("P" Poncelet / "Pertescou.txt", "C" breastshot /
    // "coursierforge.txt"); they are not designs and would not open here.
    static const char* const notDesigns[] = {"Pertescou.txt", "coursierforge.txt"};
    list.clearItems();
    for (auto& name : listFiles(form.session().appFolder(), pattern)) {
        bool other = false;
        for (const char* n : notDesigns) other = other || equalsNoCase(name, n);
        if (!other) list.addItem(std::move(name));
    }
}

std::optional<std::string> saveDesign(Form& form, const DesignSave& save, const std::vector<std::string>& lines,
                                      Control* list) {
    Session& session = form.session();
    Dialogs& dialogs = form.dialogs();
    form.shared().SharedFilePath = form.shared().AppFolder;

    const auto answer = dialogs.input(save.prompt, save.title, save.proposed);
    if (!answer) return std::nullopt;
    const std::string typed = trim(*answer);
    if (typed.empty()) return std::nullopt;

    std::string name = save.namePrefix + typed;
    if (!endsWithTxt(name)) name += ".txt";
    if (auto refused = checkTypedName(name)) {
        dialogs.message(*refused);
        return std::nullopt;
    }
    if (!beginsWith(name, save.letter)) dialogs.message(letterWarning(save.letter));

    const std::filesystem::path dir = session.appFolder();
    std::filesystem::path target = dir / pathFromUtf8(name);
    if (auto existing = findFile(dir, name)) {
        if (!dialogs.question(overwriteQuestion())) return std::nullopt;
        target = *existing;  // the file keeps the spelling it has on disk
        name = pathToUtf8(existing->filename());
    }
    std::vector<std::string> written;
    written.reserve(lines.size());
    for (const auto& line : lines) written.push_back(protectedLine(line));
    saveLines(target, written);
    form.clearUnsavedEdits();

    if (list && !save.listPattern.empty() && wildcardMatch(save.listPattern, name)) {
        bool listed = false;
        for (const auto& item : list->items) listed = listed || sameFileName(item, name);
        if (!listed) list->addItem(name);
    }
    return name;
}

void openDesign(Form& form, std::string_view fileName, std::string_view box, int count) {
    const std::filesystem::path dir = form.session().appFolder();
    const auto found = findFile(dir, fileName);
    const std::vector<std::string> values = readDesignValues(found ? *found : dir / pathFromUtf8(fileName));
    const int available = std::min<int>(count, static_cast<int>(values.size()));
    form.clearUnsavedEdits();
    for (int i = 0; i < available; ++i) form.set(box, i, values[static_cast<std::size_t>(i)]);
    if (available < count) throw CalcError(ErrPastEnd);
}

}  // namespace aub

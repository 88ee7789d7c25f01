#include "app/DataFolders.h"

#include <optional>

#include "app/Formmain.h"
#include "core/CalcError.h"
#include "files/TextFile.h"
#include "forms/Dialogs.h"
#include "forms/Session.h"

namespace aub {

namespace fs = std::filesystem;

const std::vector<SampleFolder>& sampleFolders() {
    static const std::vector<SampleFolder> folders = {
        {"Rouehaut", {"H0Dalmor.txt", "H18028.txt", "Csansnom.txt"}},
        {"Sagebien", {"Sageb01.txt", "Sageb03.txt"}},
        {"Bankiwheel", {"Oregon.txt", "NQuerel.txt", "Thèse.txt"}},
        {"Roueparbas", {"Smaroue00.txt", "Sfontenay.txt", "Sdalmor.txt"}},
    };
    return folders;
}

namespace {

// The entry of `dir` named `name` without regard to case, whatever its kind.
std::optional<fs::path> findEntry(const fs::path& dir, const std::string& name) {
    std::error_code ec;
    const fs::path exact = dir / pathFromUtf8(name);
    if (fs::exists(exact, ec)) return exact;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
        if (sameFileName(pathToUtf8(it->path().filename()), name)) return it->path();
    return std::nullopt;
}

std::optional<fs::path> findFolder(const fs::path& dir, const std::string& name) {
    auto entry = findEntry(dir, name);
    std::error_code ec;
    if (entry && fs::is_directory(*entry, ec)) return entry;
    return std::nullopt;
}

// A new folder; one that exists already (or a file of that name) fails with 75.
fs::path makeFolder(const fs::path& appFolder, const std::string& name) {
    if (findEntry(appFolder, name)) throw CalcError(ErrPathAccess);
    fs::path dir = appFolder / pathFromUtf8(name);
    std::error_code ec;
    if (!fs::create_directory(dir, ec) || ec) throw CalcError(ec ? fileErrorCode(ec) : ErrPathAccess);
    return dir;
}

void copySample(const fs::path& appFolder, const fs::path& dir, const std::string& name) {
    const auto source = findFile(appFolder, name);
    if (!source) throw CalcError(ErrFileNotFound);
    // Through the atomic save: an interrupted copy never leaves half a design.
    saveBytes(dir / pathFromUtf8(name), readFileBytes(*source));
}

}  // namespace

void installDataFolders(const fs::path& appFolder) {
    std::vector<fs::path> made;
    for (const SampleFolder& f : sampleFolders()) made.push_back(makeFolder(appFolder, f.folder));
    for (std::size_t i = 0; i < made.size(); ++i)
        for (const std::string& name : sampleFolders()[i].files) copySample(appFolder, made[i], name);
}

std::vector<std::string> completeDataFolders(const fs::path& appFolder) {
    std::vector<std::string> restored;
    std::vector<fs::path> dirs;
    for (const SampleFolder& f : sampleFolders()) {
        auto dir = findFolder(appFolder, f.folder);
        if (!dir) {
            dir = makeFolder(appFolder, f.folder);
            restored.push_back(f.folder);
        }
        dirs.push_back(*dir);
    }
    for (std::size_t i = 0; i < dirs.size(); ++i) {
        for (const std::string& name : sampleFolders()[i].files) {
            if (fileExists(dirs[i], name)) continue;
            copySample(appFolder, dirs[i], name);
            restored.push_back(sampleFolders()[i].folder + "/" + name);
        }
    }
    return restored;
}

bool dataFoldersAbsent(const fs::path& appFolder) {
    for (const SampleFolder& f : sampleFolders())
        if (findEntry(appFolder, f.folder)) return false;
    return true;
}

bool dataFoldersMissing(const fs::path& appFolder) {
    for (const SampleFolder& f : sampleFolders())
        if (!findFolder(appFolder, f.folder)) return true;
    return false;
}

// ------------------------------------------------------------ main window

bool Formmain::installFolders(bool completing) {
    return trap(
        [&] {
            if (completing)
                (void)completeDataFolders(session().appFolder());
            else
                installDataFolders(session().appFolder());
        },
        FailurePolicy{.numbered = true});
}

void Formmain::initdeux() { installFolders(false); }

void Formmain::confirmInitdeux() {
    const auto answer = dialogs().input("inutile de la refaire  si vous l'avez déjà effectuée !",
                                        "cette initialisation n'est à faire qu'une fois pour toutes", "OUI");
    if (answer && *answer == "non") {
        dialogs().message("bien annulé");
        return;
    }
    if (dataFoldersAbsent(session().appFolder())) {
        if (installFolders(false))
            dialogs().message(
                "Installation terminée : les dossiers Rouehaut, Sagebien, Bankiwheel et Roueparbas "
                "contiennent les exemples.");
        return;
    }
    // Installed before: what is missing comes back, nothing the person has is replaced.
    std::vector<std::string> restored;
    if (!trap([&] { restored = completeDataFolders(session().appFolder()); }, FailurePolicy{.numbered = true})) return;
    if (restored.empty()) {
        dialogs().message(
            "Rien à restaurer : les dossiers Rouehaut, Sagebien, Bankiwheel et Roueparbas "
            "contiennent tous les exemples.");
        return;
    }
    std::string list;
    for (const std::string& item : restored) list += "\n" + item;
    dialogs().message("Restauré :" + list);
}

// A program folder that was never set up gets its data folders at once, without a
// question, so that every window finds its samples at first start. Checked once a run:
// a folder that cannot be written says so once, not at every opening of the window.
void Formmain::installAtFirstStart() {
    if (session().dataFoldersChecked) return;
    session().dataFoldersChecked = true;
    if (dataFoldersMissing(session().appFolder())) installFolders(true);
}

}  // namespace aub

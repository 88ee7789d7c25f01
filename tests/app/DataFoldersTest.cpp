// The data folders and their samples: the one-time installation, its confirmation,
// and the installation made by the main window on a folder never set up.
#include <filesystem>

#include "MainWindowTest.h"
#include "app/DataFolders.h"
#include "core/CalcError.h"
#include "files/TextFile.h"

namespace aub::test {
namespace {

namespace fs = std::filesystem;

std::vector<int> fileCounts(const fs::path& dir) {
    std::vector<int> counts;
    for (const SampleFolder& f : sampleFolders()) {
        int n = 0;
        std::error_code ec;
        for (fs::directory_iterator it(dir / pathFromUtf8(f.folder), ec), end; !ec && it != end; it.increment(ec))
            n += it->is_regular_file();
        counts.push_back(n);
    }
    return counts;
}

void removeFolders(const fs::path& dir) {
    for (const SampleFolder& f : sampleFolders()) fs::remove_all(dir / f.folder);
}

void writeSamples(const fs::path& dir, const std::string& except) {
    for (const SampleFolder& f : sampleFolders())
        for (const std::string& name : f.files)
            if (name != except) saveLines(dir / pathFromUtf8(name), {"exemple " + name});
}

int installFailure(const fs::path& dir) {
    try {
        installDataFolders(dir);
    } catch (const CalcError& e) {
        return e.code();
    }
    return 0;
}

class DataFolders : public MainWindowTest {};

TEST_F(DataFolders, InstallationFillsFourFoldersAndRunsOnlyOnce) {
    TempFolder app;
    writeSamples(app.path(), "");
    EXPECT_EQ(installFailure(app.path()), 0);
    EXPECT_EQ(fileCounts(app.path()), (std::vector<int>{3, 2, 3, 3}));
    EXPECT_EQ(readLines(app.path() / "Bankiwheel" / pathFromUtf8("Thèse.txt")),
              readLines(app.path() / pathFromUtf8("Thèse.txt")));
    // Again: the first folder exists, nothing else is done.
    fs::remove(app.path() / "Roueparbas" / "Sdalmor.txt");
    EXPECT_EQ(installFailure(app.path()), ErrPathAccess);
    EXPECT_EQ(fileCounts(app.path()), (std::vector<int>{3, 2, 3, 2}));
}

TEST_F(DataFolders, MissingSampleStopsTheCopies) {
    TempFolder app;
    writeSamples(app.path(), "Sageb03.txt");
    EXPECT_EQ(installFailure(app.path()), ErrFileNotFound);
    EXPECT_EQ(fileCounts(app.path()), (std::vector<int>{3, 1, 0, 0}));
}

TEST_F(DataFolders, ConfirmationRunsOnAnyAnswerButNon) {
    openMain();
    removeFolders(folder());
    answer("NON");
    expectMessage(
        "Installation terminée : les dossiers Rouehaut, Sagebien, Bankiwheel et Roueparbas contiennent les exemples.");
    step("Formmain", "Utilités/Installer les dossiers de données");
    EXPECT_EQ(fileCounts(folder()), (std::vector<int>{3, 2, 3, 3}));
    EXPECT_EQ(dialogs_.shown()[0].text, "inutile de la refaire  si vous l'avez déjà effectuée !");
    EXPECT_EQ(dialogs_.shown()[0].title, "cette initialisation n'est à faire qu'une fois pour toutes");
    EXPECT_EQ(dialogs_.shown()[0].defaultText, "OUI");
    answer("non");
    expectMessage("bien annulé");
    step("Formmain", "Utilités/Installer les dossiers de données");
    // Installed already (the box cancelled counts as a yes): it says all is there, or
    // brings back what is missing without replacing what the person changed.
    answer("");
    expectMessage(
        "Rien à restaurer : les dossiers Rouehaut, Sagebien, Bankiwheel et Roueparbas contiennent tous les exemples.");
    step("Formmain", "Utilités/Installer les dossiers de données");
    fs::remove_all(folder() / "Sagebien");
    fs::remove(folder() / "Roueparbas" / "Sdalmor.txt");
    saveLines(folder() / "Rouehaut" / "H0Dalmor.txt", {"mon projet"});
    answer("OUI");
    expectMessage("Restauré :\nSagebien\nSagebien/Sageb01.txt\nSagebien/Sageb03.txt\nRoueparbas/Sdalmor.txt");
    step("Formmain", "Utilités/Installer les dossiers de données");
    EXPECT_EQ(fileCounts(folder()), (std::vector<int>{3, 2, 3, 3}));
    EXPECT_EQ(readLines(folder() / "Rouehaut" / "H0Dalmor.txt"), std::vector<std::string>{"mon projet"});
}

TEST_F(DataFolders, NewProgramFolderIsSetUpSilentlyAtFirstStart) {
    removeFolders(folder());
    fs::create_directory(folder() / "Roueparbas");  // a folder delivered with the program's data
    saveLines(folder() / "Roueparbas" / "marteau.txt", {"1"});
    saveLines(folder() / "Roueparbas" / "Sdalmor.txt", {"mon projet"});
    openMain();
    EXPECT_EQ(fileCounts(folder()), (std::vector<int>{3, 2, 3, 4}));
    EXPECT_EQ(readLines(folder() / "Roueparbas" / "Sdalmor.txt"), std::vector<std::string>{"mon projet"});
}

TEST_F(DataFolders, FirstStartTellsAMissingSample) {
    removeFolders(folder());
    fs::remove(folder() / "Oregon.txt");
    expectMessage("Fichier introuvable\n Numéro 53");
    openMain();
    EXPECT_EQ(fileCounts(folder()), (std::vector<int>{3, 2, 0, 0}));
}

TEST_F(DataFolders, AFolderThatCannotBeCompletedIsReportedOncePerRun) {
    removeFolders(folder());
    saveLines(folder() / "Rouehaut", {"un fichier à la place du dossier"});
    expectMessage("Erreur d'accès au chemin ou au fichier\n Numéro 75");
    openMain();
    const std::size_t shown = dialogs_.shown().size();
    session().unload("Formmain");
    openMain();
    EXPECT_EQ(dialogs_.shown().size(), shown);
}

}  // namespace
}  // namespace aub::test

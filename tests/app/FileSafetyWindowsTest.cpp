// The windows on unsafe or unusual files: the program's own files kept from design
// saves and deletions, a pipe named like a data file, the cross-flow report kept out
// of reach of other users, a wind design number that is not a number, and file
// names written in Windows-1252 on disk.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "files/TextFile.h"
#include "forms/Script.h"
#include "support/NodeFileSystem.h"
#include "support/WindowTest.h"
#include "turbines/Banki.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace aub::test {
namespace {

namespace fs = std::filesystem;

const std::string OwnFile = "Ce nom est celui d'un fichier du logiciel : donnez un autre nom";

class FileSafetyWindows : public WindowTest {
protected:
    std::string bytesOf(const std::string& name) { return readFileBytes(folder() / name); }
};

TEST_F(FileSafetyWindows, DesignSavesNeverReplaceTheProgramsOwnFiles) {
    const std::string help = bytesOf("Microfich.txt");
    const std::string flume = bytesOf("Pertescou.txt");
    open("Formrouehaut");
    answer("Microfich");
    expectMessage(OwnFile);
    step("Formrouehaut", "Engg");
    open("Frmdessous");
    answer("Pertescou");
    expectMessage(OwnFile);
    step("Frmdessous", "Enreg");
    open("Banki");
    answer("microfich");
    expectMessage(OwnFile);
    step("Banki", "Fichier/Enregistrer");
    EXPECT_EQ(bytesOf("Microfich.txt"), help);
    EXPECT_EQ(bytesOf("Pertescou.txt"), flume);
}

TEST_F(FileSafetyWindows, CrossFlowDeleteRefusesAProgramFileAndABlankNameSavesNothing) {
    open("Banki");
    Control& list = load("Banki").ctl("List1");
    list.addItem("Microfich.txt");
    step("Banki", "List1=Microfich.txt");
    expectMessage(OwnFile);
    step("Banki", "Fichier/Supprimer");
    EXPECT_TRUE(fs::exists(folder() / "Microfich.txt"));
    const auto before = listFiles(folder(), "*");
    answer("   ");
    step("Banki", "Fichier/Enregistrer");
    EXPECT_EQ(listFiles(folder(), "*"), before);
}

TEST_F(FileSafetyWindows, WindDesignNumberMustStartWithANumber) {
    open("frméole01");
    for (const char* bad : {"abc", "-", ".x"}) {
        answer(bad);
        expectMessage("Numéro de fichier refusé : donnez un nombre de 0 à 255");
        step("frméole01", "Enreg");
    }
    EXPECT_FALSE(fileExists(folder(), "Moneole00.txt"));
    answer(" 3 ");
    step("frméole01", "Enreg");
    EXPECT_TRUE(fileExists(folder(), "Moneole03.txt"));
}

TEST_F(FileSafetyWindows, WindowsTellTheAccessErrorOfAPipeNamedLikeTheirFile) {
    AUB_SKIP_UNDER_NODE("pas de tubes nommés");
#ifndef _WIN32
    fs::remove(folder() / "marteau.txt");
    ASSERT_EQ(::mkfifo((folder() / "marteau.txt").c_str(), 0600), 0);
    const auto start = std::chrono::steady_clock::now();
    expectMessage("Erreur d'accès au chemin ou au fichier");
    open("Frmmarteau");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
#endif
}

TEST_F(FileSafetyWindows, CrossFlowReportIsWrittenInAFolderOnlyThisUserOwns) {
    const fs::path shared = fs::path(platform_.temporaryFolder);
#ifndef _WIN32
    // Another user's link at the report's name in the shared temporary folder.
    std::ofstream(folder() / "victime.txt") << "à garder";
    fs::create_symlink(folder() / "victime.txt", shared / pathFromUtf8("Résultats.txt"));
#endif
    open("Banki");
    const std::string path = load("Banki").session().window<Banki>("Banki").reportPath();
    EXPECT_NE(pathFromUtf8(path).parent_path(), shared);
    EXPECT_EQ(pathFromUtf8(path).parent_path().parent_path(), shared);
    expectMessage("Résultats enregistrés dans le fichier :\n" + path);
    step("Banki", "Résultats");
    EXPECT_FALSE(readLines(pathFromUtf8(path)).empty());
#ifndef _WIN32
    EXPECT_EQ(bytesOf("victime.txt"), "à garder");
#endif
}

TEST_F(FileSafetyWindows, JsonListingIsUtf8WhenFileNamesOnDiskAreWindows1252) {
    AUB_SKIP_UNDER_NODE("noms de fichiers en UTF-8 seulement");
    std::ofstream(folder() / "K\xE9t\xE9.txt", std::ios::binary) << "10\r\n0.1\r\n80\r\n24\r\n16\r\n120\r\n0.5\r\n";
    open("Banki");
    step("Banki", "List1=K\xC3\xA9t\xC3\xA9.txt");
    EXPECT_EQ(text("Banki", "Donnée", 0), "10");
    const std::string json = listingJson(session(), dialogs_);
    EXPECT_TRUE(isValidUtf8(json));
    EXPECT_NE(json.find("\"items\":[\"K\xC3\xA9t\xC3\xA9.txt\"]"), std::string::npos);
}

}  // namespace
}  // namespace aub::test

// What the files layer refuses to do: write through a link, read a pipe, a device or
// a huge file, keep the leftovers of an interrupted save, or let a design take the
// name of one of the program's own files.
#include "files/AppFolder.h"
#include "files/HelpTextFile.h"
#include "files/TextFile.h"

#include "core/CalcError.h"
#include "support/ErrorCodeOf.h"
#include "support/NodeFileSystem.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace aub {
namespace {

using test::errorCodeOf;
using test::slurp;
using test::TempFolder;

#ifndef _WIN32

TEST(FileSafety, SavingOverALinkReplacesTheLinkAndNotWhatItPointsTo) {
    TempFolder app, elsewhere;
    const auto victim = elsewhere.write("notes.txt", "à garder");
    fs::create_symlink(victim, app / "Hpiege.txt");
    saveLines(app / "Hpiege.txt", {"1", "2"});
    EXPECT_EQ(slurp(victim), "à garder");
    EXPECT_FALSE(fs::is_symlink(app / "Hpiege.txt"));
    EXPECT_EQ(slurp(app / "Hpiege.txt"), "1\r\n2\r\n");
    // A dangling link creates nothing where it points.
    fs::create_symlink(elsewhere / "nouveau.txt", app / "Hvide.txt");
    saveLines(app / "Hvide.txt", {"3"});
    EXPECT_FALSE(fs::exists(elsewhere / "nouveau.txt"));
    EXPECT_EQ(slurp(app / "Hvide.txt"), "3\r\n");
}

TEST(FileSafety, PipesDevicesAndHugeFilesAreRefusedWithoutBeingRead) {
    AUB_SKIP_UNDER_NODE("pas de tubes nommés");
    TempFolder dir;
    ASSERT_EQ(::mkfifo((dir / "marteau.txt").c_str(), 0600), 0);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(errorCodeOf([&] { readTextFile(dir / "marteau.txt"); }), 75);
    EXPECT_EQ(errorCodeOf([&] { readDesignValues(dir / "marteau.txt"); }), 75);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_EQ(errorCodeOf([&] { readFileBytes("/dev/zero"); }), 75);
    fs::create_symlink("/dev/zero", dir / "Hzero.txt");
    EXPECT_EQ(errorCodeOf([&] { readFileBytes(dir / "Hzero.txt"); }), 75);
    EXPECT_EQ(errorCodeOf([&] { readFileBytes(dir.path()); }), 75);
    // Beyond the limit: refused; at the limit: read whole.
    const auto huge = dir.write("Hgros.txt", "");
    fs::resize_file(huge, MaxFileBytes + 1);
    EXPECT_EQ(errorCodeOf([&] { readDesignValues(huge); }), 75);
    fs::resize_file(huge, MaxFileBytes);
    EXPECT_EQ(readFileBytes(huge).size(), MaxFileBytes);
    // A link to a regular file still reads it.
    dir.write("Hvrai.txt", "4\r\n");
    fs::create_symlink(dir / "Hvrai.txt", dir / "Hlien.txt");
    EXPECT_EQ(readLines(dir / "Hlien.txt"), std::vector<std::string>{"4"});
}

TEST(FileSafety, HelpRecordsComeFromTheFileFoundWithoutCaseAndNeverFromAPipe) {
    TempFolder dir;
    dir.write("MICROFICH.TXT", std::string(10000, 'a') + "deuxi\xE8me enregistrement");
    HelpTextFile help(dir / "Microfich.txt");
    EXPECT_EQ(help.record(1), std::string(10000, 'a'));
    EXPECT_EQ(help.record(2).substr(0, 9), "deuxi\xC3\xA8me");
    TempFolder other;
    ASSERT_EQ(::mkfifo((other / "Microfich.txt").c_str(), 0600), 0);
    EXPECT_EQ(HelpTextFile(other / "Microfich.txt").record(1), std::string(10000, ' '));
}

TEST(FileSafety, PrivateFolderIsTheUsersOwnAndAPlantedLinkIsRefused) {
    TempFolder base;
    const fs::path dir = privateFolder(base.path());
    struct stat st;
    ASSERT_EQ(::lstat(dir.c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_EQ(privateFolder(base.path()), dir);  // found again
    TempFolder planted, target;
    fs::create_symlink(target.path(), planted.path() / dir.filename());
    EXPECT_EQ(errorCodeOf([&] { privateFolder(planted.path()); }), 70);
}

#endif

TEST(FileSafety, StaleTemporaryFilesOfTheSaveGoWhenTheFolderIsOpened) {
    AUB_SKIP_UNDER_NODE("dates de modification non réglables");
    TempFolder app;
    app.write("Microfich.txt", "aide");
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(2);
    for (auto name : {".aubelys-0123456789abcdef.tmp", "Rouehaut/.aubelys-fedcba9876543210.tmp"}) {
        app.write(name, "moitié");
        fs::last_write_time(app / name, old);
    }
    app.write(".aubelys-00000000000000ff.tmp", "en cours");  // another copy saving right now
    app.write("Hmaroue.tmp", "x");                           // not of the save's pattern
    fs::last_write_time(app / "Hmaroue.tmp", old);
    EXPECT_EQ(resolveAppFolder(app.path(), app.path()), app.path());
    EXPECT_FALSE(fs::exists(app / ".aubelys-0123456789abcdef.tmp"));
    EXPECT_FALSE(fs::exists(app / "Rouehaut/.aubelys-fedcba9876543210.tmp"));
    EXPECT_TRUE(fs::exists(app / ".aubelys-00000000000000ff.tmp"));
    EXPECT_TRUE(fs::exists(app / "Hmaroue.tmp"));
}

TEST(FileSafety, ProgramFilesAndDirectionMarksAreRefusedAsDesignNames) {
    const std::string own = "Ce nom est celui d'un fichier du logiciel : donnez un autre nom";
    for (auto name : {"Microfich.txt", "MICROFICH.TXT", "Pertescou.txt", "coursierforge.txt", "Tempobuse", "temporary",
                      "Myroue.txt"})
        EXPECT_EQ(checkTypedName(name), own) << name;
    EXPECT_FALSE(checkTypedName("Microfich2.txt"));
    const std::string incorrect =
        "Nom de fichier incorrect : donnez un nom simple, sans chemin ni caractère \\ / : * ? \" < > |";
    // U+202E (right-to-left override) and U+2066 (left-to-right isolate).
    EXPECT_EQ(checkTypedName("Kessai\xE2\x80\xAEtxt.exe"), incorrect);
    EXPECT_EQ(checkTypedName("K\xE2\x81\xA6nom.txt"), incorrect);
}

TEST(FileSafety, NamesInWindows1252AreListedInUtf8AndFoundAgain) {
    AUB_SKIP_UNDER_NODE("noms de fichiers en UTF-8 seulement");
    TempFolder dir;
    dir.write("K\xE9t\xE9.txt", "1\r\n");  // "Kété.txt" written by an older system
    const auto names = listFiles(dir.path(), "K*.txt");
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(names[0], "K\xC3\xA9t\xC3\xA9.txt");
    EXPECT_TRUE(isValidUtf8(names[0]));
    const auto found = findFile(dir.path(), names[0]);
    ASSERT_TRUE(found);
    EXPECT_EQ(readLines(*found), std::vector<std::string>{"1"});
}

}  // namespace
}  // namespace aub

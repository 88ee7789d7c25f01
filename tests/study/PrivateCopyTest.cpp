// The study's private copy of the program folder: only the user may read it, it holds
// what calculations read, it goes when the run ends, is interrupted or was killed, and a
// full temporary disk is named as such.
#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/DataFolders.h"
#include "files/TextFile.h"
#include "study/PrivateCopy.h"
#include "study/Study.h"
#include "support/NodeFileSystem.h"
#include "support/WindowTest.h"

namespace aub {
namespace {

namespace fs = std::filesystem;

unsigned modeOf(const fs::path& p) {
    struct stat st;
    if (::lstat(p.c_str(), &st) != 0) return 01000000;
    return st.st_mode & 07777;
}

// A process number that no running process has: a child that has ended and was reaped.
long endedProcess() {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    int status = 0;
    ::waitpid(child, &status, 0);
    return static_cast<long>(child);
}

class PrivateCopyTest : public test::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        privateCopyHooks() = {};
        privateCopyHooks().temporaryBase = temp_.path();
    }
    void TearDown() override {
        privateCopyHooks() = {};
        WindowTest::TearDown();
    }

    fs::path mine() const { return temp_ / ("aubelys-" + std::to_string(::geteuid())); }

    // The study copies in the private temporary folder.
    std::vector<fs::path> copies() const {
        std::vector<fs::path> out;
        std::error_code ec;
        for (fs::directory_iterator it(mine(), ec), end; !ec && it != end; it.increment(ec))
            if (pathToUtf8(it->path().filename()).starts_with("etude-")) out.push_back(it->path());
        return out;
    }

    StudyRequest overshot(int points = 4) {
        StudyRequest r;
        r.calculation = "Roue au dessus — Calcul";
        r.parameter = "Valbox(4)";
        r.from = 2.5;
        r.to = 4;
        r.points = points;
        r.followed = {"Resubox(3)"};
        r.startFile = "H0Dalmor.txt";
        return r;
    }

    test::TempFolder temp_;
};

TEST_F(PrivateCopyTest, OnlyTheUserMayReadTheCopyAndItHoldsWhatCalculationsRead) {
    test::TempFolder outside;
    outside.write("secret.txt", "1\r\n");
    test::TempFolder person;
    for (const char* name : {"H0Dalmor.txt", "Microfich.txt", "Pelton03.jpg", "Nmanning.htm"})
        fs::copy_file(folder() / name, person / name);
    person.write("Tempobuse", "0.5\r\n");
    person.write("Etude.csv", "a;b\r\n");
    person.write(".cache", "x");
    person.write("Roueparbas/marteau.txt", "1\r\n2\r\n");
    person.write("Roueparbas/vue.png", "png");
    person.write("aide/index.htm", "<p>");
    fs::create_symlink(outside / "secret.txt", person / "Hlien.txt");
    fs::create_symlink(outside.path(), person / "Rouehaut");
    // A private folder left open by an earlier version is closed again.
    fs::create_directory(mine());
    fs::permissions(mine(), fs::perms(0755));

    Study study(catalog_, person.path(), overshot());
    ASSERT_TRUE(study.ok()) << study.error();
    EXPECT_EQ(modeOf(mine()), 0700u);
    const auto made = copies();
    ASSERT_EQ(made.size(), 1u);
    EXPECT_EQ(modeOf(made[0]), 0700u);
    std::set<std::string> held;
    for (const auto& e : fs::recursive_directory_iterator(made[0])) {
        held.insert(pathToUtf8(fs::relative(e.path(), made[0]).generic_string()));
        if (e.is_directory())
            EXPECT_EQ(modeOf(e.path()), 0700u) << e.path();
        else
            EXPECT_EQ(modeOf(e.path()), 0600u) << e.path();
    }
    EXPECT_EQ(held, (std::set<std::string>{"H0Dalmor.txt", "Microfich.txt", "Tempobuse", "Roueparbas",
                                           "Roueparbas/marteau.txt"}));
    EXPECT_EQ(test::slurp(made[0] / "Roueparbas" / "marteau.txt"), "1\r\n2\r\n");

    // The table is made: the copy goes, the rows stay.
    study.runAll();
    EXPECT_EQ(study.rows().size(), 4u);
    EXPECT_TRUE(study.rows()[0].message.empty()) << study.rows()[0].message;
    EXPECT_TRUE(copies().empty());

    // Cancelled after one point: the copy goes at once.
    Study stopped(catalog_, person.path(), overshot(100));
    ASSERT_TRUE(stopped.ok());
    EXPECT_EQ(copies().size(), 1u);
    EXPECT_TRUE(stopped.runSome(0));
    stopped.cancel();
    EXPECT_TRUE(copies().empty());
    EXPECT_EQ(stopped.rows().size(), 1u);
}

TEST_F(PrivateCopyTest, APrivateFolderThatIsALinkIsRefusedAndNothingIsWrittenThere) {
    test::TempFolder elsewhere;
    fs::create_directory_symlink(elsewhere.path(), mine());
    Study study(catalog_, folder(), overshot());
    EXPECT_EQ(study.error(), "Etude impossible : pas de dossier temporaire (Permission refusée)");
    EXPECT_TRUE(fs::is_empty(elsewhere.path()));
}

TEST_F(PrivateCopyTest, CopiesOfEndedRunsAreRemovedAtStartAndNothingElse) {
    AUB_SKIP_UNDER_NODE("pas de processus fils");
    const fs::path folder = privateFolder(temp_.path());
    ASSERT_EQ(folder, mine());
    const std::string ended = std::to_string(endedProcess());
    test::TempFolder outside;
    outside.write("garde.txt", "1");

    const fs::path stale = folder / ("etude-" + ended + "-a1b2c3");
    fs::create_directories(stale / "Roueparbas");
    std::ofstream(stale / "H0Dalmor.txt") << "2";
    fs::create_symlink(outside / "garde.txt", stale / "lien.txt");
    fs::create_directory_symlink(outside.path(), stale / "Roueparbas" / "lien");
    const fs::path ownRun = folder / ("etude-" + std::to_string(::getpid()) + "-zzzzzz");
    const fs::path linkOfEnded = folder / ("etude-" + ended + "-lien");
    const fs::path other = folder / "Résultats.txt";
    const fs::path oddName = folder / ("etude-" + ended);
    fs::create_directory(ownRun);
    fs::create_directory_symlink(outside.path(), linkOfEnded);
    fs::create_directory(oddName);
    std::ofstream(other) << "3";

    Study study(catalog_, this->folder(), overshot());
    ASSERT_TRUE(study.ok()) << study.error();
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_TRUE(fs::is_directory(ownRun));     // this process's own
    EXPECT_TRUE(fs::is_symlink(linkOfEnded));  // not a folder: left as it is
    EXPECT_TRUE(fs::is_directory(oddName));    // not named like a copy
    EXPECT_TRUE(fs::exists(other));
    EXPECT_EQ(test::slurp(outside / "garde.txt"), "1");  // no link was followed
    EXPECT_EQ(copies().size(), 4u);                      // the study's own, this process's, the link, the odd name
}

TEST_F(PrivateCopyTest, CopiesThatEarlierVersionsLeftInTheSharedFolderGoAfterADay) {
    AUB_SKIP_UNDER_NODE("dates de modification non réglables");
    const auto dayAndMore = fs::file_time_type::clock::now() - std::chrono::hours(25);
    const fs::path old = temp_ / "aubelys-etude-123456-7";
    const fs::path recent = temp_ / "aubelys-etude-654321-8";  // an earlier version may be running it
    const fs::path other = temp_ / "aubelys-test-old";
    for (const fs::path& p : {old, recent, other}) {
        fs::create_directories(p);
        std::ofstream(p / "H0Dalmor.txt") << "1";
    }
    fs::last_write_time(old, dayAndMore);
    fs::last_write_time(other, dayAndMore);
    Study study(catalog_, folder(), overshot());
    ASSERT_TRUE(study.ok()) << study.error();
    EXPECT_FALSE(fs::exists(old));
    EXPECT_TRUE(fs::exists(recent / "H0Dalmor.txt"));
    EXPECT_TRUE(fs::exists(other / "H0Dalmor.txt"));
}

TEST_F(PrivateCopyTest, AFullTemporaryDiskIsNamedAndTheDesignIsNotBlamed) {
    struct Case {
        const char* name;
        int error;
        std::size_t acceptedBytes;  // written before the failure
        std::string message;
    };
    const std::string full = "Etude impossible : l'espace temporaire est plein (" + pathToUtf8(mine()) + ")";
    const std::vector<Case> cases = {
        {"full at the first byte", ENOSPC, 0, full},
        {"full in the middle of a file", ENOSPC, 200000, full},
        {"quota reached", EDQUOT, 50, full},
        {"device fault", EIO, 0,
         "Etude impossible : copie dans le dossier temporaire impossible (Erreur d'accès au chemin ou au fichier)"},
    };
    for (const Case& c : cases) {
        std::size_t written = 0;
        privateCopyHooks().write = [&](int fd, const char* bytes, std::size_t size) -> long long {
            if (written + size > c.acceptedBytes) {
                const std::size_t room = c.acceptedBytes - written;
                if (room == 0) {
                    errno = c.error;
                    return -1;
                }
                size = room;
            }
            const long long n = static_cast<long long>(::write(fd, bytes, size));
            if (n > 0) written += static_cast<std::size_t>(n);
            return n;
        };
        Study study(catalog_, folder(), overshot());
        EXPECT_EQ(study.error(), c.message) << c.name;
        EXPECT_TRUE(copies().empty()) << c.name;  // no half copy left
    }
    // Room again: the same study runs.
    privateCopyHooks().write = nullptr;
    Study study(catalog_, folder(), overshot());
    EXPECT_TRUE(study.ok()) << study.error();
}

TEST_F(PrivateCopyTest, AFormulaPageStudyInstallsNoDataFoldersInItsCopy) {
    for (const SampleFolder& f : sampleFolders()) ASSERT_FALSE(fs::exists(folder() / f.folder)) << f.folder;
    StudyRequest r;
    r.calculation = "Vanne simple";
    r.parameter = "zonetxt(0)";
    r.from = 1;
    r.to = 3;
    r.points = 3;
    r.followed = {"zoneresu"};
    r.startValues = {{"zonetxt(1)", "2"}, {"zonetxt(2)", "0.5"}};
    Study study(catalog_, folder(), r);
    ASSERT_TRUE(study.ok()) << study.error();
    const auto made = copies();
    ASSERT_EQ(made.size(), 1u);
    for (const SampleFolder& f : sampleFolders()) EXPECT_FALSE(fs::exists(made[0] / f.folder)) << f.folder;
    study.runAll();
    ASSERT_EQ(study.rows().size(), 3u);
    for (const StudyRow& row : study.rows()) {
        EXPECT_EQ(row.message, "") << row.value;
        EXPECT_NE(row.results.at(0), "") << row.value;
    }
    for (const SampleFolder& f : sampleFolders()) EXPECT_FALSE(fs::exists(folder() / f.folder)) << f.folder;
}

// Each signal in a child of its own: the signal arrives while the copy exists, the copy
// goes, and the run ends by that signal as it would have without the study.
TEST_F(PrivateCopyTest, InterruptionRemovesTheCopyThenEndsTheRunByItsSignal) {
    AUB_SKIP_UNDER_NODE("pas de processus fils ni de signaux");
    for (const int sig : {SIGINT, SIGTERM}) {
        for (const bool running : {true, false}) {
            const pid_t child = ::fork();
            ASSERT_GE(child, 0);
            if (child == 0) {
                {
                    Study study(catalog_, folder(), overshot(50));
                    if (!study.ok() || copies().size() != 1) ::_exit(3);
                    ::raise(sig);  // noted only: the copy is still there
                    if (copies().size() != 1) ::_exit(4);
                    if (running) {
                        study.runAll();
                        ::_exit(5);
                    }
                }  // the study is dropped without another point
                ::_exit(6);
            }
            int status = 0;
            ASSERT_EQ(::waitpid(child, &status, 0), child);
            EXPECT_TRUE(WIFSIGNALED(status)) << sig << running << " exit " << WEXITSTATUS(status);
            if (WIFSIGNALED(status)) {
                EXPECT_EQ(WTERMSIG(status), sig);
            }
            EXPECT_TRUE(copies().empty()) << sig << running;
        }
    }
    // In this process: the signals are watched while the copy exists, then handled as before.
    struct sigaction now;
    ::sigaction(SIGTERM, nullptr, &now);
    ASSERT_EQ(now.sa_handler, SIG_DFL);
    Study study(catalog_, folder(), overshot());
    ::sigaction(SIGTERM, nullptr, &now);
    EXPECT_NE(now.sa_handler, SIG_DFL);
    study.runAll();
    ::sigaction(SIGTERM, nullptr, &now);
    EXPECT_EQ(now.sa_handler, SIG_DFL);
    ::sigaction(SIGINT, nullptr, &now);
    EXPECT_EQ(now.sa_handler, SIG_DFL);
}

}  // namespace
}  // namespace aub

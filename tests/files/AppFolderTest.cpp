#include "files/AppFolder.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

namespace aub {
namespace {

namespace fs = std::filesystem;
using test::slurp;
using test::TempFolder;

// A program folder layout: the executable's folder with its delivered data beside it.
struct Install {
    TempFolder root;
    fs::path exeDir = root / "bin";
    Install() {
        root.write("bin/data/Microfich.txt", "aide");
        root.write("bin/data/H0Dalmor.txt", "1\r\n");
        root.write("bin/data/Rouehaut/Hexemple.txt", "2\r\n");
    }
};

#ifndef _WIN32
// Sets an environment variable for one test and puts it back afterwards.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};
#endif

TEST(AppFolder, WithSeparator) {
    const std::string sep(1, static_cast<char>(fs::path::preferred_separator));
    EXPECT_EQ(withSeparator(fs::path("/tmp/Aubelys")), "/tmp/Aubelys" + sep);
    EXPECT_EQ(withSeparator(fs::path("/tmp/Aubelys/")), "/tmp/Aubelys/");
    EXPECT_EQ(withSeparator(fs::path("/tmp/Été")), "/tmp/Été" + sep);
}

TEST(AppFolder, DeliveredDataBesideTheExecutableElseSourceTree) {
    Install in;
    EXPECT_EQ(deliveredDataFolder(in.exeDir), in.exeDir / "data");
    TempFolder bare;
#ifdef AUBELYS_DATA_SOURCE
    EXPECT_EQ(deliveredDataFolder(bare.path()), fs::path(AUBELYS_DATA_SOURCE));
#endif
}

TEST(AppFolder, SeedingCopiesWhatIsMissingAndNeverOverwrites) {
    Install in;
    TempFolder to;
    to.write("microfich.TXT", "mine");  // same file under another case
    to.write("H0Dalmor.txt", "edited");
    fs::create_directory(to / "ROUEHAUT");
    seedFolder(in.exeDir / "data", to.path());

    EXPECT_EQ(slurp(to / "H0Dalmor.txt"), "edited");
    EXPECT_EQ(slurp(to / "microfich.TXT"), "mine");
    EXPECT_FALSE(fs::exists(to / "Microfich.txt") && !fs::equivalent(to / "Microfich.txt", to / "microfich.TXT"));
    EXPECT_EQ(slurp(to / "ROUEHAUT" / "Hexemple.txt"), "2\r\n");
    EXPECT_FALSE(fs::exists(to / "Rouehaut") && !fs::equivalent(to / "Rouehaut", to / "ROUEHAUT"));

    seedFolder(in.root / "absent", to.path());  // nothing delivered: nothing happens
}

TEST(AppFolder, ChosenFolderIsCreatedAndSeededOnce) {
    Install in;
    const fs::path chosen = in.root / "mes" / "calculs";
    EXPECT_EQ(resolveAppFolder(chosen, in.exeDir), chosen);
    EXPECT_EQ(slurp(chosen / "Microfich.txt"), "aide");
    EXPECT_EQ(slurp(chosen / "Rouehaut" / "Hexemple.txt"), "2\r\n");

    // A folder already in use is left as the person keeps it.
    fs::remove(chosen / "H0Dalmor.txt");
    EXPECT_EQ(resolveAppFolder(chosen, in.exeDir), chosen);
    EXPECT_FALSE(fs::exists(chosen / "H0Dalmor.txt"));

    // A folder chosen inside the delivered data is not copied into itself.
    const fs::path inside = in.exeDir / "data" / "mine";
    EXPECT_EQ(resolveAppFolder(inside, in.exeDir), inside);
    EXPECT_TRUE(fs::exists(inside / "Rouehaut" / "Hexemple.txt"));
    EXPECT_FALSE(fs::exists(inside / "mine"));
}

TEST(AppFolder, AFolderSeededByAnEarlierVersionReceivesTheZoneFileOnlyWhenMissing) {
    Install in;
    const fs::path chosen = in.root / "ancien";
    in.root.write("ancien/Microfich.txt", "aide");  // seeded before the zone file existed
    in.root.write("bin/data/DomainesMachines.txt", "zone;A\n");
    EXPECT_EQ(resolveAppFolder(chosen, in.exeDir), chosen);
    EXPECT_EQ(slurp(chosen / "DomainesMachines.txt"), "zone;A\n");
    EXPECT_FALSE(fs::exists(chosen / "H0Dalmor.txt"));  // the rest stays as the person keeps it

    // The person's own version is never replaced.
    in.root.write("ancien/DomainesMachines.txt", "zone;Mienne\n");
    EXPECT_EQ(resolveAppFolder(chosen, in.exeDir), chosen);
    EXPECT_EQ(slurp(chosen / "DomainesMachines.txt"), "zone;Mienne\n");
}

TEST(AppFolder, ExecutableFolderHoldingTheDataIsUsed) {
    Install in;
    in.root.write("bin/Microfich.txt", "aide");
    EXPECT_EQ(resolveAppFolder(std::nullopt, in.exeDir), in.exeDir);
    // No probe file is left behind.
    int files = 0;
    for (const auto& e : fs::directory_iterator(in.exeDir)) files += e.is_regular_file();
    EXPECT_EQ(files, 1);
}

#ifndef _WIN32
TEST(AppFolder, OtherwiseThePerUserFolderIsSeeded) {
    Install in;
    TempFolder xdg;
    ScopedEnv env("XDG_DATA_HOME", xdg.path().string());
    const fs::path expected = xdg / "Aubelys";
    EXPECT_EQ(resolveAppFolder(std::nullopt, in.exeDir), expected);
    EXPECT_EQ(slurp(expected / "Microfich.txt"), "aide");
    EXPECT_EQ(slurp(expected / "H0Dalmor.txt"), "1\r\n");
    EXPECT_EQ(slurp(expected / "Rouehaut" / "Hexemple.txt"), "2\r\n");

    TempFolder home;
    ScopedEnv noXdg("XDG_DATA_HOME", "");
    ScopedEnv homeEnv("HOME", home.path().string());
    EXPECT_EQ(resolveAppFolder(std::nullopt, in.exeDir), home / ".local" / "share" / "Aubelys");
}

// An installed program (bin/ and share/aubelys/ under one prefix, wherever the prefix
// is) reads its data from share/aubelys and keeps the designs in the per-user folder,
// even when its own folder is writable and holds a help file.
TEST(AppFolder, InstalledProgramUsesSharedDataAndNeverItsOwnFolder) {
    TempFolder prefix;
    prefix.write("opt/ailleurs/share/aubelys/Microfich.txt", "aide livrée");
    prefix.write("opt/ailleurs/share/aubelys/Rouehaut/Hexemple.txt", "3\r\n");
    prefix.write("opt/ailleurs/bin/Microfich.txt", "égaré");
    const fs::path bin = prefix / "opt" / "ailleurs" / "bin";
    const fs::path shared = prefix / "opt" / "ailleurs" / "share" / "aubelys";
    EXPECT_EQ(installedDataFolder(bin), shared);
    EXPECT_EQ(deliveredDataFolder(bin), shared);

    TempFolder xdg;
    ScopedEnv env("XDG_DATA_HOME", xdg.path().string());
    EXPECT_EQ(resolveAppFolder(std::nullopt, bin), xdg / "Aubelys");
    EXPECT_EQ(slurp(xdg / "Aubelys" / "Microfich.txt"), "aide livrée");
    EXPECT_EQ(slurp(xdg / "Aubelys" / "Rouehaut" / "Hexemple.txt"), "3\r\n");

    // A share/aubelys without the help file is not an installation.
    TempFolder other;
    other.write("share/aubelys/autre.txt", "x");
    other.write("bin/aubelys", "");
    EXPECT_TRUE(installedDataFolder(other / "bin").empty());
}
#endif

}  // namespace
}  // namespace aub

// Command-line transcripts: steps in, listing out, exit statuses.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/CliMain.h"
#include "support/WindowTest.h"

namespace aub {
namespace {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

CliRun cli(const test::TempFolder& folder, std::vector<std::string> args) {
    args.insert(args.begin(), {"--dossier", folder.path().string()});
    std::ostringstream out, err;
    int status = cliMain(args, test::dataSource().parent_path().string(), out, err);
    return {status, out.str(), err.str()};
}

TEST(CliTest, JsonListingOfTheTextWindow) {
    test::TempFolder folder;
    CliRun r = cli(folder, {"--json", "Formhlp"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("{\"windows\":{\"Formhlp\":{\"title\":\"Aide locale\",\"visible\":true", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("\"enrg\":{\"kind\":\"menu\",\"text\":\"Enregistre\",\"visible\":false"),
              std::string::npos);
    EXPECT_NE(r.out.find("\"ended\":false}"), std::string::npos);
}

TEST(CliTest, StartUpClickShowsTheMainWindow) {
    test::TempFolder folder;
    CliRun r = cli(folder, {"Frmdepart", "Image1"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.find("Frmdepart"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("=== Formmain — « PAGE GENERALE »"), std::string::npos) << r.out;
}

TEST(CliTest, QuitEndsTheProgram) {
    test::TempFolder folder;
    CliRun r = cli(folder, {"--json", "Formmain", "&Quitter"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"ended\":true}"), std::string::npos) << r.out;
}

TEST(CliTest, UnknownNamesExitWithTwoAndBadUsageWithOne) {
    test::TempFolder folder;
    EXPECT_EQ(cli(folder, {"Formpasla"}).status, 2);
    EXPECT_EQ(cli(folder, {"Formhlp", "Bouton(2)"}).status, 2);
    EXPECT_EQ(cli(folder, {"--inconnue", "Formhlp"}).status, 1);
    EXPECT_EQ(cli(folder, {}).status, 1);
}

}  // namespace
}  // namespace aub

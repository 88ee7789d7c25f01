#include "files/HelpTextFile.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace aub {
namespace {

using test::TempFolder;

TEST(HelpTextFile, RecordsOfTenThousandBytes) {
    TempFolder t;
    std::string bytes(HelpRecordLength, 'a');
    bytes += "Pertes de charge \xE9t\xE9 \x80";  // record 2 begins here, a short last record
    bytes += std::string(HelpRecordLength - 22, 'b');
    bytes += "fin";  // record 3: three bytes only
    HelpTextFile help(t.write("Microfich.txt", bytes));

    EXPECT_EQ(help.record(1), std::string(HelpRecordLength, 'a'));
    const std::string second = help.record(2);
    EXPECT_TRUE(second.starts_with("Pertes de charge été €b"));
    EXPECT_TRUE(second.ends_with("b"));
    EXPECT_EQ(second.size(), HelpRecordLength + 4);  // é, é and € take 2, 2 and 3 bytes
    EXPECT_EQ(help.record(3), "fin" + std::string(HelpRecordLength - 3, ' '));
    EXPECT_EQ(help.record(4), std::string(HelpRecordLength, ' '));
    EXPECT_EQ(help.record(0), std::string(HelpRecordLength, ' '));
    EXPECT_EQ(help.record(-1), std::string(HelpRecordLength, ' '));
}

TEST(HelpTextFile, MissingFileReadsBlank) {
    TempFolder t;
    EXPECT_EQ(HelpTextFile(t / "Microfich.txt").record(34), std::string(HelpRecordLength, ' '));
    EXPECT_EQ(HelpTextFile().record(1), std::string(HelpRecordLength, ' '));
}

}  // namespace
}  // namespace aub

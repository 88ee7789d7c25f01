// The one CSV field writer and reader of the program: what the chart and study exports
// write reads back as the same fields.
#include "files/Csv.h"

#include <gtest/gtest.h>

namespace aub {
namespace {

TEST(CsvTest, AFieldIsQuotedOnlyWhenItHoldsTheSeparatorAQuoteOrALineEnd) {
    EXPECT_EQ(csvField("Débit Q (m3/s)"), "Débit Q (m3/s)");
    EXPECT_EQ(csvField("1,5"), "1,5");  // a decimal comma is no separator here
    EXPECT_EQ(csvField("a;b"), "\"a;b\"");
    EXPECT_EQ(csvField("dit \"oui\""), "\"dit \"\"oui\"\"\"");
    EXPECT_EQ(csvField("deux\nlignes"), "\"deux\nlignes\"");
    EXPECT_EQ(csvField("1,5", ','), "\"1,5\"");
}

TEST(CsvTest, WrittenFieldsReadBackWhole) {
    const std::vector<std::string> fields = {"Qd", "a;b", "dit \"oui\"", "", "1,5"};
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) line += (i ? ";" : "") + csvField(fields[i]);
    EXPECT_EQ(csvFields(line), fields);
}

TEST(CsvTest, QuotedDateAndFlowAreReadWithoutTheirQuotesAndBlanks) {
    EXPECT_EQ(csvFields("\"2020-01-01\";\"1,5\""), (std::vector<std::string>{"2020-01-01", "1,5"}));
    EXPECT_EQ(csvFields(" \"2020-01-01\" ; 1,5 ;"), (std::vector<std::string>{"2020-01-01", "1,5", ""}));
    EXPECT_EQ(csvFields("2020-01-01\t2.5", '\t'), (std::vector<std::string>{"2020-01-01", "2.5"}));
}

}  // namespace
}  // namespace aub

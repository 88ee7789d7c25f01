#include "core/SharedValues.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace aub {
namespace {

TEST(SharedValues, FieldListsNameEveryMemberOnce) {
    const auto& floats = SharedValues::floatFields();
    EXPECT_EQ(floats.size(), 37u);
    SharedValues v;
    std::set<std::string> names;
    for (std::size_t i = 0; i < floats.size(); ++i) {
        EXPECT_TRUE(names.insert(floats[i].first).second) << floats[i].first;
        EXPECT_EQ(std::string(floats[i].first).rfind("Shared", 0), 0u) << floats[i].first;
        v.*floats[i].second = static_cast<float>(i + 1);
    }
    // Distinct members: every value written is still there.
    for (std::size_t i = 0; i < floats.size(); ++i)
        EXPECT_EQ(v.*floats[i].second, static_cast<float>(i + 1)) << floats[i].first;
    EXPECT_EQ(v.SharedFlowLs, 1.0f);
    EXPECT_EQ(v.SharedDensity, 37.0f);
    const auto& quantities = SharedValues::quantityFields();
    ASSERT_EQ(quantities.size(), 3u);
    EXPECT_STREQ(quantities[1].name, "SharedFlow");

    const auto& texts = SharedValues::textFields();
    EXPECT_EQ(texts.size(), 7u);
    for (const auto& [name, member] : texts) v.*member = name;
    EXPECT_EQ(v.AppFolder, "AppFolder");
    EXPECT_EQ(v.HelpRecord, "HelpRecord");
    EXPECT_EQ(v.SharedLastFile, "SharedLastFile");
}

}  // namespace
}  // namespace aub

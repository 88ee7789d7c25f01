// The typed flow-duration curve.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "energy/FlowText.h"
#include "support/WindowTest.h"

namespace aub {
namespace {

TEST(DurationCurveText, AcceptsBothDecimalSeparatorsCommentsAndBlankLines) {
    const CurveText c = parseDurationCurve("# débits classés\n\n0 ; 12,5\r\n50\t3.25\n  \n100 ; 0,4\n");
    ASSERT_TRUE(c.error.empty()) << c.error;
    ASSERT_EQ(c.points.size(), 3u);
    EXPECT_DOUBLE_EQ(c.points[0].flow, 12.5);
    EXPECT_DOUBLE_EQ(c.points[1].percent, 50);
    EXPECT_DOUBLE_EQ(c.points[1].flow, 3.25);
    EXPECT_DOUBLE_EQ(c.points[2].flow, 0.4);
}

TEST(DurationCurveText, NamesTheFaultyLine) {
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"0 ; 5\n120 ; 1",
         "Débits classés, ligne 2 : la fréquence de dépassement doit être comprise entre 0 et 100 %."},
        {"0 ; 5\n# note\n50 ; 6",
         "Débits classés, ligne 3 : les débits ne doivent pas croître quand la fréquence augmente."},
        {"0 ; -1", "Débits classés, ligne 1 : un débit ne peut pas être négatif."},
        {"0 ; 5\nbeaucoup ; 2", "Débits classés, ligne 2 : deux nombres attendus, « fréquence (%) ; débit (m3/s) »."},
        {"50 ; 5\n10 ; 2", "Débits classés, ligne 2 : les fréquences doivent croître d'une ligne à l'autre."},
        {"0 ; inf", "Débits classés, ligne 1 : deux nombres attendus, « fréquence (%) ; débit (m3/s) »."},
    };
    for (const Case& c : cases) {
        const CurveText parsed = parseDurationCurve(c.text);
        EXPECT_EQ(parsed.error, c.message) << c.text;
        EXPECT_TRUE(parsed.points.empty());
    }
}

}  // namespace
}  // namespace aub

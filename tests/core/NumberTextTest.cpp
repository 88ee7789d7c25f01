#include "core/CalcError.h"
#include "core/NumberText.h"
#include "core/RecordingMessenger.h"
#include "support/TimeFactor.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>
#include <string>

namespace aub {
namespace {

using test::RecordingMessenger;

const std::string BadInputTail = "\n  Saisie de zone numérique incorrecte";

float parse(std::string text, bool decimalComma, RecordingMessenger& m) { return parseNumber(text, decimalComma, m); }

TEST(ParseNumber, CommaBetweenSpacesReadsOnBothSettingsAndKeepsTheTrimmedText) {
    for (bool comma : {false, true}) {
        RecordingMessenger m;
        std::string text = "  2,5  ";
        EXPECT_FLOAT_EQ(parseNumber(text, comma, m), 2.5f);
        EXPECT_EQ(text, "2,5");
        EXPECT_TRUE(m.messages.empty());
        std::string point = " 2.5";
        EXPECT_FLOAT_EQ(parseNumber(point, comma, m), 2.5f);
        EXPECT_EQ(point, "2.5");
    }
}

TEST(ParseNumber, LettersAreZeroSilentlyOnPointSettingsAndAMessageOnCommaSettings) {
    RecordingMessenger point;
    EXPECT_EQ(parse("abc", false, point), 0.0f);
    EXPECT_TRUE(point.messages.empty());

    RecordingMessenger comma;
    EXPECT_EQ(parse("abc", true, comma), 0.0f);
    ASSERT_EQ(comma.messages.size(), 1u);
    EXPECT_EQ(comma.messages[0], "Type incompatible" + BadInputTail);
}

TEST(ParseNumber, EmptyOrBlankTextIsZeroWithoutMessage) {
    for (bool comma : {false, true}) {
        RecordingMessenger m;
        std::string blank = "   ";
        EXPECT_EQ(parse("", comma, m), 0.0f);
        EXPECT_EQ(parseNumber(blank, comma, m), 0.0f);
        EXPECT_EQ(blank, "");
        EXPECT_TRUE(m.messages.empty());
    }
}

TEST(ParseNumber, LenientReaderTakesTheLongestLeadingNumber) {
    RecordingMessenger m;
    EXPECT_FLOAT_EQ(parse("- 1 2 . 5e 2x", false, m), -1250.0f);
    EXPECT_FLOAT_EQ(parse("12abc", false, m), 12.0f);
    EXPECT_FLOAT_EQ(parse("1.2.3", false, m), 1.2f);
    EXPECT_FLOAT_EQ(parse("3d2", false, m), 300.0f);
    EXPECT_FLOAT_EQ(parse("2.5E-1", false, m), 0.25f);
    EXPECT_FLOAT_EQ(parse("7e", false, m), 7.0f);
    EXPECT_FLOAT_EQ(parse(".5", false, m), 0.5f);
    EXPECT_FLOAT_EQ(parse("+4", false, m), 4.0f);
    EXPECT_EQ(parse("--4", false, m), 0.0f);
    EXPECT_EQ(parse(".", false, m), 0.0f);
    // Only the first comma becomes a point: no thousands separator.
    EXPECT_FLOAT_EQ(parse("1,234.5", false, m), 1.234f);
    EXPECT_EQ(parse("1e-60", false, m), 0.0f);
    EXPECT_TRUE(m.messages.empty());
}

TEST(ParseNumber, StrictReaderOnCommaSettingsRejectsAnythingElse) {
    RecordingMessenger m;
    EXPECT_FLOAT_EQ(parse("1,5E+3", true, m), 1500.0f);
    EXPECT_FLOAT_EQ(parse("-0.25", true, m), -0.25f);
    EXPECT_FLOAT_EQ(parse("3,", true, m), 3.0f);
    EXPECT_TRUE(m.messages.empty());
    for (const char* bad : {"1.234,5", "12abc", "- 5", "1e", ".", "3d2", "1 000"}) {
        RecordingMessenger r;
        EXPECT_EQ(parse(bad, true, r), 0.0f) << bad;
        ASSERT_EQ(r.messages.size(), 1u) << bad;
        EXPECT_EQ(r.messages[0], "Type incompatible" + BadInputTail);
    }
}

TEST(ParseNumber, ValueBeyondSingleRangeShowsOverflowAndGivesZero) {
    for (bool comma : {false, true}) {
        for (const char* big : {"1e40", "-3.5e38", "1e999999999999"}) {
            RecordingMessenger m;
            EXPECT_EQ(parse(big, comma, m), 0.0f) << big;
            ASSERT_EQ(m.messages.size(), 1u) << big;
            EXPECT_EQ(m.messages[0], "Dépassement de capacité" + BadInputTail);
        }
        RecordingMessenger m;
        EXPECT_FLOAT_EQ(parse("3.4e38", comma, m), 3.4e38f);
        EXPECT_TRUE(m.messages.empty());
    }
}

TEST(ParseNumber, LongTextsAreReadInLinearTime) {
    std::string digits = "1" + std::string(9999, '0');  // 1e9999
    std::string tiny = "0." + std::string(9997, '0') + "1";
    std::string spaced;
    for (int i = 0; i < 500000; ++i) spaced += "1 ";
    const double start = test::threadCpuSeconds();
    RecordingMessenger m;
    EXPECT_EQ(parse(digits, false, m), 0.0f);
    EXPECT_EQ(m.messages.size(), 1u);
    EXPECT_EQ(parse(tiny, false, m), 0.0f);
    EXPECT_EQ(parse(tiny, true, m), 0.0f);
    EXPECT_EQ(parse(spaced, false, m), 0.0f);  // 10^500000 -> overflow message
    EXPECT_EQ(m.messages.size(), 2u);
    EXPECT_LT(test::threadCpuSeconds() - start, 2.0 * test::timeFactor());
}

TEST(LeadingNumber, DoubleRangeWithoutCheck) {
    EXPECT_DOUBLE_EQ(leadingNumber("1e300 m"), 1e300);
    EXPECT_DOUBLE_EQ(leadingNumber("  0.1"), 0.1);
    EXPECT_EQ(leadingNumber("1e400"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(leadingNumber("x1"), 0.0);
    EXPECT_EQ(leadingNumber(""), 0.0);
}

struct MaskCase {
    float value;
    const char* mask;
    const char* expected;
};

TEST(FormatMask, ProgramMasks) {
    const MaskCase cases[] = {
        {2.675f, "0.00", "2.68"},
        {0.5f, "###.###", ".5"},
        {0.0f, "###.###", "."},
        {0.5f, "###.00", ".50"},
        {3.2229f, "##0.###", "3.223"},
        {12.0f, "##0.###", "12."},
        {0.0f, "###", ""},
        {0.0f, "#", ""},
        {0.4f, "###", ""},
        {0.0f, "0", "0"},
        {5.0f, "00", "05"},
        {123.0f, "00", "123"},
        {12.0f, "###.", "12."},
        {0.5f, "####.0####", ".5"},
        {3.0f, "####.0####", "3.0"},
        {0.125f, "##.000", ".125"},
        {1.5f, "##0.000", "1.500"},
        {9.9996f, "##0.###", "10."},
        {0.99996f, "###.####", "1."},
        {-0.0001f, "0.00", "0.00"},
        {-0.0f, "0.###", "0."},
        {-1.005f, "0.00", "-1.01"},
        {0.0004f, "###.###", "."},
        {1234.5f, "#0.0000", "1234.5000"},
        {0.05f, "0.0", "0.1"},
        {7.0f, "0.0 %", "7.0 %"},
    };
    for (const auto& c : cases) EXPECT_EQ(formatMask(c.value, c.mask), c.expected) << c.value << " with " << c.mask;
}

TEST(FormatMask, HugeAndDoubleValues) {
    EXPECT_EQ(formatMask(1e30f, "##0.###"), "1" + std::string(30, '0') + ".");
    EXPECT_EQ(formatMask(-1e300, "0.00"), "-1" + std::string(300, '0') + ".00");
    EXPECT_EQ(formatMask(2.675, "0.00"), "2.68");
    EXPECT_EQ(formatMask(0.1 + 0.2, "0.################"), "0.3");  // shortest form 0.30000000000000004
    EXPECT_EQ(formatMask(1e-7, "0.######"), "0.");
    EXPECT_EQ(formatMask(5e-7, "0.######"), "0.000001");
}

TEST(FormatMask, NonFiniteThrowsOverflow) {
    for (float v : {std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN()}) {
        try {
            formatMask(v, "0.00");
            ADD_FAILURE() << "no throw";
        } catch (const CalcError& e) {
            EXPECT_EQ(e.code(), ErrOverflow);
        }
    }
    EXPECT_THROW(formatMask(-std::numeric_limits<double>::infinity(), "0"), CalcError);
    EXPECT_THROW(formatNumber(std::numeric_limits<float>::quiet_NaN()), CalcError);
}

TEST(FormatNumber, WorkedExamples) {
    EXPECT_EQ(formatNumber(0.5f), "0.5");
    EXPECT_EQ(formatNumber(12.3456f), "12.346");
    EXPECT_EQ(formatNumber(-2.0f), "-2.");
    EXPECT_EQ(formatNumber(12.0f), "12.");
    EXPECT_EQ(formatNumber(0.0f), "0.");
    EXPECT_EQ(formatNumber(0.12345f), "0.1235");
    EXPECT_EQ(formatNumber(1.0f), "1.");
    EXPECT_EQ(formatNumber3(2.0f), "2.000");
    EXPECT_EQ(formatNumber3(1234567.0f), "1234567.000");
    EXPECT_EQ(formatNumber3(-0.0004f), "0.000");
}

TEST(FormatGeneral, SevenDigitsAndScientificOutsideFixedRange) {
    EXPECT_EQ(formatGeneral(0.5f), "0.5");
    EXPECT_EQ(formatGeneral(0.5f, ','), "0,5");
    EXPECT_EQ(formatGeneral(12.0f), "12");
    EXPECT_EQ(formatGeneral(-2.25f), "-2.25");
    EXPECT_EQ(formatGeneral(0.0f), "0");
    EXPECT_EQ(formatGeneral(1.0f / 3.0f), "0.3333333");
    EXPECT_EQ(formatGeneral(1234567.0f), "1234567");
    EXPECT_EQ(formatGeneral(12345678.0f), "1.234568E+07");
    EXPECT_EQ(formatGeneral(123456789.0f, ','), "1,234568E+08");
    EXPECT_EQ(formatGeneral(1e7f), "1E+07");
    EXPECT_EQ(formatGeneral(1e-5f), "0.00001");
    EXPECT_EQ(formatGeneral(1.5e-7f), "1.5E-07");
    EXPECT_EQ(formatGeneral(-1e-20f), "-1E-20");
    EXPECT_EQ(formatGeneral(1e30f), "1E+30");
    EXPECT_EQ(formatGeneral(0.1 + 0.2), "0.3");
    EXPECT_EQ(formatGeneral(123456789012345.0), "123456789012345");
    EXPECT_EQ(formatGeneral(1e15), "1E+15");
    EXPECT_EQ(formatGeneral(1e-300), "1E-300");
    EXPECT_THROW(formatGeneral(std::numeric_limits<float>::infinity()), CalcError);
}

TEST(PlainNumber, LeadingBlankAndNoZeroBeforePoint) {
    EXPECT_EQ(plainNumber(0.85f), " .85");
    EXPECT_EQ(plainNumber(-0.5f), "-.5");
    EXPECT_EQ(plainNumber(12.0f), " 12");
    EXPECT_EQ(plainNumber(0.0f), " 0");
    EXPECT_EQ(plainNumber(1.5e-7f), " 1.5E-07");
    EXPECT_EQ(plainNumber(-1234.5f), "-1234.5");
}

TEST(TextHelpers, TrimCaseAndComparison) {
    EXPECT_EQ(trim("  a b  "), "a b");
    EXPECT_EQ(trim("    "), "");
    EXPECT_EQ(trimRight("  a  "), "  a");
    EXPECT_EQ(toUpperAscii("abc é1"), "ABC é1");
    EXPECT_TRUE(equalsNoCase("Fonte NEUVE", "fonte neuve"));
    EXPECT_TRUE(equalsNoCase("ÉCOLE À côté", "école à CÔTÉ"));
    EXPECT_FALSE(equalsNoCase("ecole", "école"));
    EXPECT_FALSE(equalsNoCase("abc", "abcd"));
}

}  // namespace
}  // namespace aub

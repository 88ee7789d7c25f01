#include "core/CalcError.h"
#include "core/Checked.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <functional>
#include <limits>

namespace aub {
namespace {

int codeOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const CalcError& e) {
        return e.code();
    }
    return 0;
}

const float Nan = std::numeric_limits<float>::quiet_NaN();

TEST(CalcError, DescriptionsFromTheTable) {
    EXPECT_EQ(errorDescription(6), "Dépassement de capacité");
    EXPECT_EQ(errorDescription(11), "Division par zéro");
    EXPECT_EQ(errorDescription(62), "L'entrée dépasse la fin de fichier");
    EXPECT_EQ(errorDescription(999), "Erreur définie par l'application ou par l'objet");
    const CalcError e(ErrBadCall);
    EXPECT_EQ(e.description(), "Argument ou appel de procédure incorrect");
    EXPECT_STREQ(e.what(), "Argument ou appel de procédure incorrect");
    const CalcError own(ErrFileNotFound, "Fichier absent : a.txt");
    EXPECT_EQ(own.code(), 53);
    EXPECT_EQ(own.description(), "Fichier absent : a.txt");
}

TEST(Checked, DivisionByZeroAndOverflow) {
    EXPECT_FLOAT_EQ(cdiv(1.0f, 4.0f), 0.25f);
    EXPECT_EQ(codeOf([] { cdiv(1.0f, 0.0f); }), ErrDivByZero);
    EXPECT_EQ(codeOf([] { cdiv(0.0f, 0.0f); }), ErrOverflow);
    EXPECT_EQ(codeOf([] { cdiv(1e30f, 1e-30f); }), ErrOverflow);
    EXPECT_EQ(codeOf([] { cdiv(Nan, 1.0f); }), ErrOverflow);
    EXPECT_DOUBLE_EQ(cdivd(1e300, 1e-5), 1e305);
    EXPECT_EQ(codeOf([] { cdivd(-2.0, 0.0); }), ErrDivByZero);
    EXPECT_EQ(codeOf([] { cdivd(1e300, 1e-300); }), ErrOverflow);
    EXPECT_EQ(checkedValue(FLT_MAX), FLT_MAX);
    EXPECT_EQ(codeOf([] { checkedValue(1e39); }), ErrOverflow);
}

TEST(Checked, DomainFailuresGiveBadCall) {
    EXPECT_FLOAT_EQ(csqrt(2.25f), 1.5f);
    EXPECT_EQ(codeOf([] { csqrt(-1.0f); }), ErrBadCall);
    EXPECT_EQ(codeOf([] { clog(0.0f); }), ErrBadCall);
    EXPECT_EQ(codeOf([] { clog10(-3.0f); }), ErrBadCall);
    EXPECT_FLOAT_EQ(clog10(1000.0f), 3.0f);
    EXPECT_FLOAT_EQ(clog(std::exp(1.0f)), 1.0f);
    EXPECT_FLOAT_EQ(cpow(-2.0f, 3.0f), -8.0f);
    EXPECT_FLOAT_EQ(cpow(8.0f, 1.0f / 3.0f), 2.0f);
    EXPECT_FLOAT_EQ(cpow(0.0f, 0.0f), 1.0f);
    EXPECT_EQ(codeOf([] { cpow(-8.0f, 1.0f / 3.0f); }), ErrBadCall);
    EXPECT_EQ(codeOf([] { cpow(0.0f, -1.0f); }), ErrBadCall);
    EXPECT_EQ(codeOf([] { cpow(10.0f, 39.0f); }), ErrOverflow);
    EXPECT_EQ(codeOf([] { cexp(89.0f); }), ErrOverflow);
    EXPECT_FLOAT_EQ(catan(1.0f), 0.7853982f);
    EXPECT_EQ(codeOf([] { catan(Nan); }), ErrOverflow);
    EXPECT_FLOAT_EQ(ctan(0.7853982f), 1.0f);
}

TEST(Checked, WholeNumbersRoundHalvesToEvenAndCheckRange) {
    EXPECT_EQ(roundHalfEven(2.5), 2.0);
    EXPECT_EQ(roundHalfEven(3.5), 4.0);
    EXPECT_EQ(roundHalfEven(-2.5), -2.0);
    EXPECT_EQ(roundHalfEven(-3.5), -4.0);
    EXPECT_EQ(roundHalfEven(2.4999), 2.0);
    EXPECT_EQ(toByte(254.5), 254);
    EXPECT_EQ(toByte(-0.4), 0);
    EXPECT_EQ(toByte(-0.5), 0);
    EXPECT_EQ(codeOf([] { toByte(-0.6); }), ErrOverflow);
    EXPECT_EQ(codeOf([] { toByte(256); }), ErrOverflow);
    EXPECT_EQ(codeOf([] { toByte(255.5); }), ErrOverflow);
    EXPECT_EQ(toInteger(-32768.5), -32768);
    EXPECT_EQ(codeOf([] { toInteger(32767.5); }), ErrOverflow);
    EXPECT_EQ(toLong(2147483647.0), 2147483647);
    EXPECT_EQ(codeOf([] { toLong(2147483648.0); }), ErrOverflow);
    EXPECT_EQ(codeOf([] { toInteger(std::nan("")); }), ErrOverflow);
}

}  // namespace
}  // namespace aub

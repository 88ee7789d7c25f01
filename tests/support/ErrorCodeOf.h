#pragma once
// The error number a piece of code fails with (CalcError), or 0 when it runs through.
#include <functional>

#include "core/CalcError.h"

namespace aub::test {

inline int errorCodeOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const CalcError& e) {
        return e.code();
    }
    return 0;
}

}  // namespace aub::test

#pragma once
// The smallest way for a routine to tell the person something: a modal box with OK.
// The window framework's Dialogs implement it.
#include <string>

namespace aub {

class Messenger {
public:
    virtual ~Messenger() = default;
    virtual void message(const std::string& text) = 0;
};

}  // namespace aub

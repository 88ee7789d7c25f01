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

// Passes every message on and counts them: a routine reading several boxes says each
// fault, and its caller stops when any was said.
class CountingMessenger : public Messenger {
public:
    explicit CountingMessenger(Messenger& to) : to_(to) {}
    void message(const std::string& text) override {
        ++count;
        to_.message(text);
    }
    int count = 0;

private:
    Messenger& to_;
};

}  // namespace aub

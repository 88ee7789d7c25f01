#pragma once
// A Messenger that keeps every message shown, for the checks to read.
#include "core/Messenger.h"

#include <string>
#include <vector>

namespace aub::test {

class RecordingMessenger : public Messenger {
public:
    void message(const std::string& text) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

}  // namespace aub::test

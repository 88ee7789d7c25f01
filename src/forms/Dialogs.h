#pragma once
// How a window speaks to the person. The Qt layer shows real boxes; the command
// line answers from its script; tests record every message and answer from a queue.
#include <optional>
#include <string>

#include "core/Messenger.h"

namespace aub {

class Dialogs : public Messenger {
public:
    // A modal box with OK.
    void message(const std::string& text) override { message(text, ""); }
    virtual void message(const std::string& text, const std::string& title) = 0;
    // Yes / No.
    virtual bool question(const std::string& text, const std::string& title = "") = 0;
    // An input box: the answer, or nothing when cancelled.
    virtual std::optional<std::string> input(const std::string& prompt, const std::string& title,
                                             const std::string& defaultText) = 0;
};

}  // namespace aub

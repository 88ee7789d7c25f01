#pragma once
// How a window speaks to the person. The Qt layer shows real boxes; the command
// line answers from its script; tests record every message and answer from a queue.
#include <optional>
#include <string>
#include <vector>

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
    // One entry chosen from a list (saved studies ...): the entry, or nothing when
    // cancelled. Where no list can be shown (the command line, scripts) it is the input
    // box, its prompt naming the entries, answered by the entry's text.
    virtual std::optional<std::string> choose(const std::string& prompt, const std::string& title,
                                              const std::vector<std::string>& items, const std::string& defaultItem) {
        return input(namingPrompt(prompt, items), title, defaultItem);
    }
    // "prompt (entry 1, entry 2, ...)".
    static std::string namingPrompt(const std::string& prompt, const std::vector<std::string>& items) {
        std::string named = prompt;
        if (items.empty()) return named;
        named += " (";
        for (std::size_t i = 0; i < items.size(); ++i) named += (i ? ", " : "") + items[i];
        return named + ")";
    }
};

}  // namespace aub

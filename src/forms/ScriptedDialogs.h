#pragma once
// Dialogs without a screen: the command line, the capture option and the tests use them.
// They answer from a queue and record everything shown.
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "forms/Dialogs.h"

namespace aub {

struct DialogRecord {
    std::string kind;  // "message", "question", "input"
    std::string text;
    std::string title;
    std::string defaultText;
    std::string answer;
    std::vector<std::string> items;  // the entries a list offered (kind "input")
};

// Thrown when a question or an input box finds no answer left. It is not a
// std::exception on purpose: the windows' error trap lets it through to the driver.
struct NoAnswerLeft {
    std::string text;
};

class ScriptedDialogs : public Dialogs {
public:
    using Dialogs::message;
    void message(const std::string& text, const std::string& title) override;
    bool question(const std::string& text, const std::string& title) override;
    std::optional<std::string> input(const std::string& prompt, const std::string& title,
                                     const std::string& defaultText) override;
    // Recorded as an input box whose prompt names the entries, with the entries kept.
    std::optional<std::string> choose(const std::string& prompt, const std::string& title,
                                      const std::vector<std::string>& items, const std::string& defaultItem) override;
    // The platform's file dialog answered from the same queue (kind "file"; "" cancels).
    std::optional<std::string> fileToOpen(const std::string& title, const std::string& filter);
    // The platform's save dialog answered from the same queue (kind "file", the proposed
    // path as default; "" cancels).
    std::optional<std::string> fileToSave(const std::string& title, const std::string& proposed);

    // "oui" / "non" for a question, the text for an input box, "" for Cancel.
    void answer(std::string text) { answers_.push_back(std::move(text)); }
    std::size_t answersLeft() const { return answers_.size(); }
    const std::vector<DialogRecord>& shown() const { return shown_; }
    std::vector<std::string> messages() const;  // texts of the message boxes only
    void clearShown() { shown_.clear(); }

private:
    std::string take(const DialogRecord& pending);
    std::deque<std::string> answers_;
    std::vector<DialogRecord> shown_;
    std::vector<std::string> pendingItems_;  // the entries of the list being chosen from
};

}  // namespace aub

#include "forms/ScriptedDialogs.h"

namespace aub {

void ScriptedDialogs::message(const std::string& text, const std::string& title) {
    shown_.push_back({"message", text, title, "", "", {}});
}

std::string ScriptedDialogs::take(const DialogRecord& pending) {
    shown_.push_back(pending);
    if (shown_.back().items.empty()) shown_.back().items = std::move(pendingItems_);
    pendingItems_.clear();
    if (answers_.empty()) throw NoAnswerLeft{pending.text};
    std::string a = answers_.front();
    answers_.pop_front();
    shown_.back().answer = a;
    return a;
}

bool ScriptedDialogs::question(const std::string& text, const std::string& title) {
    std::string a = take({"question", text, title, "", "", {}});
    return a == "oui" || a == "OUI" || a == "Oui" || a == "o" || a == "yes";
}

std::optional<std::string> ScriptedDialogs::input(const std::string& prompt, const std::string& title,
                                                  const std::string& defaultText) {
    std::string a = take({"input", prompt, title, defaultText, "", {}});
    if (a.empty()) return std::nullopt;
    return a;
}

std::optional<std::string> ScriptedDialogs::choose(const std::string& prompt, const std::string& title,
                                                   const std::vector<std::string>& items,
                                                   const std::string& defaultItem) {
    // The input box (as a subclass answers it), its record keeping the entries.
    pendingItems_ = items;
    auto a = input(namingPrompt(prompt, items), title, defaultItem);
    pendingItems_.clear();
    return a;
}

std::optional<std::string> ScriptedDialogs::fileToOpen(const std::string& title, const std::string& filter) {
    std::string a = take({"file", title, filter, "", "", {}});
    if (a.empty()) return std::nullopt;
    return a;
}

std::optional<std::string> ScriptedDialogs::fileToSave(const std::string& title, const std::string& proposed) {
    std::string a = take({"file", title, "", proposed, "", {}});
    if (a.empty()) return std::nullopt;
    return a;
}

std::vector<std::string> ScriptedDialogs::messages() const {
    std::vector<std::string> out;
    for (const auto& d : shown_)
        if (d.kind == "message") out.push_back(d.text);
    return out;
}

}  // namespace aub

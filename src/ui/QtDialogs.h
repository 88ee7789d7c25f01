#pragma once
// The windows' message boxes, questions and input boxes as real modal Qt dialogs.
// Each runs its own event loop, so a handler waits for the answer as it expects;
// boxes opened from inside another box's loop nest the same way.
#include "forms/Dialogs.h"

namespace aub {

class UiHost;

class QtDialogs : public Dialogs {
public:
    // The host gives the boxes their parent window and default title; without one
    // they are centred on the screen and titled "Aubelys".
    void setHost(UiHost* host) { host_ = host; }

    using Dialogs::message;
    void message(const std::string& text, const std::string& title) override;
    bool question(const std::string& text, const std::string& title = "") override;  // true on Oui
    std::optional<std::string> input(const std::string& prompt, const std::string& title,
                                     const std::string& defaultText) override;  // nothing on Annuler
    // A list the person picks from (not typed into); nothing on Annuler.
    std::optional<std::string> choose(const std::string& prompt, const std::string& title,
                                      const std::vector<std::string>& items, const std::string& defaultItem) override;

private:
    std::string titleOr(const std::string& title) const;
    // Shows the windows as the model left them before a box covers them.
    void refreshViews() const;
    UiHost* host_ = nullptr;
};

}  // namespace aub

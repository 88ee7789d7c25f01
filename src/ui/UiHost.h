#pragma once
// The screen side of a Session: one FormView per shown window. Every model event
// started from the screen goes through dispatch(), which afterwards destroys the
// windows unloaded meanwhile (Session::collect, only once no handler is running)
// and brings every view in step with the models.
#include <QPixmap>
#include <QRect>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "forms/Session.h"

class QWidget;

namespace aub {

class FormView;

class UiHost : public WindowHost {
public:
    explicit UiHost(Session& session);
    ~UiHost() override;
    UiHost(const UiHost&) = delete;
    UiHost& operator=(const UiHost&) = delete;

    Session& session() const { return session_; }

    // In the program (the default): when an event leaves no window on screen the
    // program ends, and when the program ends the application's event loop stops.
    // The capture option and the tests turn this off.
    void setEndsApplication(bool on) { endsApplication_ = on; }
    // Each window's place and size are kept in the application's settings when it goes
    // and given back when it opens again (the program turns this on; tests use a
    // settings folder of their own).
    void setRemembersPlaces(bool on) { remembersPlaces_ = on; }

    void formShown(Form& form) override;
    void formHidden(Form& form) override;
    void formUnloaded(Form& form) override;
    void programEnded() override;

    // Runs code that acts on the models: an event of `form`'s view, or the start-up
    // (form == nullptr). Exceptions that escape the models' own trap are reported on
    // the error output and stopped here, never thrown through Qt.
    void dispatch(Form* form, const std::function<void()>& code);
    bool inEvent() const { return !dispatching_.empty(); }
    // Brings every view in step with its model.
    void refreshAll();

    FormView* view(const Form& form) const;
    // The view of a loaded window, built (not shown) when it has none yet.
    FormView* ensureView(Form& form);
    // The window as it looks on screen, laid out and painted; a hidden window is
    // shown just for the picture.
    QPixmap grab(Form& form);

    // For message boxes: the window whose event is running (else the active one),
    // and the title to use when the model gives none (that window's caption).
    QWidget* dialogParent() const;
    std::string dialogTitle() const;

private:
    bool anyWindowOnScreen() const;
    void rememberGeometry(FormView& view);
    std::optional<QRect> rememberedGeometry(const std::string& window) const;

    Session& session_;
    std::map<const Form*, FormView*> views_;
    std::vector<Form*> dispatching_;
    bool endsApplication_ = true;
    bool remembersPlaces_ = false;
};

}  // namespace aub
